// The texts a property sheet shows come from the "Corvane" translation context, read when the
// sheet is built; without a translator they are the English originals.
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/FilePicker.h>
#include <corvane/Label.h>

#include <QTranslator>

using namespace testutils;

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sheetTexts_data();
    void sheetTexts();
    void accessibleNames();
};

namespace {

PropertyDescription record(QLatin1String type, QString const& label = QString())
{
    return { { PropertyKey::Type, QString(type) }, { PropertyKey::Label, label } };
}

// "<window title>|<implicit panel's title>|<centred label's text>", "-" for what is missing.
QString texts(PropertyDescriptionList const& list)
{
    FakeHost host(list);
    PropertyListWidget sheet(&host, nullptr);
    auto* panelTitle = sheet.findChild<Label*>("panelTitle"_q);
    auto* noSettings = sheet.findChild<Label*>("noSettings"_q);
    return QStringList { sheet.windowTitle(), panelTitle ? panelTitle->text() : "-"_q,
        noSettings ? noSettings->text() : "-"_q }
        .join(QLatin1Char('|'));
}

} // namespace

// With no translator, with the German one, and with the German one destroyed again (which
// removes itself).
void TestTranslations::sheetTexts_data()
{
    columns<int, PropertyDescriptionList, QString>("german", "list", "texts");
    const PropertyDescriptionList titleOnly { record(RowType::Title, "Form"_q) };
    const PropertyDescriptionList labelOnly { record(RowType::Label, "x"_q) };
    QTest::newRow("empty") << 0 << PropertyDescriptionList() << "Untitled|-|-"_q;
    QTest::newRow("title only") << 0 << titleOnly << "Form|Form|No Settings"_q;
    QTest::newRow("implicit panel") << 0 << labelOnly << "Untitled|Untitled|-"_q;
    QTest::newRow("German empty") << 1 << PropertyDescriptionList() << "Unbenannt|-|-"_q;
    QTest::newRow("German title only") << 1 << titleOnly << "Form|Form|Keine Einstellungen"_q;
    QTest::newRow("German implicit panel") << 1 << labelOnly << "Unbenannt|Unbenannt|-"_q;
    QTest::newRow("German removed") << 2 << titleOnly << "Form|Form|No Settings"_q;
}

void TestTranslations::sheetTexts()
{
    auto [german, list, expected]
        = fetch<int, PropertyDescriptionList, QString>("german", "list", "texts");
    auto translator = std::make_unique<QTranslator>();
    if (german) {
        QVERIFY(translator->load(QStringLiteral(CORVANE_TEST_QM)));
        QVERIFY(QCoreApplication::installTranslator(translator.get()));
    }
    if (german == 2) {
        QCOMPARE(texts(list), "Form|Form|Keine Einstellungen"_q);
        translator.reset(); // a destroyed translator removes itself
    }
    QCOMPARE(texts(list), expected);
}

// The names that assistive technologies read follow a translator installed later.
void TestTranslations::accessibleNames()
{
    FilePicker picker("File"_q);
    HostInputLine line("Depth"_q);
    const auto names = [&] {
        QStringList out;
        for (QWidget* part :
            { picker.findChild<QWidget*>("browse"_q), picker.findChild<QWidget*>("remove"_q),
                line.findChild<QWidget*>("spin"_q), line.findChild<QWidget*>("button"_q) })
            out << QAccessible::queryAccessibleInterface(part)->text(QAccessible::Name);
        return out.join(QLatin1Char('|'));
    };
    QCOMPARE(names(), "Browse|Remove|Step|Show slider"_q);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(CORVANE_TEST_QM)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents(); // the change of language reaches the widgets
    QCOMPARE(names(), "Durchsuchen|Entfernen|Schritt|Schieberegler zeigen"_q);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
