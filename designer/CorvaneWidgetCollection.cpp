#include "CorvaneWidgetCollection.h"

#include "DesignerWidget.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/ColorPicker.h>
#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/ImageViewer.h>
#include <corvane/InputLineSlider.h>
#include <corvane/Label.h>
#include <corvane/MultiTextField.h>
#include <corvane/SeparatorLine.h>
#include <corvane/TextField.h>
#include <corvane/ThumbnailsList.h>
#include <corvane/Toolbar.h>

#include <QPainter>
#include <QPainterPath>

// InputLine is not offered: it leaves its two-line layout to a deriving class, so a form could
// only hold a class of the host's own. A host places a QFrame and promotes it to that class.

namespace {

// The icons: outlines in ink on paper, the part that tells the control apart in the accent.
const QColor Ink(0x45, 0x4b, 0x54);
const QColor Paper(0xfc, 0xfc, 0xfc);
const QColor Accent(0x2f, 0x7c, 0xd9);
const QColor Faint(0xb8, 0xbd, 0xc4);

void box(QPainter& p, QRectF const& r, QColor const& fill = Paper, qreal radius = 1.5)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void line(QPainter& p, QColor const& color, QLineF const& l, qreal width = 1.5)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(l);
}

void polygon(QPainter& p, QColor const& color, QPolygonF const& points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(points);
}

void paintNumberRow(QPainter& p)
{
    line(p, Ink, { 2, 11, 11, 11 });
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(6.5, 11), 2.5, 2.5);
    box(p, { 13.5, 6.5, 7, 9 });
    line(p, Ink, { 15.5, 11, 18.5, 11 }, 1);
}

void paintTextField(QPainter& p)
{
    box(p, { 1.5, 6.5, 19, 9 });
    line(p, Accent, { 5, 9, 5, 13 });
}

void paintMultiTextField(QPainter& p)
{
    box(p, { 1.5, 2.5, 19, 17 });
    for (const qreal y : { 7.0, 11.0 })
        line(p, Ink, { 5, y, 17, y }, 1);
    line(p, Accent, { 5, 15, 11, 15 }, 1);
}

void paintComboBox(QPainter& p)
{
    box(p, { 1.5, 6.5, 19, 9 });
    polygon(p, Accent, { { { 12.5, 9.5 }, { 18, 9.5 }, { 15.25, 13 } } });
}

void paintColorPicker(QPainter& p)
{
    box(p, { 3.5, 3.5, 15, 15 }, QColor(0xe0, 0x5a, 0x47));
    polygon(p, Accent, { { { 4, 18 }, { 18, 4 }, { 18, 18 } } });
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3.5, 3.5, 15, 15), 1.5, 1.5);
}

void paintFilePicker(QPainter& p)
{
    QPainterPath folder;
    folder.moveTo(2.5, 5.5);
    folder.lineTo(8.5, 5.5);
    folder.lineTo(10.5, 7.5);
    folder.lineTo(19.5, 7.5);
    folder.lineTo(19.5, 17.5);
    folder.lineTo(2.5, 17.5);
    folder.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(folder);
    line(p, Accent, { 3.5, 9.5, 18.5, 9.5 });
}

void paintImageViewer(QPainter& p)
{
    box(p, { 1.5, 3.5, 19, 15 });
    polygon(p, Accent, { { { 3, 17 }, { 9, 9 }, { 13, 14 }, { 15, 12 }, { 19, 17 } } });
    p.setBrush(Faint);
    p.drawEllipse(QPointF(15.5, 7.5), 1.75, 1.75);
}

void paintToolbar(QPainter& p)
{
    box(p, { 1.5, 6.5, 19, 9 });
    for (const qreal x : { 4.5, 9.5, 14.5 })
        box(p, { x, 9.5, 3, 3 }, x == 9.5 ? Accent : Faint, 0.5);
}

void paintThumbnailsList(QPainter& p)
{
    for (const qreal y : { 2.5, 9.5, 16.5 })
        box(p, { 5.5, y, 11, 3 }, y == 9.5 ? Accent : Paper, 0.5);
}

void paintLabel(QPainter& p)
{
    line(p, Ink, { 5, 18, 11, 4 }, 2);
    line(p, Ink, { 11, 4, 17, 18 }, 2);
    line(p, Accent, { 7.5, 13, 14.5, 13 });
}

void paintButton(QPainter& p)
{
    box(p, { 1.5, 5.5, 19, 11 }, QColor(0xe6, 0xe8, 0xeb), 3);
    line(p, Accent, { 7, 11, 15, 11 });
}

void paintCheckBox(QPainter& p)
{
    box(p, { 3.5, 3.5, 15, 15 });
    p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ { 6.5, 11 }, { 9.5, 14.5 }, { 15.5, 7 } }));
}

void paintSeparatorLine(QPainter& p)
{
    line(p, Faint, { 4, 6, 18, 6 });
    line(p, Ink, { 2, 11, 20, 11 });
    line(p, Faint, { 4, 16, 18, 16 });
}

// A text property for a form's new instance, as Designer writes it.
QString textProperty(char const* text)
{
    return QStringLiteral("<property name=\"text\"><string>%1</string></property>")
        .arg(QLatin1String(text));
}

// Some controls are empty until the host fills them; they start large enough to be seen.
QString geometry(int width, int height)
{
    return QStringLiteral("<property name=\"geometry\"><rect><x>0</x><y>0</y>"
                          "<width>%1</width><height>%2</height></rect></property>")
        .arg(width)
        .arg(height);
}

} // namespace

CorvaneWidgetCollection::CorvaneWidgetCollection(QObject* parent)
    : QObject(parent)
{
    // Rows start without a title: Designer cannot edit one, and a form looks the same in Designer
    // as wherever it is loaded.
    const QList<DesignerWidget::Description> descriptions {
        { QStringLiteral("InputLineSlider"),
            QStringLiteral("Number row with a slider and a drag-editable field"),
            [](QWidget* parent) {
                auto* row
                    = new InputLineSlider(QString(), eIntValues | eSliderInsteadSpinner, parent);
                row->setMaxValue(100);
                return row;
            },
            paintNumberRow, QString() },
        { QStringLiteral("TextField"), QStringLiteral("Single-line text row"),
            [](QWidget* parent) { return new TextField(parent); }, paintTextField, QString() },
        { QStringLiteral("MultiTextField"), QStringLiteral("Multi-line plain text row"),
            [](QWidget* parent) { return new MultiTextField(QString(), QString(), false, parent); },
            paintMultiTextField, QString() },
        { QStringLiteral("ComboBox"), QStringLiteral("Drop-down row of texts or numbers"),
            [](QWidget* parent) { return new ComboBox(QString(), false, parent); }, paintComboBox,
            QString() },
        { QStringLiteral("ColorPicker"),
            QStringLiteral("Colour swatch that opens the colour dialog"),
            [](QWidget* parent) { return new ColorPicker(QString(), parent); }, paintColorPicker,
            QString() },
        { QStringLiteral("FilePicker"),
            QStringLiteral("File row: the host's files, browse and remove buttons"),
            [](QWidget* parent) { return new FilePicker(QString(), parent); }, paintFilePicker,
            QString() },
        { QStringLiteral("ImageViewer"), QStringLiteral("One picture, centred, optionally scaled"),
            [](QWidget* parent) { return new ImageViewer(parent); }, paintImageViewer,
            geometry(160, 120) },
        { QStringLiteral("Toolbar"), QStringLiteral("Strip of buttons mirroring actions"),
            [](QWidget* parent) { return new Toolbar(parent); }, paintToolbar, geometry(200, 32) },
        { QStringLiteral("ThumbnailsList"),
            QStringLiteral("Column of thumbnails with selection and renaming"),
            [](QWidget* parent) { return new ThumbnailsList(parent); }, paintThumbnailsList,
            geometry(120, 200) },
        { QStringLiteral("Label"), QStringLiteral("Word-wrapping title label"),
            [](QWidget* parent) { return new Label(QString(), parent); }, paintLabel,
            textProperty("Label") },
        { QStringLiteral("Button"), QStringLiteral("Push button that names itself when clicked"),
            [](QWidget* parent) { return new Button(QString(), parent); }, paintButton,
            textProperty("Button") },
        { QStringLiteral("CheckBox"), QStringLiteral("Check box of the primary rank"),
            [](QWidget* parent) { return new CheckBox(QString(), ePrimary, parent); },
            paintCheckBox, textProperty("Check Box") },
        { QStringLiteral("SeparatorLine"), QStringLiteral("Horizontal rule"),
            [](QWidget* parent) { return new SeparatorLine(parent); }, paintSeparatorLine,
            QString() },
    };
    for (const DesignerWidget::Description& description : descriptions)
        m_widgets.append(new DesignerWidget(description, this));
}

QList<QDesignerCustomWidgetInterface*> CorvaneWidgetCollection::customWidgets() const
{
    return m_widgets;
}
