#pragma once

#include <QWidget>

class ImageViewer;
class QLabel;
class ThumbnailsList;

// A document's pages as a thumbnails list: add, rename, delete and open a page.
class ThumbnailsPage : public QWidget
{
    Q_OBJECT
public:
    explicit ThumbnailsPage(QWidget* parent = nullptr);

private:
    void addPage(bool select);
    void deleteCurrent();
    void renameCurrent();
    void openPage(int index);
    void log(QString const& message);

    ThumbnailsList* m_list;
    ImageViewer* m_page;
    QLabel* m_title;
    QLabel* m_log;
    QList<QColor> m_accents;
    int m_created = 0;
};
