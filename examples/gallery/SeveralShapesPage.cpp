#include "SeveralShapesPage.h"

#include "ShapePreview.h"
#include "ShapeSettings.h"

#include <corvane/PropertyListWidget.h>

#include <QCheckBox>
#include <QGridLayout>

namespace {

// Three shapes that share their opacity, rotation and notes and differ in everything else.
struct Look
{
    int shape;
    float size;
    QColor fill;
    bool outline;
    const char* caption;
};
const Look kLooks[] = {
    { 3, 150, QColor(0x4a, 0x7b, 0xd9), true, QT_TRANSLATE_NOOP("SeveralShapesPage", "Star") },
    { 0, 110, QColor(0xe0, 0x8a, 0x2c), false, QT_TRANSLATE_NOOP("SeveralShapesPage", "Sun") },
    { 4, 150, QColor(0x3c, 0x9a, 0x6a), true, QT_TRANSLATE_NOOP("SeveralShapesPage", "Hive") },
};

} // namespace

SeveralShapesPage::SeveralShapesPage(QWidget* parent)
    : SheetPage(parent)
{
    auto* previews = new QWidget;
    auto* grid = new QGridLayout(previews);
    grid->setContentsMargins(0, 0, 0, 0);
    QList<QObject*> objects;
    for (const Look& look : kLooks) {
        auto* shape = new ShapeSettings(this);
        shape->setShape(look.shape);
        shape->setSize(look.size);
        shape->setFillColor(look.fill);
        shape->setOutline(look.outline);
        shape->setCaption(tr(look.caption));
        shape->setNotes(QString());
        // Each shape writes its own sample textures; all use the first one's.
        if (!m_shapes.isEmpty())
            shape->setTexture(m_shapes.first()->texture());
        auto* preview = new ShapePreview(shape);
        preview->setObjectName(QStringLiteral("preview"));
        preview->setMinimumSize(120, 140);
        connect(shape, &ShapeSettings::changed, preview, qOverload<>(&QWidget::update));
        auto* chosen = new QCheckBox(tr("Edit %1").arg(tr(look.caption)));
        chosen->setChecked(true);
        connect(chosen, &QCheckBox::toggled, this, &SeveralShapesPage::onChosenChanged);
        const int column = int(m_shapes.size());
        grid->addWidget(preview, 0, column);
        grid->addWidget(chosen, 1, column, Qt::AlignHCenter);
        m_shapes << shape;
        m_chosen << chosen;
        objects << shape;
    }
    grid->setRowStretch(0, 1);

    // The rows come from the first shape; the file row's sources from it too.
    m_sheet = new PropertyListWidget(objects, m_shapes.first());
    m_sheet->setLiveRefresh(true);
    setContent(m_sheet, previews);
}

void SeveralShapesPage::onChosenChanged()
{
    QList<QObject*> chosen;
    for (int i = 0; i < m_shapes.size(); ++i) {
        if (m_chosen.at(i)->isChecked())
            chosen << m_shapes.at(i);
    }
    m_sheet->setObjects(chosen);
    m_sheet->setEnabled(!chosen.isEmpty());
}
