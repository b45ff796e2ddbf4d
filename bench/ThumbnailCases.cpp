// Thumbnails list insertion against a QListWidget in icon mode doing the same.
#include "Harness.h"

#include <corvane/Theme.h>
#include <corvane/ThumbnailsList.h>

#include <QApplication>
#include <QListWidget>
#include <QPainter>

namespace {

QPixmap thumbnail(int i)
{
    QPixmap pixmap(96, 72);
    pixmap.fill(QColor::fromHsv(i * 37 % 360, 160, 220));
    return pixmap;
}

std::vector<double> insertLibrary(bool shared, int count, int reps)
{
    std::vector<double> samples;
    corvane::setSharedTheme(shared);
    for (int r = 0; r < reps; ++r) {
        ThumbnailsList list(nullptr);
        // Shared, the entries take the theme from the list, which carries it for them.
        if (shared)
            corvane::applyTheme(&list);
        list.resize(200, 600);
        bench::showAndPaint(&list);
        const qint64 start = bench::nowNs();
        for (int i = 0; i < count; ++i)
            list.addItem(thumbnail(i), QStringLiteral("Page %1").arg(i + 1));
        list.repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> insertStock(int count, int reps)
{
    std::vector<double> samples;
    for (int r = 0; r < reps; ++r) {
        QListWidget list;
        list.setViewMode(QListView::IconMode);
        list.setIconSize(QSize(96, 72));
        list.setFlow(QListView::TopToBottom);
        list.resize(200, 600);
        bench::showAndPaint(&list);
        const qint64 start = bench::nowNs();
        for (int i = 0; i < count; ++i) {
            auto* item = new QListWidgetItem(
                QIcon(thumbnail(i)), QStringLiteral("Page %1").arg(i + 1), &list);
            list.setCurrentItem(item);
            list.scrollToItem(item);
        }
        list.repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

const bool registered = bench::registerCase({ QStringLiteral("thumbnails.insert"),
                            QStringLiteral("addItem() of N thumbnails (selecting each) and a "
                                           "paint, vs QListWidget in icon mode"),
                            [](int count, int reps) { return insertLibrary(false, count, reps); },
                            insertStock, { 500 }, { 10 }, 5 })
    && bench::registerCase({ QStringLiteral("thumbnails.insert.shared"),
        QStringLiteral("the same in the shared theme mode, the list themed with applyTheme()"),
        [](int count, int reps) { return insertLibrary(true, count, reps); }, insertStock, { 500 },
        { 10 }, 5 });

} // namespace
