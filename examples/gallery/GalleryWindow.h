#pragma once

#include <QMainWindow>

class CheckBox;
class QDir;
class QTabWidget;

// The gallery's main window: one tab per group of controls, and a switch between the light and
// the dark theme.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit GalleryWindow(bool dark = false, QWidget* parent = nullptr);

    static QSize defaultSize() { return { 1000, 680 }; }
    static QSize narrowSize() { return { 560, 680 }; }

    // Renders every page at the default and at the narrow size into `dir` as
    // "NN-name.png" and "NN-name-narrow.png"; with `steps`, also the pictures of a short tour
    // of selection and focus changes, "NN-name-step-what[-narrow].png". Returns false when a
    // file could not be written.
    bool saveScreenshots(QDir const& dir, bool steps = false);

private:
    void addPage(QWidget* page, QString const& title, QString const& fileName);
    void setDarkTheme(bool dark);
    bool save(QDir const& dir, QString const& name);
    bool takeTour(QDir const& dir, QString const& suffix);

    QTabWidget* m_tabs;
    CheckBox* m_dark;
    QStringList m_fileNames;
};
