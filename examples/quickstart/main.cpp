// The smallest host of a property sheet: an object with a few Qt properties that describes its
// rows, and a sheet that edits it. `--quit` leaves as soon as the window is up.

//! [host]
#include <corvane/IInputLine.h> // the flags of number rows
#include <corvane/PropertyListBuilder.h>
#include <corvane/PropertyListWidget.h>

#include <QApplication>
#include <QColor>
#include <QStringList>
#include <QTimer>

class Brush : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    // The rows are bound by name. MEMBER properties with a NOTIFY signal announce every write.
    Q_PROPERTY(float size MEMBER m_size NOTIFY changed)
    Q_PROPERTY(QColor color MEMBER m_color NOTIFY changed)
    Q_PROPERTY(int shape MEMBER m_shape NOTIFY changed)
    Q_PROPERTY(bool soft MEMBER m_soft NOTIFY changed)
    Q_PROPERTY(float hardness MEMBER m_hardness NOTIFY changed)
    // Derived properties: the shape row's entries, and when the hardness row is enabled.
    Q_PROPERTY(QStringList shapeValues READ shapeValues CONSTANT)
    Q_PROPERTY(bool hardnessEnabled READ isSoft NOTIFY changed)

public:
    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder b(tr("Brush"));
        b.AddPanel(tr("Tip"));
        b.AddSlider(
            tr("Size"), QStringLiteral("size"), 1, 200, eIntValues | eSliderInsteadSpinner, 0);
        b.AddComboBox(tr("Shape"), QStringLiteral("shape"));
        b.AddColorPicker(tr("Colour"), QStringLiteral("color"));
        b.AddPanel(tr("Edge"));
        b.AddCheckBox(tr("Soft"), QStringLiteral("soft"));
        b.AddPercentSlider(tr("Hardness"), QStringLiteral("hardness"));
        return b;
    }

    QStringList shapeValues() const { return { tr("Round"), tr("Square") }; }
    bool isSoft() const { return m_soft; }

Q_SIGNALS:
    void changed();

private:
    float m_size = 24;
    QColor m_color = Qt::black;
    int m_shape = 0;
    bool m_soft = false;
    float m_hardness = 0.5f;
};
//! [host]

//! [sheet]
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    Brush brush;
    PropertyListWidget sheet(&brush, nullptr);
    // The sheet writes each edit into the property and nothing more; the host refreshes it, so
    // that checking "Soft" enables the hardness row.
    QObject::connect(&brush, &Brush::changed, &sheet, &PropertyListWidget::updateAll);
    sheet.resize(320, 260);
    sheet.show();

    if (app.arguments().contains(QStringLiteral("--quit")))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
//! [sheet]

#include "main.moc"
