// Property sheet build, first paint and refresh, against the same rows as stock Qt widgets in a
// QFormLayout with the same style sheet set once on the window.
#include "Harness.h"

#include <corvane/IInputLine.h>
#include <corvane/PropertyListWidget.h>

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <memory>

namespace {

// Row kinds in the proportions of a typical sheet: 40 % number, 20 % check, 15 % combo,
// 15 % text, 10 % colour.
enum class Kind { Number, Check, Combo, Text, Color };

Kind kindOf(int i)
{
    const int r = i % 20;
    if (r < 8)
        return Kind::Number;
    if (r < 12)
        return Kind::Check;
    if (r < 15)
        return Kind::Combo;
    if (r < 18)
        return Kind::Text;
    return Kind::Color;
}

QStringList comboEntries()
{
    return { QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Large"),
        QStringLiteral("Huge"), QStringLiteral("Custom") };
}

class SheetHost : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
public:
    explicit SheetHost(int rows)
        : m_rows(rows)
    {
        for (int i = 0; i < rows; ++i)
            setValues(i, 0);
    }

    void setValues(int i, int generation)
    {
        const QByteArray name = "p" + QByteArray::number(i);
        switch (kindOf(i)) {
        case Kind::Number:
            setProperty(name, float((i + generation) % 100) / 10.0f);
            break;
        case Kind::Check:
            setProperty(name, (i + generation) % 2 == 0);
            break;
        case Kind::Combo:
            setProperty(name + "Values", comboEntries());
            setProperty(name, (i + generation) % 5);
            break;
        case Kind::Text:
            setProperty(name, QStringLiteral("Text %1").arg(i + generation));
            break;
        case Kind::Color:
            setProperty(name, QColor::fromHsv((i * 7 + generation * 40) % 360, 200, 200));
            break;
        }
    }

    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder b(QStringLiteral("Benchmark"));
        for (int i = 0; i < m_rows; ++i) {
            if (i % 25 == 0)
                b.AddPanel(QStringLiteral("Panel %1").arg(i / 25));
            const QString prop = QStringLiteral("p%1").arg(i);
            const QString label = QStringLiteral("Row %1").arg(i);
            switch (kindOf(i)) {
            case Kind::Number:
                b.AddSlider(label, prop, 0.0f, 10.0f, eSliderInsteadSpinner | eRealValues, 2);
                break;
            case Kind::Check:
                b.AddCheckBox(label, prop, ePrimary);
                break;
            case Kind::Combo:
                b.AddComboBox(label, prop, false, false);
                break;
            case Kind::Text:
                b.AddTextField(label, prop, QString(), false);
                break;
            case Kind::Color:
                b.AddColorPicker(label, prop, ePrimary);
                break;
            }
        }
        return b;
    }

private:
    int m_rows;
};

QString hostStyleSheet()
{
    QFile css(QStringLiteral(":/force-styles.css"));
    css.open(QIODevice::ReadOnly);
    return QString::fromLatin1(css.readAll());
}

// The stock form: one stock widget (or pair) per row, values set from the same host object.
struct StockForm
{
    QWidget window;
    std::vector<QWidget*> fields;

    explicit StockForm(SheetHost& host, int rows)
    {
        window.setStyleSheet(hostStyleSheet());
        auto* form = new QFormLayout(&window);
        fields.reserve(rows);
        for (int i = 0; i < rows; ++i) {
            const QString label = QStringLiteral("Row %1").arg(i);
            const QVariant value = host.property(("p" + QByteArray::number(i)).constData());
            QWidget* field = nullptr;
            switch (kindOf(i)) {
            case Kind::Number: {
                auto* row = new QWidget;
                auto* layout = new QHBoxLayout(row);
                layout->setContentsMargins(0, 0, 0, 0);
                auto* slider = new QSlider(Qt::Horizontal);
                slider->setRange(0, 100);
                auto* spin = new QDoubleSpinBox;
                spin->setRange(0, 10);
                spin->setDecimals(2);
                spin->setValue(value.toDouble());
                slider->setValue(int(value.toDouble() * 10));
                layout->addWidget(slider);
                layout->addWidget(spin);
                field = row;
                break;
            }
            case Kind::Check: {
                auto* check = new QCheckBox;
                check->setChecked(value.toBool());
                field = check;
                break;
            }
            case Kind::Combo: {
                auto* combo = new QComboBox;
                combo->addItems(comboEntries());
                combo->setCurrentIndex(value.toInt());
                field = combo;
                break;
            }
            case Kind::Text:
                field = new QLineEdit(value.toString());
                break;
            case Kind::Color: {
                auto* button = new QPushButton;
                button->setStyleSheet(QString()); // the swatch colour is painted from a palette
                QPalette palette = button->palette();
                palette.setColor(QPalette::Button, value.value<QColor>());
                button->setPalette(palette);
                field = button;
                break;
            }
            }
            form->addRow(label, field);
            fields.push_back(field);
        }
    }

    void refresh(SheetHost& host)
    {
        for (size_t i = 0; i < fields.size(); ++i) {
            const QVariant value
                = host.property(("p" + QByteArray::number(qulonglong(i))).constData());
            QWidget* field = fields[i];
            switch (kindOf(int(i))) {
            case Kind::Number:
                field->findChild<QDoubleSpinBox*>()->setValue(value.toDouble());
                field->findChild<QSlider*>()->setValue(int(value.toDouble() * 10));
                break;
            case Kind::Check:
                static_cast<QCheckBox*>(field)->setChecked(value.toBool());
                break;
            case Kind::Combo:
                static_cast<QComboBox*>(field)->setCurrentIndex(value.toInt());
                break;
            case Kind::Text:
                static_cast<QLineEdit*>(field)->setText(value.toString());
                break;
            case Kind::Color: {
                QPalette palette = field->palette();
                palette.setColor(QPalette::Button, value.value<QColor>());
                field->setPalette(palette);
                break;
            }
            }
        }
    }
};

std::vector<double> buildLibrary(int rows, int reps)
{
    std::vector<double> samples;
    SheetHost host(rows);
    for (int r = 0; r < reps; ++r) {
        const qint64 start = bench::nowNs();
        {
            PropertyListWidget sheet(&host, nullptr);
            sheet.resize(420, 600);
            bench::showAndPaint(&sheet);
            samples.push_back(bench::msSince(start));
        }
        QApplication::processEvents();
    }
    return samples;
}

std::vector<double> buildStock(int rows, int reps)
{
    std::vector<double> samples;
    SheetHost host(rows);
    for (int r = 0; r < reps; ++r) {
        const qint64 start = bench::nowNs();
        {
            StockForm form(host, rows);
            form.window.resize(420, 600);
            bench::showAndPaint(&form.window);
            samples.push_back(bench::msSince(start));
        }
        QApplication::processEvents();
    }
    return samples;
}

// The same sheet bound to `objects` hosts that agree on every value: each row reads every object
// to find that it is not mixed, and each enabled state is asked of every object.
std::vector<double> updateObjects(int rows, int reps, int objects)
{
    std::vector<double> samples;
    std::vector<std::unique_ptr<SheetHost>> hosts;
    QList<QObject*> bound;
    for (int i = 0; i < objects; ++i) {
        hosts.emplace_back(new SheetHost(rows));
        bound << hosts.back().get();
    }
    PropertyListWidget sheet(bound, nullptr);
    sheet.resize(420, 600);
    bench::showAndPaint(&sheet);
    for (int r = 0; r < reps; ++r) {
        for (auto& host : hosts) {
            for (int i = 0; i < rows; ++i)
                host->setValues(i, r + 1);
        }
        const qint64 start = bench::nowNs();
        sheet.updateAll();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> updateLibrary(int rows, int reps)
{
    return updateObjects(rows, reps, 1);
}

std::vector<double> updateStock(int rows, int reps)
{
    std::vector<double> samples;
    SheetHost host(rows);
    StockForm form(host, rows);
    form.window.resize(420, 600);
    bench::showAndPaint(&form.window);
    for (int r = 0; r < reps; ++r) {
        for (int i = 0; i < rows; ++i)
            host.setValues(i, r + 1);
        const qint64 start = bench::nowNs();
        form.refresh(host);
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

const bool registered = bench::registerCase({ QStringLiteral("sheet.build+paint"),
                            QStringLiteral("PropertyListWidget of N mixed rows built and painted, "
                                           "vs stock widgets in a QFormLayout"),
                            buildLibrary, buildStock, { 100, 1000 }, { 10 }, 5 })
    && bench::registerCase({ QStringLiteral("sheet.updateAll"),
        QStringLiteral(
            "updateAll() after every property changed, vs setting every stock widget's value"),
        updateLibrary, updateStock, { 1000 }, { 10 }, 9 })
    && bench::registerCase({ QStringLiteral("sheet.updateAll.10objects"),
        QStringLiteral("updateAll() of a sheet bound to 10 objects that agree, vs the same sheet "
                       "bound to one"),
        [](int rows, int reps) { return updateObjects(rows, reps, 10); }, updateLibrary, { 1000 },
        { 10 }, 9 });

} // namespace

#include "SheetCases.moc"
