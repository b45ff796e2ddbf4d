// Runs without a style sheet resource of its own, to see the cache before and after one appears.
#include <corvane/Theme.h>

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QResource>
#include <QTest>

#include "platform/Utils_p.h"

static const char* const Missing = "Corvane Widgets: the theme resource \":/force-styles.css\" is "
                                   "missing; controls are drawn without it.";

class tst_ForceStyles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        // Our one warning is expected where it is due; Qt's "device not open" is never.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
#endif
    }

    void missingResourceGivesEmptySheetAndIsRetried()
    {
        QLabel label;
        label.setStyleSheet(QStringLiteral("QLabel { color: red; }"));
        // Said once while the resource stays missing, however many controls look for it.
        QTest::ignoreMessage(QtWarningMsg, Missing);
        forceStyles(&label);
        forceStyles(&label);
        // A missing resource removes the sheet the widget had.
        QCOMPARE(label.styleSheet(), QString());

        // The cache stayed empty, so a resource registered later is found; everything after its
        // zero byte is ignored.
        QVERIFY(QResource::registerResource(QStringLiteral(ZERO_BYTE_RCC)));
        forceStyles(&label);
        const QString sheet = QStringLiteral("QLabel { color: rgb(1, 2, 3); }\n");
        QCOMPARE(label.styleSheet(), sheet);
        label.ensurePolished();
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(1, 2, 3));

        // Once filled, the cache no longer looks at the resource.
        QVERIFY(QResource::unregisterResource(QStringLiteral(ZERO_BYTE_RCC)));
        QLabel other;
        forceStyles(&other);
        QCOMPARE(other.styleSheet(), sheet);

        // Going back to the resource reads it again: missing anew, it is said anew, and both
        // widgets lose the sheet they carried.
        QTest::ignoreMessage(QtWarningMsg, Missing);
        corvane::resetTheme();
        forceStyles(&other);
        QCOMPARE(label.styleSheet(), QString());
        QCOMPARE(other.styleSheet(), QString());
    }
};

QTEST_MAIN(tst_ForceStyles)
#include "tst_forcestyles.moc"
