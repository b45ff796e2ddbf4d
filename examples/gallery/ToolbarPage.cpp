#include "ToolbarPage.h"

#include "PageArt.h"

#include <corvane/ImageViewer.h>
#include <corvane/Label.h>
#include <corvane/Toolbar.h>
#include <corvane/TooltipsMenu.h>

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {

struct Tool
{
    const char* id;
    const char* name;
    const char* tip;
};

constexpr Tool kTools[] = {
    { "select", "Select", "Select and move objects (V)" },
    { "pen", "Pen", "Draw paths point by point (P)" },
    { "brush", "Brush", "Paint freehand strokes (B)" },
    { "shape", "Shapes", "Draw rectangles and ellipses (S)" },
    { "text", "Text", "Place a caption (T)" },
};

const QColor kIconColor(0x33, 0x3a, 0x4d);
// On a dark theme, whose text is light.
const QColor kLightIconColor(0xc9, 0xcd, 0xd8);

QWidget* captioned(QWidget* viewer, QString const& caption)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* title = new QLabel(caption);
    title->setObjectName(QStringLiteral("viewerCaption"));
    title->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(viewer, 1);
    return box;
}

} // namespace

ToolbarPage::ToolbarPage(QWidget* parent)
    : QWidget(parent)
    , m_tools(new QActionGroup(this))
    , m_status(new QLabel)
{
    m_tools->setExclusive(true);
    auto* toolbar = new Toolbar;
    m_toolbar = toolbar;
    toolbar->setObjectName(QStringLiteral("tools"));
    unsigned long position = 0;
    for (const Tool& tool : kTools) {
        // Actions owned by the group share one exclusive button group in the toolbar.
        auto* action = new QAction(
            QIcon(pageart::toolIcon(QLatin1String(tool.id), kIconColor)), tr(tool.name), m_tools);
        action->setCheckable(true);
        action->setToolTip(tr(tool.tip));
        action->setProperty("buttonId", QString::fromLatin1(tool.id));
        toolbar->insertAction(position++, action);
    }
    m_tools->actions().constFirst()->setChecked(true);

    toolbar->insertAction(position++, [this] {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        return separator;
    }());
    auto* zoom = new QAction(
        QIcon(pageart::toolIcon(QStringLiteral("zoom"), kIconColor)), tr("Zoom"), this);
    zoom->setToolTip(tr("Zoom to fit"));
    zoom->setProperty("buttonId", QStringLiteral("zoom"));
    toolbar->insertAction(position++, zoom);
    toolbar->insertSpring(position++);

    auto* menu = new TooltipsMenu(this);
    const struct
    {
        const char* text;
        const char* tip;
    } entries[] = {
        { "Snap to grid", "Moved objects stick to the nearest grid line." },
        { "Show rulers", "Rulers along the top and left edges of the canvas." },
        { "Smooth strokes", "Pen and brush strokes are smoothed as you draw." },
    };
    for (const auto& entry : entries) {
        QAction* action = menu->addAction(tr(entry.text));
        action->setCheckable(true);
        action->setToolTip(tr(entry.tip));
    }
    menu->actions().constFirst()->setChecked(true);
    auto* options = new QPushButton(tr("Options"));
    options->setObjectName(QStringLiteral("optionsButton"));
    options->setToolTip(tr("A menu that shows each entry's tooltip while you hover it"));
    options->setMenu(menu);

    auto* toolbarRow = new QHBoxLayout;
    toolbarRow->setSpacing(8);
    toolbarRow->addWidget(toolbar, 1);
    toolbarRow->addWidget(options);

    m_status->setObjectName(QStringLiteral("statusLine"));
    const auto showTool = [this](QAction* action) {
        m_status->setText(tr("Tool: %1 \u2014 %2").arg(action->text(), action->toolTip()));
    };
    connect(m_tools, &QActionGroup::triggered, this, showTool);
    connect(zoom, &QAction::triggered, this, [this] { m_status->setText(tr("Zoomed to fit.")); });
    showTool(m_tools->checkedAction());

    const QImage picture = pageart::transparentPicture(QSize(240, 190));
    auto* checkered = new ImageViewer;
    checkered->setObjectName(QStringLiteral("checkeredViewer"));
    checkered->addTransparent();
    checkered->setImage(picture);
    checkered->setMinimumSize(picture.size());
    auto* plain = new ImageViewer;
    plain->setObjectName(QStringLiteral("plainViewer"));
    plain->setImage(picture);
    plain->setMinimumSize(picture.size());

    auto* viewers = new QHBoxLayout;
    viewers->setSpacing(12);
    viewers->addWidget(captioned(checkered, tr("ImageViewer with addTransparent()")));
    viewers->addWidget(captioned(plain, tr("The same picture, plain background")));

    auto* intro = new Label(tr("Tool buttons mirror exclusive QActions; the Options menu shows "
                               "tooltips of its entries."));
    intro->setObjectName(QStringLiteral("pageIntro"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(toolbarRow);
    layout->addWidget(m_status);
    layout->addWidget(intro);
    layout->addLayout(viewers, 1);
}

void ToolbarPage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A new theme reaches the page as a new palette.
    if (event->type() == QEvent::PaletteChange)
        paintIcons();
}

void ToolbarPage::paintIcons()
{
    const QColor color
        = palette().color(QPalette::WindowText).lightness() > 128 ? kLightIconColor : kIconColor;
    if (color == m_iconColor || !m_toolbar)
        return;
    m_iconColor = color;
    const QStringList ids { QStringLiteral("select"), QStringLiteral("pen"),
        QStringLiteral("brush"), QStringLiteral("shape"), QStringLiteral("text"),
        QStringLiteral("zoom") };
    // The toolbar copied each action's icon into its button when the action came in.
    for (const QString& id : ids) {
        if (auto* button = m_toolbar->findChild<QPushButton*>(QStringLiteral("btn") + id))
            button->setIcon(QIcon(pageart::toolIcon(id, color)));
    }
}
