#include "ShapeSettings.h"

#include "SampleFileSource.h"

#include <corvane/IInputLine.h>
#include <corvane/PropertyListBuilder.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

namespace {

struct NamedWidth
{
    const char* name;
    int pixels;
};

constexpr NamedWidth kWidths[] = {
    { "Hairline", 1 },
    { "Thin", 2 },
    { "Medium", 4 },
    { "Thick", 8 },
    { "Heavy", 14 },
};

QImage makeTexture(int kind)
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case 0: // stripes
        image.fill(QColor(0xf6, 0xc3, 0x4a));
        p.setPen(QPen(QColor(0xd9, 0x7b, 0x29), 10));
        for (int x = -64; x < 128; x += 24)
            p.drawLine(x, 64, x + 64, 0);
        break;
    case 1: // dots
        image.fill(QColor(0x2f, 0x6f, 0xb3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xbf, 0xdc, 0xf7));
        for (int y = 8; y < 64; y += 16)
            for (int x = (y / 16 % 2) * 8 + 8; x < 64; x += 16)
                p.drawEllipse(QPointF(x, y), 4, 4);
        break;
    default: // checks
        image.fill(QColor(0x3c, 0x9a, 0x6a));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9c, 0xde, 0xb8));
        for (int y = 0; y < 64; y += 16)
            for (int x = (y / 16 % 2) * 16; x < 64; x += 32)
                p.drawRect(x, y, 16, 16);
        break;
    }
    return image;
}

} // namespace

ShapeSettings::ShapeSettings(QObject* parent)
    : QObject(parent)
{
    writeSamples();
    reset();
}

void ShapeSettings::writeSamples()
{
    if (!m_sampleDir.isValid())
        return;
    const QStringList names { QStringLiteral("stripes.png"), QStringLiteral("dots.png"),
        QStringLiteral("checks.png") };
    for (int i = 0; i < names.size(); ++i) {
        const QString path = QDir(m_sampleDir.path()).filePath(names.at(i));
        if (makeTexture(i).save(path))
            m_samples.append(path);
    }
}

PropertyDescriptionList ShapeSettings::propertyList()
{
    PropertiesListBuilder builder(tr("Shape"));
    builder.AddPanel(tr("Geometry"));
    builder.AddComboBox(tr("Shape"), QStringLiteral("shape"));
    builder.AddSlider(
        tr("Size"), QStringLiteral("size"), 20.0f, 240.0f, eIntValues | eSliderInsteadSpinner, 0);
    builder.AddSlider(tr("Rotation"), QStringLiteral("rotation"), -180.0f, 180.0f,
        eIntValues | eSliderInsteadSpinner | eSliderIntStep, 0);
    builder.AddPercentSlider(tr("Opacity"), QStringLiteral("opacity"));

    builder.AddPanel(tr("Colours"));
    builder.AddColorPicker(tr("Fill"), QStringLiteral("fillColor"));
    builder.AddCheckBox(tr("Draw an outline"), QStringLiteral("outline"));
    builder.AddColorPicker(tr("Outline"), QStringLiteral("outlineColor"), eSecondary);
    builder.AddComboBox(tr("Outline width"), QStringLiteral("outlineWidth"));
    builder.AddSeparator();
    builder.AddCheckBox(tr("Fill with a texture"), QStringLiteral("useTexture"), ePrimaryLight);
    builder.AddFilePicker(tr("Texture file"), QStringLiteral("texture"), QStringLiteral("texture"));

    builder.AddPanel(tr("Text"));
    builder.AddTextField(tr("Caption"), QStringLiteral("caption"));
    builder.AddMultiTextField(tr("Notes"), QStringLiteral("notes"), QString(), true);
    builder.AddLabel(tr("Notes are drawn in the preview's corner."), 0, eSecondary, eSideNone,
        QStringLiteral("hint"));

    builder.AddPanel(tr("Actions"));
    builder.AddButton(tr("Reset"), QStringLiteral("reset"));
    builder.AddButton(tr("Randomise"), QStringLiteral("randomise"));
    return builder;
}

IFileSource* ShapeSettings::fileSource(QString const&)
{
    return new SampleFileSource(m_samples);
}

QStringList ShapeSettings::shapeNames()
{
    return { tr("Circle"), tr("Square"), tr("Triangle"), tr("Star"), tr("Hexagon") };
}

void ShapeSettings::setShape(int shape)
{
    m_shape = qBound(0, shape, int(shapeNames().size()) - 1);
    Q_EMIT changed();
}

void ShapeSettings::setSize(float size)
{
    m_size = std::isfinite(size) ? qBound(20.0f, size, 240.0f) : 120.0f;
    Q_EMIT changed();
}

void ShapeSettings::setOpacity(float opacity)
{
    m_opacity = std::isfinite(opacity) ? qBound(0.0f, opacity, 1.0f) : 1.0f;
    Q_EMIT changed();
}

void ShapeSettings::setRotation(float rotation)
{
    m_rotation = std::isfinite(rotation) ? qBound(-180.0f, rotation, 180.0f) : 0.0f;
    Q_EMIT changed();
}

void ShapeSettings::setFillColor(QColor const& color)
{
    m_fillColor = color;
    Q_EMIT changed();
}

void ShapeSettings::setOutline(bool on)
{
    m_outline = on;
    Q_EMIT changed();
}

void ShapeSettings::setOutlineColor(QColor const& color)
{
    m_outlineColor = color;
    Q_EMIT changed();
}

void ShapeSettings::setOutlineWidth(QString const& width)
{
    m_outlineWidth = width;
    Q_EMIT changed();
}

QVariantMap ShapeSettings::outlineWidthValues() const
{
    QVariantMap values;
    for (const NamedWidth& w : kWidths)
        values.insert(tr(w.name), w.pixels);
    return values;
}

qreal ShapeSettings::outlinePixels() const
{
    for (const NamedWidth& w : kWidths) {
        if (m_outlineWidth == tr(w.name))
            return w.pixels;
    }
    return 2.0;
}

void ShapeSettings::setUseTexture(bool on)
{
    m_useTexture = on;
    Q_EMIT changed();
}

void ShapeSettings::setTexture(QString const& texture)
{
    m_texture = texture;
    Q_EMIT changed();
}

void ShapeSettings::setCaption(QString const& caption)
{
    m_caption = caption;
    Q_EMIT changed();
}

void ShapeSettings::setNotes(QString const& notes)
{
    m_notes = notes;
    Q_EMIT changed();
}

void ShapeSettings::reset()
{
    m_shape = 3;
    m_size = 150.0f;
    m_opacity = 0.85f;
    m_rotation = 12.0f;
    m_fillColor = QColor(0x4a, 0x7b, 0xd9);
    m_outline = true;
    m_outlineColor = QColor(0x1d, 0x2b, 0x4f);
    m_outlineWidth = tr("Medium");
    m_useTexture = false;
    m_texture = m_samples.value(0);
    m_caption = tr("Corvane");
    m_notes = tr("Edit any row:\nthe preview follows.");
    Q_EMIT changed();
}

void ShapeSettings::randomise()
{
    QRandomGenerator* random = QRandomGenerator::global();
    m_shape = random->bounded(int(shapeNames().size()));
    m_size = float(random->bounded(60, 220));
    m_opacity = float(random->bounded(40, 101)) / 100.0f;
    m_rotation = float(random->bounded(-180, 181));
    m_fillColor = QColor::fromHsv(random->bounded(360), 150 + random->bounded(80), 210);
    m_outline = random->bounded(2) == 1;
    m_outlineColor = m_fillColor.darker(250);
    m_outlineWidth = tr(kWidths[random->bounded(int(std::size(kWidths)))].name);
    m_useTexture = !m_samples.isEmpty() && random->bounded(3) == 0;
    if (!m_samples.isEmpty())
        m_texture = m_samples.at(random->bounded(int(m_samples.size())));
    Q_EMIT changed();
}
