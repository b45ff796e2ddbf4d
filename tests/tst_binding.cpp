#include "TestUtils.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/ColorPicker.h>
#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/FileSource.h>
#include <corvane/InputLineSlider.h>
#include <corvane/MultiTextField.h>
#include <corvane/PropertyListWidget.h>
#include <corvane/TextField.h>

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <stdexcept>

using Write = QPair<QString, QVariant>;

// Most bound properties are dynamic, so every write arrives exactly as the sheet sent it and is
// logged from the change event. Three static ones behave badly: the texture setter throws on
// "bad.png", the mood setter throws on "grumpy" and the width setter refuses unknown widths by
// storing "0".
class Host : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(QString texture MEMBER m_texture WRITE setTexture)
    Q_PROPERTY(QString width MEMBER m_width WRITE setWidth)
    Q_PROPERTY(QVariant mood MEMBER m_mood WRITE setMood)
    Q_PROPERTY(bool sizeEnabled MEMBER m_sizeEnabled)
public:
    Host()
    {
        const QVariantMap values { { QStringLiteral("size"), 2.5f },
            { QStringLiteral("fill"), QColor(Qt::red) }, { QStringLiteral("outline"), true },
            { QStringLiteral("widthValues"),
                QVariantMap { { QStringLiteral("Thin"), 1 }, { QStringLiteral("Normal"), 2 },
                    { QStringLiteral("Thick"), 4 } } },
            { QStringLiteral("shape"), 1 },
            { QStringLiteral("shapeValues"),
                QStringList {
                    QStringLiteral("Circle"), QStringLiteral("Square"), QStringLiteral("Star") } },
            { QStringLiteral("moodValues"),
                QStringList { QStringLiteral("calm"), QStringLiteral("grumpy") } },
            { QStringLiteral("caption"), QStringLiteral("Hello") },
            { QStringLiteral("notes"), QStringLiteral("Line 1\nLine 2") } };
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            setProperty(it.key().toLatin1(), it.value());
        writes.clear();
    }

    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder b(QStringLiteral("Host"));
        b.AddSlider(QStringLiteral("Size"), QStringLiteral("size"), 0, 10, 0xc2, 2);
        b.AddFilePicker(
            QStringLiteral("Texture"), QStringLiteral("texture"), QStringLiteral("img"));
        b.AddColorPicker(QStringLiteral("Fill"), QStringLiteral("fill"), ePrimary);
        b.AddCheckBox(QStringLiteral("Outline"), QStringLiteral("outline"), eSecondary);
        b.AddComboBox(QStringLiteral("Width"), QStringLiteral("width"), true, false);
        b.AddComboBox(QStringLiteral("Shape"), QStringLiteral("shape"), false, true);
        b.AddComboBox(QStringLiteral("Mood"), QStringLiteral("mood"), false, false);
        b.AddComboBox(QStringLiteral("Later"), QStringLiteral("later"), false, false);
        b.AddTextField(
            QStringLiteral("Caption"), QStringLiteral("caption"), QStringLiteral("w"), false);
        b.AddMultiTextField(
            QStringLiteral("Notes"), QStringLiteral("notes"), QStringLiteral("w"), true);
        b.AddTextField(
            QStringLiteral("Missing"), QStringLiteral("missing"), QStringLiteral("start"), false);
        b.AddButton(QStringLiteral("Reset"), QStringLiteral("reset"));
        return b;
    }

    void setTexture(QString const& v)
    {
        if (v.endsWith(QLatin1String("bad.png")))
            throw std::runtime_error("texture refused");
        writes << Write(QStringLiteral("texture"), v), m_texture = v;
    }
    void setWidth(QString const& v)
    {
        writes << Write(QStringLiteral("width"), v);
        m_width = property("widthValues").toMap().contains(v) ? v : QStringLiteral("0");
    }
    void setMood(QVariant const& v)
    {
        if (v == QVariant(QStringLiteral("grumpy")))
            throw std::runtime_error("mood refused");
        writes << Write(QStringLiteral("mood"), v), m_mood = v;
    }

    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::DynamicPropertyChange) {
            const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName();
            writes << Write(QString::fromLatin1(name), property(name));
        }
        return QObject::event(e);
    }

public Q_SLOTS:
    void reset() { ++resets; }

public:
    QList<Write> writes;
    int resets = 0;
    QString m_texture;
    QString m_width = QStringLiteral("Normal");
    QVariant m_mood = 0;
    bool m_sizeEnabled = false;
};

class Files : public IFileSource
{
public:
    explicit Files(QStringList files)
        : m_files(std::move(files))
    { }
    QStringList getFileList(QWidget*) override { return m_files; }
    bool browseFile(QWidget*, QString&) override { return false; }
    bool isFileAccepted(QString const&) override { return true; }

private:
    QStringList m_files;
};

class Helper : public IPropertyListHelper
{
public:
    IFileSource* fileSource(QString const& mode) override
    {
        modes << mode;
        return new Files(files);
    }
    QStringList modes;
    QStringList files { QStringLiteral("/tmp/a.png"), QStringLiteral("/tmp/b.png"),
        QStringLiteral("/tmp/bad.png") };
};

class tst_Binding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rowsCreated();
    void userEdits_data();
    void userEdits();
    void updateAllRefreshesWithoutWriting();
    void keyedComboRefusal();
    void comboEntriesArriveLater();
    void buttonsFollowRebinding();
    void throwingSetters();
    void hostDestroyedFirst();

private:
    template<typename T> T* row(char const* name)
    {
        return m_sheet->findChild<T*>(QString::fromLatin1(name));
    }
    template<typename T> T* part(char const* rowName, char const* partName = nullptr)
    {
        QWidget* r = row<QWidget>(rowName);
        return partName ? r->findChild<T*>(QString::fromLatin1(partName)) : r->findChild<T*>();
    }
    void clickCheck()
    {
        // On the indicator, which is what takes the click.
        auto* check = row<CheckBox>("outline");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }

    Host* m_host = nullptr;
    Helper m_helper;
    PropertyListWidget* m_sheet = nullptr;
};

void tst_Binding::init()
{
    m_host = new Host;
    m_host->m_texture = m_helper.files.at(0);
    m_sheet = new PropertyListWidget(m_host, &m_helper);
    m_sheet->resize(400, 900);
    m_sheet->show();
    QVERIFY(QTest::qWaitForWindowActive(m_sheet));
}

void tst_Binding::cleanup()
{
    delete m_sheet;
    delete m_host;
}

void tst_Binding::rowsCreated()
{
    auto* size = row<InputLineSlider>("size");
    QCOMPARE(size->getValue(), 2.5f);
    QCOMPARE(size->getMaxValue(), 10.0f);
    QCOMPARE(size->getPrecision(), 2);
    QVERIFY(!size->isEnabled()); // sizeEnabled is false
    QCOMPARE(row<FilePicker>("texture")->getFileName(), m_helper.files.at(0));
    QCOMPARE(m_helper.modes, QStringList { QStringLiteral("img") });
    QCOMPARE(row<ColorPicker>("fill")->getValue(), QColor(Qt::red));
    QVERIFY(row<CheckBox>("outline")->isChecked());
    QCOMPARE(row<CheckBox>("outline")->getStyleType(), QStringLiteral("secondary"));

    // Keyed, plain and not yet filled combos.
    QCOMPARE(row<ComboBox>("width")->currentValue(), QStringLiteral("Normal"));
    QCOMPARE(row<ComboBox>("width")->property("w_nokeys"), QVariant(false));
    QCOMPARE(row<ComboBox>("shape")->currentIndex(), 1);
    QCOMPARE(row<ComboBox>("shape")->property("w_nokeys"), QVariant(true));
    QVERIFY(row<ComboBox>("shape")->isTwoLines());
    QCOMPARE(row<ComboBox>("later")->count(), 0);
    QVERIFY(!row<ComboBox>("later")->property("w_nokeys").isValid());

    // Text rows show the property from the start, or the description's text without one.
    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Hello"));
    QCOMPARE(part<QTextEdit>("notes")->toPlainText(), QStringLiteral("Line 1\nLine 2"));
    QVERIFY(row<MultiTextField>("notes")->isTwoLines());
    QCOMPARE(row<TextField>("missing")->text(), QStringLiteral("start"));
    QVERIFY(m_host->writes.isEmpty());
}

void tst_Binding::userEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QList<Write>>("expected");

    auto w = [](char const* prop, QVariant v) {
        return QList<Write> { Write(QString::fromLatin1(prop), v) };
    };
    QTest::newRow("number typed") << QStringLiteral("number") << w("size", 7.25f);
    QTest::newRow("check clicked") << QStringLiteral("check") << w("outline", false);
    QTest::newRow("file removed") << QStringLiteral("fileRemove") << w("texture", QString());
    QTest::newRow("file's empty entry") << QStringLiteral("fileChoose") << w("texture", QString());
    QTest::newRow("colour chosen") << QStringLiteral("color") << w("fill", QColor(Qt::blue));
    QTest::newRow("keyed combo") << QStringLiteral("keyed") << w("width", QStringLiteral("Thick"));
    // A plain list writes the entry's text first, then its index.
    QTest::newRow("plain combo") << QStringLiteral("plain")
                                 << w("shape", QStringLiteral("Star")) + w("shape", 2);
    QTest::newRow("text") << QStringLiteral("text") << w("caption", QStringLiteral("Hello!"));
    QTest::newRow("multitext") << QStringLiteral("multitext")
                               << w("notes", QStringLiteral("Line 1\nLine 2+"));
}

void tst_Binding::userEdits()
{
    QFETCH(QString, edit);
    m_host->m_sizeEnabled = true;
    m_sheet->updateAll();
    QVERIFY(m_host->writes.isEmpty());

    if (edit == QLatin1String("number")) {
        auto* field = part<QLineEdit>("size", "edit");
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QStringLiteral("7.25"));
        QTest::keyClick(field, Qt::Key_Return);
    } else if (edit == QLatin1String("check")) {
        clickCheck();
    } else if (edit == QLatin1String("fileRemove")) {
        QTest::mouseClick(part<QPushButton>("texture", "remove"), Qt::LeftButton);
    } else if (edit == QLatin1String("fileChoose")) {
        auto* combo = part<QComboBox>("texture", "combo");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Up);
    } else if (edit == QLatin1String("color")) {
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setCurrentColor(Qt::blue);
            dialog->accept();
        });
        QTest::mouseClick(part<QPushButton>("fill", "button"), Qt::LeftButton);
    } else if (edit == QLatin1String("keyed") || edit == QLatin1String("plain")) {
        auto* combo = part<QComboBox>(edit == QLatin1String("keyed") ? "width" : "shape");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    } else if (edit == QLatin1String("text")) {
        auto* field = part<QLineEdit>("caption", "edit");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, QStringLiteral("!"));
        QTest::keyClick(field, Qt::Key_Return);
    } else if (edit == QLatin1String("multitext")) {
        auto* editor = part<QTextEdit>("notes", "edit");
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("+"));
        part<QLineEdit>("caption", "edit")->setFocus();
    }

    // Exactly these writes, with these values and types.
    QFETCH(QList<Write>, expected);
    QCOMPARE(m_host->writes, expected);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(m_host->writes.at(i).second.userType(), expected.at(i).second.userType());
}

void tst_Binding::updateAllRefreshesWithoutWriting()
{
    m_host->setProperty("size", 4.5f);
    m_host->m_texture = m_helper.files.at(1);
    m_host->setProperty("fill", QColor(Qt::green));
    m_host->setProperty("outline", false);
    m_host->m_width = QStringLiteral("Thin");
    m_host->setProperty("caption", QStringLiteral("Bye"));
    m_host->setProperty("notes", QStringLiteral("New"));
    m_host->setProperty("fillEnabled", false);
    m_host->setProperty("resetEnabled", false);
    m_host->m_sizeEnabled = true;
    m_host->writes.clear();
    m_sheet->updateAll();

    QCOMPARE(row<InputLineSlider>("size")->getValue(), 4.5f);
    QVERIFY(row<InputLineSlider>("size")->isEnabled());
    QCOMPARE(row<FilePicker>("texture")->getFileName(), m_helper.files.at(1));
    QVERIFY(!row<ColorPicker>("fill")->isEnabled());
    QCOMPARE(row<ColorPicker>("fill")->getValue(),
        QColor(QStringLiteral("#F0F0F0"))); // grey while disabled
    QVERIFY(!row<CheckBox>("outline")->isChecked());
    QCOMPARE(row<ComboBox>("width")->currentValue(), QStringLiteral("Thin"));
    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Bye"));
    QCOMPARE(part<QTextEdit>("notes")->toPlainText(), QStringLiteral("New"));
    QVERIFY(!row<Button>("reset")->isEnabled());
    QCOMPARE(row<TextField>("missing")->text(), QString());
    QVERIFY(m_host->writes.isEmpty());

    // A plain list is refreshed by index through the combo's own signal, which writes back;
    // an unchanged index writes nothing.
    m_host->setProperty("shape", 0);
    m_host->writes.clear();
    m_sheet->updateAll();
    QCOMPARE(m_host->writes,
        (QList<Write> { Write(QStringLiteral("shape"), QStringLiteral("Circle")),
            Write(QStringLiteral("shape"), 0) }));
    m_host->writes.clear();
    m_sheet->updateAll();
    QVERIFY(m_host->writes.isEmpty());
}

void tst_Binding::keyedComboRefusal()
{
    auto* combo = part<QComboBox>("width");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Huge"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);

    // The refused entry is gone, the old value is back in the object and the combo.
    QCOMPARE(combo->findText(QStringLiteral("Huge")), -1);
    QCOMPARE(m_host->m_width, QStringLiteral("Normal"));
    QCOMPARE(combo->currentText(), QStringLiteral("Normal"));
    QVERIFY(m_host->writes.contains(Write(QStringLiteral("width"), QStringLiteral("Huge"))));
    QCOMPARE(m_host->writes.last(), Write(QStringLiteral("width"), QStringLiteral("Normal")));
}

void tst_Binding::comboEntriesArriveLater()
{
    auto* later = row<ComboBox>("later");
    m_host->setProperty("laterValues", QStringList { QStringLiteral("x"), QStringLiteral("y") });
    m_host->setProperty("later", 1);
    m_host->writes.clear();
    m_sheet->updateAll();
    QCOMPARE(later->count(), 2);
    QCOMPARE(later->currentIndex(), 1);
    QCOMPARE(later->property("w_nokeys"), QVariant(true));
    // Filling and selecting happened with the sheet disconnected, so nothing was written back.
    QVERIFY(m_host->writes.isEmpty());
    m_sheet->updateAll();
    QCOMPARE(later->count(), 2);
}

void tst_Binding::buttonsFollowRebinding()
{
    auto* reset = row<Button>("reset");
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(m_host->resets, 1);

    Host other;
    other.setProperty("caption", QStringLiteral("Other"));
    m_sheet->UpdateValues(&other);
    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Other"));
    QTest::mouseClick(reset, Qt::LeftButton);
    m_sheet->UpdateValues(&other); // the same object again does not double the connection
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(m_host->resets, 1);
    QCOMPARE(other.resets, 2);
    m_sheet->UpdateValues(m_host);
}

void tst_Binding::throwingSetters()
{
    // The file setter throws: the picker goes back to the object's file.
    auto* picker = row<FilePicker>("texture");
    picker->SelectFile(m_helper.files.at(2));
    QCOMPARE(picker->getFileName(), m_helper.files.at(0));
    QCOMPARE(m_host->m_texture, m_helper.files.at(0));

    // The combo setter throws on the text: swallowed, and the index write that follows for a
    // plain list goes through.
    row<ComboBox>("mood")->setCurrentIndex(1);
    QCOMPARE(m_host->writes, QList<Write> { Write(QStringLiteral("mood"), 1) });
}

void tst_Binding::hostDestroyedFirst()
{
    auto* size = row<InputLineSlider>("size");
    QCOMPARE(m_sheet->findProperty(size), QStringLiteral("size"));
    QCOMPARE(m_sheet->findProperty(nullptr), QString());
    QCOMPARE(m_sheet->findWidget(QStringLiteral("nothing")), nullptr);
    delete m_host;
    m_host = nullptr;

    // Nothing to read or write any more, and nothing breaks.
    m_sheet->updateAll();
    QCOMPARE(size->getValue(), 2.5f);
    QCOMPARE(m_sheet->getProperty(size), QVariant());
    clickCheck();
    QTest::mouseClick(row<Button>("reset"), Qt::LeftButton);
    row<ComboBox>("shape")->setCurrentIndex(0);
    row<FilePicker>("texture")->SelectFile(QString());

    // A new object takes over, buttons included.
    Host other;
    m_sheet->UpdateValues(&other);
    QTest::mouseClick(row<Button>("reset"), Qt::LeftButton);
    QCOMPARE(other.resets, 1);
}

QTEST_MAIN(tst_Binding)
#include "tst_binding.moc"
