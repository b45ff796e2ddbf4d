#pragma once

#include <QMainWindow>

class QDir;
class QTabWidget;

// The gallery's main window: one tab per group of controls.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    static QSize defaultSize() { return { 1000, 680 }; }
    static QSize narrowSize() { return { 560, 680 }; }

    // Renders every page at the default and at the narrow size into `dir` as
    // "NN-name.png" and "NN-name-narrow.png". Returns false when a file could not be written.
    bool saveScreenshots(QDir const& dir);

private:
    void addPage(QWidget* page, QString const& title, QString const& fileName);

    QTabWidget* m_tabs;
    QStringList m_fileNames;
};
