// Property sheet build, first paint and refresh, against the same rows as stock Qt widgets in a
// QFormLayout with the same style sheet set once on the window.
#include "Harness.h"

#include <corvane/IInputLine.h>
#include <corvane/PropertyListWidget.h>
#include <corvane/Theme.h>

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
#include <QVBoxLayout>

#include <algorithm>
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

// Its row properties are dynamic ("p0", "p1", ...) or, in StaticSheetHost, static ("p000",
// "p001", ...); combo entries ("<prop>Values") are dynamic in both.
class SheetHost : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
public:
    explicit SheetHost(int rows, bool numbered = false)
        : m_rows(rows)
        , m_numbered(numbered)
    { }

    // Gives every row its first value; called once the object is complete.
    void fill()
    {
        for (int i = 0; i < m_rows; ++i)
            setValues(i, 0);
    }

    QByteArray name(int i) const
    {
        return m_numbered ? "p" + QByteArray::number(i).rightJustified(3, '0')
                          : "p" + QByteArray::number(i);
    }

    void setValues(int i, int generation)
    {
        const QByteArray name = this->name(i);
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
            const QString prop = QString::fromLatin1(name(i));
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
    bool m_numbered;
};

// A host of up to 1000 rows whose row properties are static Q_PROPERTYs p000 to p999.
#define CORVANE_BENCH_PROP(a, b, c)                                                                \
    Q_PROPERTY(QVariant p##a##b##c READ get##a##b##c WRITE set##a##b##c)                           \
    QVariant get##a##b##c() const                                                                  \
    {                                                                                              \
        return m_values[a * 100 + b * 10 + c];                                                     \
    }                                                                                              \
    void set##a##b##c(QVariant const& v)                                                           \
    {                                                                                              \
        m_values[a * 100 + b * 10 + c] = v;                                                        \
    }
#define CORVANE_BENCH_PROPS10(a, b)                                                                \
    CORVANE_BENCH_PROP(a, b, 0)                                                                    \
    CORVANE_BENCH_PROP(a, b, 1)                                                                    \
    CORVANE_BENCH_PROP(a, b, 2)                                                                    \
    CORVANE_BENCH_PROP(a, b, 3)                                                                    \
    CORVANE_BENCH_PROP(a, b, 4)                                                                    \
    CORVANE_BENCH_PROP(a, b, 5)                                                                    \
    CORVANE_BENCH_PROP(a, b, 6)                                                                    \
    CORVANE_BENCH_PROP(a, b, 7)                                                                    \
    CORVANE_BENCH_PROP(a, b, 8)                                                                    \
    CORVANE_BENCH_PROP(a, b, 9)
#define CORVANE_BENCH_PROPS100(a)                                                                  \
    CORVANE_BENCH_PROPS10(a, 0)                                                                    \
    CORVANE_BENCH_PROPS10(a, 1)                                                                    \
    CORVANE_BENCH_PROPS10(a, 2)                                                                    \
    CORVANE_BENCH_PROPS10(a, 3)                                                                    \
    CORVANE_BENCH_PROPS10(a, 4)                                                                    \
    CORVANE_BENCH_PROPS10(a, 5)                                                                    \
    CORVANE_BENCH_PROPS10(a, 6)                                                                    \
    CORVANE_BENCH_PROPS10(a, 7)                                                                    \
    CORVANE_BENCH_PROPS10(a, 8)                                                                    \
    CORVANE_BENCH_PROPS10(a, 9)

class StaticSheetHost : public SheetHost
{
    Q_OBJECT
    CORVANE_BENCH_PROPS100(0)
    CORVANE_BENCH_PROPS100(1)
    CORVANE_BENCH_PROPS100(2)
    CORVANE_BENCH_PROPS100(3)
    CORVANE_BENCH_PROPS100(4)
    CORVANE_BENCH_PROPS100(5)
    CORVANE_BENCH_PROPS100(6)
    CORVANE_BENCH_PROPS100(7)
    CORVANE_BENCH_PROPS100(8)
    CORVANE_BENCH_PROPS100(9)
public:
    explicit StaticSheetHost(int rows)
        : SheetHost(std::min(rows, 1000), true)
    { }

private:
    QVariant m_values[1000];
};

// The host of a case: dynamic or static row properties, filled.
std::unique_ptr<SheetHost> makeHost(int rows, bool isStatic = false)
{
    std::unique_ptr<SheetHost> host(isStatic ? new StaticSheetHost(rows) : new SheetHost(rows));
    host->fill();
    return host;
}

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
            const QVariant value = host.property(host.name(i).constData());
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
            const QVariant value = host.property(host.name(int(i)).constData());
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

// How the host gives the library its theme.
enum class Setup {
    Alone, // the sheet is its own window: only the controls that name a look carry the theme
    HostWindow, // the host also sets the theme on its window, as the gallery does
    Shared, // shared theme mode: controls carry no copy, the window gets it through applyTheme()
};

std::vector<double> buildLibrary(Setup setup, int rows, int reps)
{
    std::vector<double> samples;
    const auto owned = makeHost(rows);
    SheetHost& host = *owned;
    corvane::setSharedTheme(setup == Setup::Shared);
    for (int r = 0; r < reps; ++r) {
        const qint64 start = bench::nowNs();
        {
            QWidget window;
            if (setup == Setup::HostWindow)
                window.setStyleSheet(hostStyleSheet());
            else if (setup == Setup::Shared)
                corvane::applyTheme(&window);
            // Built on its own and then placed, as a host with a scroll area or a dock does.
            auto* sheet = new PropertyListWidget(&host, nullptr);
            QWidget* shown = sheet;
            if (setup != Setup::Alone) {
                auto* layout = new QVBoxLayout(&window);
                layout->setContentsMargins(0, 0, 0, 0);
                layout->addWidget(sheet);
                shown = &window;
            }
            shown->resize(420, 600);
            bench::showAndPaint(shown);
            samples.push_back(bench::msSince(start));
            // In a window the window owns it.
            if (shown == sheet)
                delete sheet;
        }
        QApplication::processEvents();
    }
    return samples;
}

std::vector<double> buildStock(int rows, int reps)
{
    std::vector<double> samples;
    const auto owned = makeHost(rows);
    SheetHost& host = *owned;
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
std::vector<double> updateObjects(int rows, int reps, int objects, bool isStatic = false)
{
    std::vector<double> samples;
    std::vector<std::unique_ptr<SheetHost>> hosts;
    QList<QObject*> bound;
    for (int i = 0; i < objects; ++i) {
        hosts.push_back(makeHost(rows, isStatic));
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

std::vector<double> updateStock(int rows, int reps, bool isStatic = false)
{
    std::vector<double> samples;
    const auto owned = makeHost(rows, isStatic);
    SheetHost& host = *owned;
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

const bool registered
    = bench::registerCase({ QStringLiteral("sheet.build+paint"),
          QStringLiteral("PropertyListWidget of N mixed rows built and painted "
                         "as a window of its own, vs stock widgets in a "
                         "QFormLayout"),
          [](int rows, int reps) { return buildLibrary(Setup::Alone, rows, reps); }, buildStock,
          { 100, 1000 }, { 10 }, 5 })
    && bench::registerCase({ QStringLiteral("sheet.build+paint.hostwindow"),
        QStringLiteral("the same, placed in a window on which the host sets the theme as well"),
        [](int rows, int reps) { return buildLibrary(Setup::HostWindow, rows, reps); }, buildStock,
        { 100, 1000 }, { 10 }, 5 })
    && bench::registerCase({ QStringLiteral("sheet.build+paint.shared"),
        QStringLiteral("the same in the shared theme mode, the window themed with applyTheme()"),
        [](int rows, int reps) { return buildLibrary(Setup::Shared, rows, reps); }, buildStock,
        { 100, 1000 }, { 10 }, 5 })
    && bench::registerCase({ QStringLiteral("sheet.updateAll"),
        QStringLiteral(
            "updateAll() after every property changed, vs setting every stock widget's value"),
        updateLibrary, [](int rows, int reps) { return updateStock(rows, reps); }, { 1000 }, { 10 },
        9 })
    && bench::registerCase({ QStringLiteral("sheet.updateAll.static"),
        QStringLiteral("the same with a host whose row properties are static Q_PROPERTYs"),
        [](int rows, int reps) { return updateObjects(rows, reps, 1, true); },
        [](int rows, int reps) { return updateStock(rows, reps, true); }, { 1000 }, { 10 }, 9 })
    && bench::registerCase({ QStringLiteral("sheet.updateAll.10objects"),
        QStringLiteral("updateAll() of a sheet bound to 10 objects that agree, vs the same sheet "
                       "bound to one"),
        [](int rows, int reps) { return updateObjects(rows, reps, 10); }, updateLibrary, { 1000 },
        { 10 }, 9 });

} // namespace

#include "SheetCases.moc"
