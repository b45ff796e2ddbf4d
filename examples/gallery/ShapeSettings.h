#pragma once

#include <corvane/PropertyListWidget.h>

#include <QColor>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

// The host object of the property sheet pages: the settings of one shape. Every row of the sheet
// is bound to one of these properties; the sheet writes edits straight into them and each setter
// announces the change, as every property's NOTIFY signal, so that a page can repaint the
// preview and refresh the sheet, or let the sheet follow by itself.
class ShapeSettings : public QObject, public IUserInterfaceProperties, public IPropertyListHelper
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(int shape READ shape WRITE setShape NOTIFY changed)
    Q_PROPERTY(QStringList shapeValues READ shapeValues CONSTANT)
    Q_PROPERTY(float size READ size WRITE setSize NOTIFY changed)
    Q_PROPERTY(float opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(float rotation READ rotation WRITE setRotation NOTIFY changed)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor NOTIFY changed)
    Q_PROPERTY(bool outline READ outline WRITE setOutline NOTIFY changed)
    Q_PROPERTY(QColor outlineColor READ outlineColor WRITE setOutlineColor NOTIFY changed)
    Q_PROPERTY(bool outlineColorEnabled READ outline NOTIFY changed)
    Q_PROPERTY(QString outlineWidth READ outlineWidth WRITE setOutlineWidth NOTIFY changed)
    Q_PROPERTY(QVariantMap outlineWidthValues READ outlineWidthValues CONSTANT)
    Q_PROPERTY(bool outlineWidthEnabled READ outline NOTIFY changed)
    Q_PROPERTY(bool useTexture READ useTexture WRITE setUseTexture NOTIFY changed)
    Q_PROPERTY(QString texture READ texture WRITE setTexture NOTIFY changed)
    Q_PROPERTY(bool textureEnabled READ useTexture NOTIFY changed)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY changed)
    Q_PROPERTY(QString notes READ notes WRITE setNotes NOTIFY changed)

public:
    explicit ShapeSettings(QObject* parent = nullptr);

    PropertyDescriptionList propertyList() override;
    IFileSource* fileSource(QString const& mode) override;

    static QStringList shapeNames();

    int shape() const { return m_shape; }
    void setShape(int shape);
    QStringList shapeValues() const { return shapeNames(); }
    float size() const { return m_size; }
    void setSize(float size);
    float opacity() const { return m_opacity; }
    void setOpacity(float opacity);
    float rotation() const { return m_rotation; }
    void setRotation(float rotation);
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(QColor const& color);
    bool outline() const { return m_outline; }
    void setOutline(bool on);
    QColor outlineColor() const { return m_outlineColor; }
    void setOutlineColor(QColor const& color);
    QString outlineWidth() const { return m_outlineWidth; }
    void setOutlineWidth(QString const& width);
    QVariantMap outlineWidthValues() const;
    // The outline width in pixels for the current named width.
    qreal outlinePixels() const;
    bool useTexture() const { return m_useTexture; }
    void setUseTexture(bool on);
    QString texture() const { return m_texture; }
    void setTexture(QString const& texture);
    QString caption() const { return m_caption; }
    void setCaption(QString const& caption);
    QString notes() const { return m_notes; }
    void setNotes(QString const& notes);

    // The sample textures the file row offers.
    QStringList sampleFiles() const { return m_samples; }

public Q_SLOTS:
    void reset();
    void randomise();

Q_SIGNALS:
    void changed();

private:
    void writeSamples();

    QTemporaryDir m_sampleDir;
    QStringList m_samples;
    int m_shape = 0;
    float m_size = 0.0f;
    float m_opacity = 0.0f;
    float m_rotation = 0.0f;
    QColor m_fillColor;
    bool m_outline = false;
    QColor m_outlineColor;
    QString m_outlineWidth;
    bool m_useTexture = false;
    QString m_texture;
    QString m_caption;
    QString m_notes;
};
