// Runs without a style sheet resource of its own, to see the cache before and after one appears.
#include <QApplication>
#include <QLabel>
#include <QResource>
#include <QTest>

#include "platform/Utils_p.h"

class tst_ForceStyles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingResourceGivesEmptySheetAndIsRetried()
    {
        QLabel label;
        label.setStyleSheet(QStringLiteral("QLabel { color: red; }"));
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
    }
};

QTEST_MAIN(tst_ForceStyles)
#include "tst_forcestyles.moc"
