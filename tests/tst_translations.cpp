// The texts a property sheet shows come from the "Corvane" translation context, read when the
// sheet is built; without a translator they are the English originals.
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/Label.h>

#include <QTranslator>

using namespace testutils;

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sheetTexts_data();
    void sheetTexts();
    void translatorRemoved();
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

void TestTranslations::sheetTexts_data()
{
    columns<bool, PropertyDescriptionList, QString>("german", "list", "texts");
    const PropertyDescriptionList titleOnly { record(RowType::Title, "Form"_q) };
    const PropertyDescriptionList labelOnly { record(RowType::Label, "x"_q) };
    QTest::newRow("empty") << false << PropertyDescriptionList() << "Untitled|-|-"_q;
    QTest::newRow("title only") << false << titleOnly << "Form|Form|No Settings"_q;
    QTest::newRow("implicit panel") << false << labelOnly << "Untitled|Untitled|-"_q;
    QTest::newRow("German empty") << true << PropertyDescriptionList() << "Unbenannt|-|-"_q;
    QTest::newRow("German title only") << true << titleOnly << "Form|Form|Keine Einstellungen"_q;
    QTest::newRow("German implicit panel") << true << labelOnly << "Unbenannt|Unbenannt|-"_q;
}

void TestTranslations::sheetTexts()
{
    auto [german, list, expected]
        = fetch<bool, PropertyDescriptionList, QString>("german", "list", "texts");
    QTranslator translator;
    if (german) {
        QVERIFY(translator.load(QStringLiteral(CORVANE_TEST_QM)));
        QVERIFY(QCoreApplication::installTranslator(&translator));
    }
    QCOMPARE(texts(list), expected);
}

void TestTranslations::translatorRemoved()
{
    const PropertyDescriptionList titleOnly { record(RowType::Title, "Form"_q) };
    auto translator = std::make_unique<QTranslator>();
    QVERIFY(translator->load(QStringLiteral(CORVANE_TEST_QM)));
    QVERIFY(QCoreApplication::installTranslator(translator.get()));
    QCOMPARE(texts(titleOnly), "Form|Form|Keine Einstellungen"_q);
    translator.reset(); // a destroyed translator removes itself
    QCOMPARE(texts(titleOnly), "Form|Form|No Settings"_q);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
