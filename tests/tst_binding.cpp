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
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <stdexcept>

using Write = QPair<QString, QVariant>;

// A host object with one property per row type, setters that log every write, a setter that
// throws and one that refuses values by storing "0".
class Host : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(float size READ size WRITE setSize)
    Q_PROPERTY(bool sizeEnabled MEMBER m_sizeEnabled)
    Q_PROPERTY(QString texture READ texture WRITE setTexture)
    Q_PROPERTY(QColor fill READ fill WRITE setFill)
    Q_PROPERTY(bool outline READ outline WRITE setOutline)
    Q_PROPERTY(QString width READ width WRITE setWidth)
    Q_PROPERTY(QVariantMap widthValues MEMBER m_widthValues)
    Q_PROPERTY(QVariant shape READ shape WRITE setShape)
    Q_PROPERTY(QStringList shapeValues MEMBER m_shapeValues)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString notes READ notes WRITE setNotes)
    Q_PROPERTY(QVariant mood READ mood WRITE setMood)
    Q_PROPERTY(QStringList moodValues MEMBER m_moodValues)
public:
    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder b(QStringLiteral("Host"));
        b.AddPanel(QStringLiteral("Rows"));
        b.AddSlider(QStringLiteral("Size"), QStringLiteral("size"), 0, 10, 0xc2, 2);
        b.AddFilePicker(QStringLiteral("Texture"), QStringLiteral("texture"), QStringLiteral("img"));
        b.AddColorPicker(QStringLiteral("Fill"), QStringLiteral("fill"), ePrimary);
        b.AddCheckBox(QStringLiteral("Outline"), QStringLiteral("outline"), eSecondary);
        b.AddComboBox(QStringLiteral("Width"), QStringLiteral("width"), true, false);
        b.AddComboBox(QStringLiteral("Shape"), QStringLiteral("shape"), false, true);
        b.AddComboBox(QStringLiteral("Mood"), QStringLiteral("mood"), false, false);
        b.AddComboBox(QStringLiteral("Later"), QStringLiteral("later"), false, false);
        b.AddTextField(QStringLiteral("Caption"), QStringLiteral("caption"), QStringLiteral("w"), false);
        b.AddMultiTextField(QStringLiteral("Notes"), QStringLiteral("notes"), QStringLiteral("w"), true);
        b.AddTextField(QStringLiteral("Missing"), QStringLiteral("missing"), QStringLiteral("start"), false);
        b.AddButton(QStringLiteral("Reset"), QStringLiteral("reset"));
        return b;
    }

    float size() const { return m_size; }
    void setSize(float v) { log(QStringLiteral("size"), v), m_size = v; }
    QString texture() const { return m_texture; }
    void setTexture(QString const& v)
    {
        if (v.endsWith(QLatin1String("bad.png")))
            throw std::runtime_error("texture refused");
        log(QStringLiteral("texture"), v), m_texture = v;
    }
    QColor fill() const { return m_fill; }
    void setFill(QColor const& v) { log(QStringLiteral("fill"), v), m_fill = v; }
    bool outline() const { return m_outline; }
    void setOutline(bool v) { log(QStringLiteral("outline"), v), m_outline = v; }
    QString width() const { return m_width; }
    void setWidth(QString const& v)
    {
        log(QStringLiteral("width"), v);
        // Only the named widths are acceptable; anything else is refused as "0".
        m_width = m_widthValues.contains(v) ? v : QStringLiteral("0");
    }
    // Plain-list combos are bound to an index, but also receive the entry's text first; a
    // QVariant property lets both writes arrive as they were sent.
    QVariant shape() const { return m_shape; }
    void setShape(QVariant const& v) { log(QStringLiteral("shape"), v), m_shape = v; }
    QVariant mood() const { return m_mood; }
    void setMood(QVariant const& v)
    {
        if (v == QVariant(QStringLiteral("grumpy")))
            throw std::runtime_error("mood refused");
        log(QStringLiteral("mood"), v), m_mood = v;
    }
    QString caption() const { return m_caption; }
    void setCaption(QString const& v) { log(QStringLiteral("caption"), v), m_caption = v; }
    QString notes() const { return m_notes; }
    void setNotes(QString const& v) { log(QStringLiteral("notes"), v), m_notes = v; }

public Q_SLOTS:
    void reset() { ++resets; }

public:
    void log(QString const& name, QVariant const& v) { writes << Write(name, v); }

    QList<Write> writes;
    int resets = 0;
    float m_size = 2.5f;
    bool m_sizeEnabled = false;
    QString m_texture;
    QColor m_fill = Qt::red;
    bool m_outline = true;
    QString m_width = QStringLiteral("Normal");
    QVariantMap m_widthValues{{QStringLiteral("Thin"), 1}, {QStringLiteral("Normal"), 2},
                              {QStringLiteral("Thick"), 4}};
    QVariant m_shape = 1;
    QStringList m_shapeValues{QStringLiteral("Circle"), QStringLiteral("Square"),
                              QStringLiteral("Star")};
    QVariant m_mood = 0;
    QStringList m_moodValues{QStringLiteral("calm"), QStringLiteral("grumpy")};
    QString m_caption = QStringLiteral("Hello");
    QString m_notes = QStringLiteral("Line 1\nLine 2");
};

class Files : public IFileSource
{
public:
    explicit Files(QStringList files)
        : m_files(std::move(files))
    {
    }
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
    QStringList files;
};

class tst_Binding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rowsCreated();
    void numberDefaults();
    void userEdits_data();
    void userEdits();
    void colorDialog();
    void updateAllRefreshesWithoutWriting();
    void enabledFollowsHost();
    void keyedComboRefusal();
    void comboEntriesArriveLater();
    void buttonsFollowRebinding();
    void throwingSetters();
    void lookups();
    void hostDestroyedFirst();

private:
    template<typename T>
    T* row(char const* name)
    {
        return m_sheet->findChild<T*>(QString::fromLatin1(name));
    }

    Host* m_host = nullptr;
    Helper m_helper;
    PropertyListWidget* m_sheet = nullptr;
    QTemporaryDir m_dir;
};

void tst_Binding::init()
{
    m_helper.files = {m_dir.filePath(QStringLiteral("a.png")), m_dir.filePath(QStringLiteral("b.png")),
                      m_dir.filePath(QStringLiteral("bad.png"))};
    m_host = new Host;
    m_host->m_texture = m_helper.files.at(0);
    m_sheet = new PropertyListWidget(m_host, &m_helper);
    m_sheet->resize(400, 900);
    m_sheet->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
    m_host->writes.clear();
}

void tst_Binding::cleanup()
{
    delete m_sheet;
    delete m_host;
}

void tst_Binding::rowsCreated()
{
    // Object names are the props; initial values come from the object.
    auto* file = row<FilePicker>("texture");
    QVERIFY(file);
    QCOMPARE(file->getFileName(), m_helper.files.at(0));
    QCOMPARE(m_helper.modes, QStringList{QStringLiteral("img")});

    QCOMPARE(row<ColorPicker>("fill")->getValue(), QColor(Qt::red));
    auto* check = row<CheckBox>("outline");
    QVERIFY(check->isChecked());
    QCOMPARE(check->getStyleType(), QStringLiteral("secondary"));

    auto* width = row<ComboBox>("width");
    QCOMPARE(width->count(), 3);
    QCOMPARE(width->currentValue(), QStringLiteral("Normal"));
    QCOMPARE(width->property("w_nokeys"), QVariant(false));
    QVERIFY(!width->isTwoLines());

    auto* shape = row<ComboBox>("shape");
    QCOMPARE(shape->currentIndex(), 1);
    QCOMPARE(shape->property("w_nokeys"), QVariant(true));
    QVERIFY(shape->isTwoLines());

    auto* later = row<ComboBox>("later");
    QCOMPARE(later->count(), 0);
    QVERIFY(!later->property("w_nokeys").isValid());

    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Hello"));
    QVERIFY(!row<TextField>("caption")->isTwoLines());
    QVERIFY(row<MultiTextField>("notes")->isTwoLines());
    QCOMPARE(row<MultiTextField>("notes")->findChild<QTextEdit*>()->toPlainText(),
             QStringLiteral("Line 1\nLine 2"));
    // Without a property to show, the description's text stands in.
    QCOMPARE(row<TextField>("missing")->text(), QStringLiteral("start"));
    QCOMPARE(row<Button>("reset")->text(), QStringLiteral("Reset"));

    // Creating the rows wrote nothing back.
    QVERIFY(m_host->writes.isEmpty());
}

void tst_Binding::numberDefaults()
{
    // A bare number record gets the documented defaults.
    class Bare : public QObject, public IUserInterfaceProperties
    {
    public:
        void* qt_metacast(char const* name) override
        {
            if (!qstrcmp(name, IUserInterfaceProperties_iid))
                return static_cast<IUserInterfaceProperties*>(this);
            return QObject::qt_metacast(name);
        }
        PropertyDescriptionList propertyList() override
        {
            return {{{QStringLiteral("type"), QStringLiteral("number")},
                     {QStringLiteral("prop"), QStringLiteral("p")}},
                    {{QStringLiteral("type"), QStringLiteral("number")},
                     {QStringLiteral("prop"), QStringLiteral("q")},
                     {QStringLiteral("w_precision"), 2.9}}};
        }
    } bare;
    bare.setProperty("p", 0.75f);
    PropertyListWidget sheet(&bare, nullptr);

    auto* p = sheet.findChild<InputLineSlider*>(QStringLiteral("p"));
    QVERIFY(p);
    QCOMPARE(p->getMinValue(), 0.0f);
    QCOMPARE(p->getMaxValue(), 1.0f);
    QCOMPARE(p->getPrecision(), 3);
    QVERIFY(!p->isNoSlider());
    QVERIFY(p->isRealValues());
    QVERIFY(!p->isPercents());
    QCOMPARE(p->getValue(), 0.75f);
    QCOMPARE(sheet.findChild<InputLineSlider*>(QStringLiteral("q"))->getPrecision(), 2);
}

void tst_Binding::userEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QList<Write>>("expected");

    QTest::newRow("number typed") << QStringLiteral("number")
                                  << QList<Write>{{QStringLiteral("size"), QVariant(7.25f)}};
    QTest::newRow("check clicked") << QStringLiteral("check")
                                   << QList<Write>{{QStringLiteral("outline"), QVariant(false)}};
    QTest::newRow("file removed") << QStringLiteral("fileRemove")
                                  << QList<Write>{{QStringLiteral("texture"), QVariant(QString())}};
    QTest::newRow("file chosen") << QStringLiteral("fileChoose")
                                 << QList<Write>{{QStringLiteral("texture"), QVariant(QString())}};
    QTest::newRow("keyed combo") << QStringLiteral("keyed")
                                 << QList<Write>{{QStringLiteral("width"), QVariant(QStringLiteral("Thick"))}};
    // A plain list writes the entry's text first, then its index.
    QTest::newRow("plain combo") << QStringLiteral("plain")
                                 << QList<Write>{{QStringLiteral("shape"), QVariant(QStringLiteral("Star"))},
                                                 {QStringLiteral("shape"), QVariant(2)}};
    QTest::newRow("text") << QStringLiteral("text")
                          << QList<Write>{{QStringLiteral("caption"), QVariant(QStringLiteral("Hello!"))}};
    QTest::newRow("multitext") << QStringLiteral("multitext")
                               << QList<Write>{{QStringLiteral("notes"),
                                                QVariant(QStringLiteral("Line 1\nLine 2+"))}};
}

void tst_Binding::userEdits()
{
    QFETCH(QString, edit);
    QFETCH(QList<Write>, expected);
    m_host->m_sizeEnabled = true;
    m_sheet->updateAll();
    QVERIFY(m_host->writes.isEmpty());
    m_sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_sheet));

    if (edit == QLatin1String("number")) {
        auto* field = row<InputLineSlider>("size")->findChild<QLineEdit*>(QStringLiteral("edit"));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QStringLiteral("7.25"));
        QTest::keyClick(field, Qt::Key_Return);
    } else if (edit == QLatin1String("check")) {
        // On the indicator, which is what takes the click.
        auto* check = row<CheckBox>("outline");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    } else if (edit == QLatin1String("fileRemove")) {
        QTest::mouseClick(row<FilePicker>("texture")->findChild<QPushButton*>(QStringLiteral("remove")),
                          Qt::LeftButton);
    } else if (edit == QLatin1String("fileChoose")) {
        // Choosing the empty first entry clears the file.
        auto* combo = row<FilePicker>("texture")->findChild<QComboBox*>(QStringLiteral("combo"));
        QCOMPARE(combo->currentIndex(), 1);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Up);
    } else if (edit == QLatin1String("keyed")) {
        auto* combo = row<ComboBox>("width")->findChild<QComboBox*>();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    } else if (edit == QLatin1String("plain")) {
        auto* combo = row<ComboBox>("shape")->findChild<QComboBox*>();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    } else if (edit == QLatin1String("text")) {
        auto* field = row<TextField>("caption")->findChild<QLineEdit*>(QStringLiteral("edit"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, QStringLiteral("!"));
        QTest::keyClick(field, Qt::Key_Return);
    } else if (edit == QLatin1String("multitext")) {
        auto* editor = row<MultiTextField>("notes")->findChild<QTextEdit*>(QStringLiteral("edit"));
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("+"));
        row<TextField>("caption")->findChild<QLineEdit*>()->setFocus();
    }

    // Writes are compared by property, value and exact type.
    const QList<Write> writes = m_host->writes;
    QCOMPARE(writes.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(writes.at(i).first, expected.at(i).first);
        QCOMPARE(writes.at(i).second.userType(), expected.at(i).second.userType());
        QCOMPARE(writes.at(i).second, expected.at(i).second);
    }
}

void tst_Binding::colorDialog()
{
    auto* picker = row<ColorPicker>("fill");
    QTimer::singleShot(0, this, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(0, 0, 255));
        dialog->accept();
    });
    QTest::mouseClick(picker->findChild<QPushButton*>(QStringLiteral("button")), Qt::LeftButton);
    QCOMPARE(m_host->writes.size(), 1);
    QCOMPARE(m_host->writes.first().first, QStringLiteral("fill"));
    QCOMPARE(m_host->writes.first().second, QVariant(QColor(0, 0, 255)));
}

void tst_Binding::updateAllRefreshesWithoutWriting()
{
    m_host->m_size = 4.5f;
    m_host->m_texture = m_helper.files.at(1);
    m_host->m_fill = Qt::green;
    m_host->m_outline = false;
    m_host->m_width = QStringLiteral("Thin");
    m_host->m_caption = QStringLiteral("Bye");
    m_host->m_notes = QStringLiteral("New");
    m_sheet->updateAll();

    QCOMPARE(row<InputLineSlider>("size")->getValue(), 4.5f);
    QCOMPARE(row<FilePicker>("texture")->getFileName(), m_helper.files.at(1));
    QCOMPARE(row<ColorPicker>("fill")->getValue(), QColor(Qt::green));
    QVERIFY(!row<CheckBox>("outline")->isChecked());
    QCOMPARE(row<ComboBox>("width")->currentValue(), QStringLiteral("Thin"));
    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Bye"));
    QCOMPARE(row<MultiTextField>("notes")->findChild<QTextEdit*>()->toPlainText(), QStringLiteral("New"));
    // The description's text was only a stand-in: a refresh shows the (missing) property.
    QCOMPARE(row<TextField>("missing")->text(), QString());
    QVERIFY(m_host->writes.isEmpty());

    // A plain list is refreshed by index through the combo's own signal, which writes back.
    m_host->m_shape = 0;
    m_sheet->updateAll();
    QCOMPARE(row<ComboBox>("shape")->currentIndex(), 0);
    QCOMPARE(m_host->writes, (QList<Write>{Write(QStringLiteral("shape"), QStringLiteral("Circle")),
                                          Write(QStringLiteral("shape"), 0)}));
    // An unchanged index writes nothing.
    m_host->writes.clear();
    m_sheet->updateAll();
    QVERIFY(m_host->writes.isEmpty());
}

void tst_Binding::enabledFollowsHost()
{
    auto* size = row<InputLineSlider>("size");
    QVERIFY(!size->isEnabled());
    QVERIFY(row<CheckBox>("outline")->isEnabled());

    m_host->m_sizeEnabled = true;
    QVERIFY(!size->isEnabled());
    m_sheet->updateAll();
    QVERIFY(size->isEnabled());

    // Dynamic "...Enabled" properties work as well, for every row type.
    m_host->setProperty("fillEnabled", false);
    m_host->setProperty("resetEnabled", false);
    m_host->setProperty("widthEnabled", false);
    m_sheet->updateAll();
    QVERIFY(!row<ColorPicker>("fill")->isEnabled());
    QCOMPARE(row<ColorPicker>("fill")->getValue(), QColor(QStringLiteral("#F0F0F0")));
    QVERIFY(!row<Button>("reset")->isEnabled());
    QVERIFY(!row<ComboBox>("width")->isEnabled());
    QVERIFY(m_host->writes.isEmpty());
}

void tst_Binding::keyedComboRefusal()
{
    auto* width = row<ComboBox>("width");
    auto* combo = width->findChild<QComboBox*>();
    QVERIFY(combo->isEditable());
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Huge"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    if (combo->hasFocus())
        row<TextField>("caption")->findChild<QLineEdit*>()->setFocus();

    // The refused entry is gone, the old value is back in the object and the combo.
    QCOMPARE(combo->findText(QStringLiteral("Huge")), -1);
    QCOMPARE(m_host->m_width, QStringLiteral("Normal"));
    QCOMPARE(width->currentValue(), QStringLiteral("Normal"));
    QVERIFY(m_host->writes.contains(Write(QStringLiteral("width"), QStringLiteral("Huge"))));
    QCOMPARE(m_host->writes.last(), Write(QStringLiteral("width"), QStringLiteral("Normal")));
}

void tst_Binding::comboEntriesArriveLater()
{
    auto* later = row<ComboBox>("later");
    m_host->setProperty("laterValues", QStringList{QStringLiteral("x"), QStringLiteral("y")});
    m_host->setProperty("later", 1);
    m_sheet->updateAll();
    QCOMPARE(later->count(), 2);
    QCOMPARE(later->currentIndex(), 1);
    QCOMPARE(later->property("w_nokeys"), QVariant(true));
    // Filling happened with the sheet disconnected; only the index refresh wrote back.
    QCOMPARE(m_host->property("later"), QVariant(1));

    // A second refresh does not append the entries again.
    m_sheet->updateAll();
    QCOMPARE(later->count(), 2);
}

void tst_Binding::buttonsFollowRebinding()
{
    auto* reset = row<Button>("reset");
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(m_host->resets, 1);

    Host other;
    m_sheet->UpdateValues(&other);
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(m_host->resets, 1);
    QCOMPARE(other.resets, 1);
    // Rebinding to the same object again does not double the connection.
    m_sheet->UpdateValues(&other);
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(other.resets, 2);
    // Values now come from the other object.
    other.m_caption = QStringLiteral("Other");
    m_sheet->updateAll();
    QCOMPARE(row<TextField>("caption")->text(), QStringLiteral("Other"));
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
    m_host->writes.clear();
    row<ComboBox>("mood")->setCurrentIndex(1);
    QCOMPARE(m_host->writes, QList<Write>{Write(QStringLiteral("mood"), 1)});
}

void tst_Binding::lookups()
{
    auto* size = row<InputLineSlider>("size");
    QCOMPARE(m_sheet->findProperty(size), QStringLiteral("size"));
    QCOMPARE(m_sheet->findProperty(nullptr), QString());
    QCOMPARE(m_sheet->findProperty(m_host), QString());
    QCOMPARE(m_sheet->findWidget(QStringLiteral("size")), size);
    QCOMPARE(m_sheet->findWidget(QStringLiteral("nothing")), nullptr);
    QCOMPARE(m_sheet->getProperty(size), QVariant(2.5f));
    m_sheet->setProperty(size, 3.0f);
    QCOMPARE(m_host->m_size, 3.0f);
    QCOMPARE(size->getValue(), 2.5f);
}

void tst_Binding::hostDestroyedFirst()
{
    QPointer<InputLineSlider> size = row<InputLineSlider>("size");
    delete m_host;
    m_host = nullptr;

    // Nothing to read or write any more, and nothing breaks.
    m_sheet->updateAll();
    QCOMPARE(size->getValue(), 2.5f);
    auto* check = row<CheckBox>("outline");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    QTest::mouseClick(row<Button>("reset"), Qt::LeftButton);
    row<ComboBox>("shape")->setCurrentIndex(0);
    row<FilePicker>("texture")->SelectFile(QString());
    QCOMPARE(m_sheet->getProperty(size), QVariant());

    Host other;
    m_sheet->UpdateValues(&other);
    QTest::mouseClick(row<Button>("reset"), Qt::LeftButton);
    QCOMPARE(other.resets, 1);
    delete m_sheet;
    m_sheet = nullptr;
    QVERIFY(size.isNull());
}

QTEST_MAIN(tst_Binding)
#include "tst_binding.moc"
