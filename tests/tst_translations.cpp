// The texts a property sheet shows come from the "Corvane" translation context, read when the
// sheet is built; without a translator they are the English originals.
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/FilePicker.h>
#include <corvane/Label.h>

#include <QTranslator>

using namespace testutils;

namespace {

// For an empty list, a title alone and a label alone: "<window title>|<implicit panel's title>|
// <centred label's text>", "-" for what is missing.
QString texts()
{
    QStringList out;
    for (QLatin1String type : { QLatin1String(), RowType::Title, RowType::Label }) {
        FakeHost host(type.isEmpty()
                ? PropertyDescriptionList()
                : PropertyDescriptionList {
                    { { PropertyKey::Type, QString(type) }, { PropertyKey::Label, "Form"_q } } });
        PropertyListWidget sheet(&host, nullptr);
        auto* panelTitle = sheet.findChild<Label*>("panelTitle"_q);
        auto* noSettings = sheet.findChild<Label*>("noSettings"_q);
        out << sheet.windowTitle() + QLatin1Char('|') + (panelTitle ? panelTitle->text() : "-"_q)
                + QLatin1Char('|') + (noSettings ? noSettings->text() : "-"_q);
    }
    return out.join(QLatin1String("; "));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // With no translator, with the German one, and with the German one destroyed again (which
    // removes itself).
    void sheetTexts_data()
    {
        columns<int, QString>("german", "texts");
        row("none", 0, "Untitled|-|-; Form|Form|No Settings; Untitled|Untitled|-");
        row("German", 1, "Unbenannt|-|-; Form|Form|Keine Einstellungen; Unbenannt|Unbenannt|-");
        row("German removed", 2, "Untitled|-|-; Form|Form|No Settings; Untitled|Untitled|-");
    }
    void sheetTexts()
    {
        QFETCH(int, german);
        auto translator = std::make_unique<QTranslator>();
        if (german) {
            QVERIFY(translator->load(QStringLiteral(CORVANE_TEST_QM)));
            QVERIFY(QCoreApplication::installTranslator(translator.get()));
        }
        if (german == 2)
            translator.reset(); // a destroyed translator removes itself
        QTEST(texts(), "texts");
    }

    // The names that assistive technologies read follow a translator installed later.
    void accessibleNames()
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
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
