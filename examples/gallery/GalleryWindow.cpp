#include "GalleryWindow.h"

#include "CollectionPage.h"
#include "NumericPage.h"
#include "PropertySheetPage.h"
#include "SeveralShapesPage.h"
#include "ThumbnailsPage.h"
#include "ToolbarPage.h"

#include <corvane/CheckBox.h>
#include <corvane/CollectionView.h>
#include <corvane/Theme.h>
#include <corvane/ThumbnailsList.h>
#include <corvane/ThumbnailsListItem.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

namespace {

QString darkStyleSheet()
{
    QFile css(QStringLiteral(":/force-styles-dark.css"));
    if (!css.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(css.readAll());
}

// Lets layouts, polishing and the collection view's placement settle. Some widgets size
// themselves while painting (thumbnails take their height from their width), so the window is
// painted once before the picture that counts.
void settle(QWidget* window)
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
    window->grab();
    QApplication::processEvents();
}

// A click as the user makes it: the focus first, as the press gives it, then press and release
// at the widget's centre.
void click(QWidget* w)
{
    if (!w)
        return;
    if (w->focusPolicy() & Qt::ClickFocus)
        w->setFocus(Qt::MouseFocusReason);
    const QPointF centre(w->width() / 2, w->height() / 2);
    const QPointF global(w->mapToGlobal(centre.toPoint()));
    QMouseEvent press(
        QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void pressKey(QWidget* w, int key)
{
    if (!w)
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

} // namespace

GalleryWindow::GalleryWindow(bool dark, QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget)
    , m_dark(new CheckBox(tr("Dark theme"), eSecondary))
{
    setWindowTitle(tr("Corvane Widgets Gallery"));
    // The library's controls style themselves from the same theme; the window carries it for
    // everything else (tabs, group boxes, the gallery's own labels), and the library keeps it
    // current when the theme changes.
    if (dark)
        setDarkTheme(true);
    corvane::applyTheme(this);
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    m_dark->setObjectName(QStringLiteral("darkTheme"));
    m_dark->setChecked(dark);
    m_tabs->setCornerWidget(m_dark);
    connect(m_dark, &CheckBox::toggled, this, &GalleryWindow::setDarkTheme);
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

void GalleryWindow::setDarkTheme(bool dark)
{
    if (dark)
        corvane::setTheme(darkStyleSheet());
    else
        corvane::resetTheme();
}

bool GalleryWindow::save(QDir const& dir, QString const& name)
{
    settle(this);
    // Highest compression: the pictures go into the repository.
    return grab().save(dir.filePath(name + QStringLiteral(".png")), "PNG", 0);
}

bool GalleryWindow::saveScreenshots(QDir const& dir, bool steps)
{
    if (!dir.mkpath(QStringLiteral(".")))
        return false;
    bool ok = true;
    const auto shoot = [&](QSize const& size, QString const& suffix) {
        resize(size);
        for (int i = 0; i < m_tabs->count(); ++i) {
            m_tabs->setCurrentIndex(i);
            ok = save(dir, m_fileNames.at(i) + suffix) && ok;
        }
    };
    show();
    shoot(defaultSize(), QString());
    shoot(narrowSize(), QStringLiteral("-narrow"));
    if (steps) {
        activateWindow();
        resize(defaultSize());
        ok = takeTour(dir, QString()) && ok;
        resize(narrowSize());
        ok = takeTour(dir, QStringLiteral("-narrow")) && ok;
    }
    m_tabs->setCurrentIndex(0);
    resize(defaultSize());
    return ok;
}

bool GalleryWindow::takeTour(QDir const& dir, QString const& suffix)
{
    // The selection and focus changes a user makes first, each followed by a picture of its
    // page: every control whose look follows them is seen before and after.
    struct Step
    {
        int page;
        const char* name;
        std::function<void()> act;
    };
    const auto child = [this](int page, const char* name) {
        return m_tabs->widget(page)->findChild<QWidget*>(QLatin1String(name));
    };
    const auto edit = [child](int page, const char* row) {
        QWidget* w = child(page, row);
        return w ? w->findChild<QLineEdit*>(QStringLiteral("edit")) : nullptr;
    };
    const Step tour[] = {
        { 0, "number-focus", [&] { click(edit(0, "size")); } },
        { 0, "text-focus",
            [&] {
                click(child(0, "caption") ? child(0, "caption")->findChild<QLineEdit*>() : nullptr);
            } },
        { 0, "combo",
            [&] {
                if (QWidget* row = child(0, "shape"))
                    row->findChild<QComboBox*>()->setCurrentIndex(1);
            } },
        { 2, "click",
            [&] {
                if (auto* list = m_tabs->widget(2)->findChild<ThumbnailsList*>())
                    click(list->getItem(2));
            } },
        { 2, "down",
            [&] {
                if (auto* list = m_tabs->widget(2)->findChild<ThumbnailsList*>())
                    pressKey(list->current(), Qt::Key_Down);
            } },
        { 1, "select",
            [&] {
                if (auto* view = m_tabs->widget(1)->findChild<CollectionView*>())
                    view->setSelection({ { 1, 31 }, { 1, 32 } });
            } },
        { 3, "tool", [&] { click(child(3, "btnpen")); } },
        { 4, "focus", [&] { click(edit(4, "width")); } },
        { 4, "tab", [&] { pressKey(QApplication::focusWidget(), Qt::Key_Tab); } },
        // The theme changes under the looks those steps left.
        { 2, "theme", [&] { m_dark->toggle(); } },
    };
    bool ok = true;
    for (const Step& step : tour) {
        m_tabs->setCurrentIndex(step.page);
        settle(this);
        step.act();
        ok = save(dir,
                 m_fileNames.at(step.page) + QStringLiteral("-step-") + QLatin1String(step.name)
                     + suffix)
            && ok;
    }
    return ok;
}
