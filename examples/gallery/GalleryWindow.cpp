#include "GalleryWindow.h"

#include "CollectionPage.h"
#include "NumericPage.h"
#include "PropertySheetPage.h"
#include "SeveralShapesPage.h"
#include "ThumbnailsPage.h"
#include "ToolbarPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>

namespace {

QString galleryStyleSheet()
{
    QFile css(QStringLiteral(":/force-styles.css"));
    if (!css.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(css.readAll());
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget)
{
    setWindowTitle(tr("Corvane Widgets Gallery"));
    // The library's controls style themselves from the same resource; the window applies it to
    // everything else (tabs, group boxes, the gallery's own labels).
    setStyleSheet(galleryStyleSheet());
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    setCentralWidget(m_tabs);

    addPage(new PropertySheetPage, tr("Property sheet"), QStringLiteral("01-property-sheet"));
    addPage(new CollectionPage, tr("Collection view"), QStringLiteral("02-collection-view"));
    addPage(new ThumbnailsPage, tr("Thumbnails"), QStringLiteral("03-thumbnails"));
    addPage(new ToolbarPage, tr("Toolbar && image"), QStringLiteral("04-toolbar-image"));
    addPage(new NumericPage, tr("Numeric rows"), QStringLiteral("05-numeric-rows"));
    addPage(new SeveralShapesPage, tr("Several shapes"), QStringLiteral("06-several-shapes"));
    resize(defaultSize());
}

void GalleryWindow::addPage(QWidget* page, QString const& title, QString const& fileName)
{
    m_tabs->addTab(page, title);
    m_fileNames.append(fileName);
}

bool GalleryWindow::saveScreenshots(QDir const& dir)
{
    if (!dir.mkpath(QStringLiteral(".")))
        return false;
    bool ok = true;
    const auto shoot = [&](QSize const& size, QString const& suffix) {
        resize(size);
        for (int i = 0; i < m_tabs->count(); ++i) {
            m_tabs->setCurrentIndex(i);
            // Let layouts, polishing and the collection view's placement settle. Some widgets
            // size themselves while painting (thumbnails take their height from their width),
            // so paint once before the picture that counts.
            for (int round = 0; round < 3; ++round)
                QApplication::processEvents();
            grab();
            QApplication::processEvents();
            const QString path = dir.filePath(m_fileNames.at(i) + suffix + QStringLiteral(".png"));
            // Highest compression: the pictures go into the repository.
            ok = grab().save(path, "PNG", 0) && ok;
        }
    };
    show();
    shoot(defaultSize(), QString());
    shoot(narrowSize(), QStringLiteral("-narrow"));
    m_tabs->setCurrentIndex(0);
    resize(defaultSize());
    return ok;
}
