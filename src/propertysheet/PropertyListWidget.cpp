#include <corvane/PropertyListWidget.h>

#include "propertysheet/Panel.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/ColorPicker.h>
#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/InputLineSlider.h>
#include <corvane/Label.h>
#include <corvane/MultiTextField.h>
#include <corvane/SeparatorLine.h>
#include <corvane/TextField.h>

#include <QColor>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

IUserInterfaceProperties::~IUserInterfaceProperties() = default;
IPropertyListHelper::~IPropertyListHelper() = default;

namespace {

QString stringOf(QMap<QString, QVariant> const& record, char const* key)
{
    return record.value(QString::fromLatin1(key)).toString();
}

QByteArray nameOf(QString const& prop)
{
    return prop.toLatin1();
}

// Precision arrives as a float and is truncated toward zero; values no int can hold fall back to
// the default instead of overflowing.
int precisionOf(QMap<QString, QVariant> const& record)
{
    const auto it = record.constFind(QStringLiteral("w_precision"));
    if (it == record.cend())
        return 3;
    const float precision = it->toFloat();
    if (!std::isfinite(precision) || std::fabs(precision) >= 2147483520.0f)
        return 3;
    return static_cast<int>(precision);
}

float floatOr(QMap<QString, QVariant> const& record, char const* key, float fallback)
{
    const auto it = record.constFind(QString::fromLatin1(key));
    return it == record.cend() ? fallback : it->toFloat();
}

QColor colorOf(QVariant const& value)
{
    return value.value<QColor>();
}

} // namespace

PropertyListWidget::PropertyListWidget(
    QObject* object, IPropertyListHelper* listHelper, QWidget* parent)
    : QFrame(parent)
    , m_object(object)
    , m_listHelper(listHelper)
{
    // Without the interface the object describes no rows: the sheet is empty.
    IUserInterfaceProperties* properties = qobject_cast<IUserInterfaceProperties*>(object);
    makeGui();
    setWindowTitle(QStringLiteral("Untitled"));

    const PropertyDescriptionList list
        = properties ? properties->propertyList() : PropertyDescriptionList();
    processProperties(list);

    if (list.size() == 1 && stringOf(list.first(), "type") == QLatin1String("title")) {
        auto* noSettings = new Label(QStringLiteral("No Settings"), nullptr);
        noSettings->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        noSettings->setAlignment(Qt::AlignCenter);
        noSettings->setObjectName(QStringLiteral("noSettings"));
        addWidget(noSettings);
    } else {
        m_layout->addStretch(1000);
    }
}

PropertyListWidget::~PropertyListWidget()
{
    // Rows die with QWidget's destructor, after this one; a row that loses focus on its way
    // out must not reach the slots of a sheet that is no longer one.
    for (auto it = m_descriptions.cbegin(); it != m_descriptions.cend(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
}

void PropertyListWidget::makeGui()
{
    m_layout = new QVBoxLayout();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setLayout(m_layout);
    setVisible(true);
}

void PropertyListWidget::processProperties(QList<QMap<QString, QVariant>> const& list)
{
    for (const auto& record : list) {
        QWidget* w = createWidget(record);
        if (!w)
            continue;
        w->setEnabled(checkForEnabled(record));
        addWidget(w);
        m_descriptions.insert(w, record);
    }
}

bool PropertyListWidget::checkForEnabled(QMap<QString, QVariant> const& record)
{
    const QString prop = stringOf(record, "prop");
    if (prop.isEmpty() || !m_object)
        return true;
    const QVariant enabled = m_object->property((prop + QLatin1String("Enabled")).toLatin1());
    if (!enabled.isValid())
        return true;
    return enabled.toBool();
}

void PropertyListWidget::addWidget(QWidget* w)
{
    if (m_panels.isEmpty()) {
        auto* panel = new PropsPanel(windowTitle(), nullptr);
        m_layout->addWidget(panel);
        m_panels.append(panel);
    }
    m_panels.last()->addWidget(w);
}

void PropertyListWidget::addSpacing(int size)
{
    m_layout->addSpacing(size);
}

void PropertyListWidget::addPanel(QWidget* w)
{
    const int n = m_layout->count();
    if (n < 1)
        m_layout->addWidget(w);
    else
        m_layout->insertWidget(n - 1, w);
}

QVector<PropertyListWidget*> PropertyListWidget::panels()
{
    QVector<PropertyListWidget*> result;
    for (int i = 0; i < m_layout->count(); ++i) {
        if (auto* sheet = dynamic_cast<PropertyListWidget*>(m_layout->itemAt(i)->widget()))
            result.append(sheet);
    }
    return result;
}

QWidget* PropertyListWidget::createWidget(QMap<QString, QVariant> const& record)
{
    const QString type = stringOf(record, "type");
    const QString label = stringOf(record, "label");

    if (type == QLatin1String("panel")) {
        auto* panel = new PropsPanel(label, nullptr);
        m_panels.append(panel);
        m_layout->addWidget(panel);
        return nullptr;
    }
    if (type == QLatin1String("title")) {
        setWindowTitle(label);
        return nullptr;
    }
    if (type == QLatin1String("space")) {
        addSpacing(10);
        return nullptr;
    }
    if (type == QLatin1String("line"))
        return new SeparatorLine(this, nullptr);
    if (type == QLatin1String("label")) {
        auto* w = new Label(label, nullptr);
        w->setObjectName(stringOf(record, "w_obj_id"));
        return w;
    }
    return createValueWidget(type, record);
}

QWidget* PropertyListWidget::createValueWidget(
    QString const& type, QMap<QString, QVariant> const& record)
{
    const QString label = stringOf(record, "label");
    const QString prop = stringOf(record, "prop");
    const QVariant value = m_object ? m_object->property(nameOf(prop)) : QVariant();

    if (type == QLatin1String("number")) {
        const int flags = record.contains(QStringLiteral("w_flags"))
            ? record.value(QStringLiteral("w_flags")).toInt()
            : 0xc2;
        auto* w = new InputLineSlider(label, static_cast<eInputLineFlags>(flags), nullptr);
        w->setMinValue(floatOr(record, "w_minValue", 0.0f));
        w->setMaxValue(floatOr(record, "w_maxValue", 1.0f));
        w->setPrecision(precisionOf(record));
        w->setObjectName(prop);
        w->setValueAndInit(value.toFloat(), static_cast<eInputLineFlags>(flags));
        connect(w, qOverload<float>(&InputLineSlider::changed), this,
            &PropertyListWidget::onNumberChanged);
        return w;
    }
    if (type == QLatin1String("file")) {
        auto* w = new FilePicker(label, nullptr);
        w->setObjectName(prop);
        if (m_listHelper)
            w->setSource(m_listHelper->fileSource(stringOf(record, "w_mode")));
        w->setFileName(value.toString());
        connect(w, &FilePicker::fileChanged, this, &PropertyListWidget::onFileChanged);
        return w;
    }
    if (type == QLatin1String("color")) {
        auto* w = new ColorPicker(label, nullptr);
        w->setValue(colorOf(value));
        w->setObjectName(prop);
        w->setEnabled(checkForEnabled(record));
        connect(w, &ColorPicker::colorChanged, this, &PropertyListWidget::onColorClicked);
        return w;
    }
    if (type == QLatin1String("check")) {
        const int order = record.value(QStringLiteral("w_order")).toInt();
        auto* w = new CheckBox(label, static_cast<eOrder>(order), nullptr);
        w->setChecked(value.toBool());
        w->setObjectName(prop);
        connect(w, &CheckBox::clicked, this, &PropertyListWidget::onCheckClicked);
        return w;
    }
    if (type == QLatin1String("combo")) {
        const bool twoLines = record.contains(QStringLiteral("w_flags"))
            && (record.value(QStringLiteral("w_flags")).toInt() & 0x200);
        auto* w = new ComboBox(label, twoLines, nullptr);
        w->setEditable(record.value(QStringLiteral("w_isEditable")).toBool());
        fillCombo(w, prop);
        w->setObjectName(prop);
        connect(w, &ComboBox::currentIndexChanged, this, &PropertyListWidget::onComboCurrentIndex);
        return w;
    }
    if (type == QLatin1String("button")) {
        auto* w = new Button(label, nullptr);
        w->setObjectName(prop);
        connectButton(w, m_object, prop, true);
        return w;
    }
    if (type == QLatin1String("text")) {
        auto* w = new TextField(label, stringOf(record, "w_value"),
            record.value(QStringLiteral("w_flags")).toInt() != 0, nullptr);
        // Show what the object holds from the start; "w_value" only stands in for a property
        // the object does not have.
        if (value.isValid())
            w->setText(value.toString());
        w->setObjectName(prop);
        connect(w, &TextField::editingFinished, this, &PropertyListWidget::onTextFieldChanged);
        return w;
    }
    if (type == QLatin1String("multitext")) {
        auto* w = new MultiTextField(label, stringOf(record, "w_value"),
            record.value(QStringLiteral("w_flags")).toBool(), nullptr);
        if (value.isValid())
            w->setText(value.toString());
        w->setObjectName(prop);
        connect(w, &MultiTextField::editingFinished, this, &PropertyListWidget::onTextFieldChanged);
        return w;
    }
    return nullptr;
}

// Entries come from the object's "<prop>Values": a map gives a keyed combo bound to a string,
// a string list a plain one bound to an index.
void PropertyListWidget::fillCombo(ComboBox* combo, QString const& prop)
{
    if (!m_object)
        return;
    const QVariant values = m_object->property(nameOf(prop + QLatin1String("Values")));
    const QMap<QString, QVariant> map = values.toMap();
    const QStringList list = map.isEmpty() ? values.toStringList() : QStringList();
    const QVariant value = m_object->property(nameOf(prop));

    if (!map.isEmpty()) {
        combo->setValues(map);
        combo->setValue(value.toString());
        combo->QObject::setProperty("w_nokeys", false);
    } else if (!list.isEmpty()) {
        combo->setValues(list);
        combo->setCurrentIndex(value.toInt());
        combo->QObject::setProperty("w_nokeys", true);
    }
}

void PropertyListWidget::connectButton(
    QWidget* button, QObject* object, QString const& prop, bool connect)
{
    if (!object)
        return;
    // String-based on purpose: the slot is only known by name, and a host object without it
    // leaves the button inert.
    const QByteArray slot = QStringLiteral("1%1()").arg(prop).toLatin1();
    if (connect)
        QObject::connect(button, "2buttonClicked(QObject*)", object, slot.constData());
    else
        QObject::disconnect(button, "2buttonClicked(QObject*)", object, slot.constData());
}

QString PropertyListWidget::findProperty(QObject* w) const
{
    if (!w || !w->isWidgetType())
        return QString();
    return stringOf(m_descriptions.value(static_cast<QWidget*>(w)), "prop");
}

QWidget* PropertyListWidget::findWidget(QString const& prop) const
{
    const QVariant wanted(prop);
    for (auto it = m_descriptions.cbegin(); it != m_descriptions.cend(); ++it) {
        if (it.value().value(QStringLiteral("prop")) == wanted)
            return it.key();
    }
    return nullptr;
}

QVariant PropertyListWidget::getProperty(QObject* w) const
{
    if (!m_object)
        return QVariant();
    return m_object->property(nameOf(findProperty(w)));
}

void PropertyListWidget::setProperty(QObject* w, QVariant const& value)
{
    if (m_object)
        m_object->setProperty(nameOf(findProperty(w)), value);
}

// A host setter may throw; the sheet never lets that escape into Qt's event handling.
bool PropertyListWidget::writeProperty(QObject* w, QVariant const& value)
{
    try {
        setProperty(w, value);
        return true;
    } catch (...) {
        return false;
    }
}

void PropertyListWidget::onNumberChanged(float value)
{
    writeProperty(sender(), QVariant(value));
}

void PropertyListWidget::onFileChanged(QString const& file)
{
    QObject* row = sender();
    if (writeProperty(row, file))
        return;
    if (auto* picker = qobject_cast<FilePicker*>(row)) {
        picker->QWidget::setEnabled(checkForEnabled(m_descriptions.value(picker)));
        picker->setFileName(getProperty(picker).toString());
    }
}

void PropertyListWidget::onColorClicked(QColor const& color)
{
    writeProperty(sender(), color);
}

void PropertyListWidget::onCheckClicked(bool checked)
{
    writeProperty(sender(), checked);
}

void PropertyListWidget::onButtonClicked()
{
    writeProperty(sender(), true);
}

void PropertyListWidget::onTextFieldChanged(QString const& text)
{
    writeProperty(sender(), text);
}

void PropertyListWidget::onComboCurrentIndex(QString const& text)
{
    QObject* combo = sender();
    const QString old = getProperty(combo).toString();
    writeProperty(combo, text);
    updateCombo(combo, text, old);
}

void PropertyListWidget::updateCombo(QObject* combo, QString const& newText, QString const& oldText)
{
    auto* box = qobject_cast<ComboBox*>(combo);
    const QString current = getProperty(combo).toString();
    const bool noKeys = combo && combo->property("w_nokeys").toBool();

    if (noKeys) {
        if (box)
            writeProperty(combo, box->currentIndex());
    } else if (current == QLatin1String("0")) {
        // The object refused the text: forget the entry and put the old value back.
        if (box)
            box->removeValue(newText);
        writeProperty(combo, oldText);
        if (box)
            box->setValue(oldText);
    } else if (box) {
        box->setValue(current);
    }
}

void PropertyListWidget::updateAll()
{
    UpdateValues(nullptr);
}

void PropertyListWidget::UpdateValues(QObject* object)
{
    const QPointer<QObject> previous = m_object;
    // Button rows follow a new object; a previous object that is gone has lost its connections
    // with it.
    const bool rebindButtons = object && previous != object;
    if (object)
        m_object = object;
    // The object is gone: there is nothing to show and nowhere to write.
    if (!m_object)
        return;

    for (auto it = m_descriptions.cbegin(); it != m_descriptions.cend(); ++it) {
        QWidget* w = it.key();
        const PropertyDescription& record = it.value();
        const QString prop = stringOf(record, "prop");
        const QString type = stringOf(record, "type");
        const QVariant value = m_object->property(nameOf(prop));

        if (type == QLatin1String("number")) {
            if (auto* row = qobject_cast<InputLineSlider*>(w)) {
                row->setEnabled(checkForEnabled(record));
                row->setValue(value.toFloat(), static_cast<eInputLineFlags>(0x10));
            }
        } else if (type == QLatin1String("file")) {
            if (auto* picker = qobject_cast<FilePicker*>(w)) {
                picker->QWidget::setEnabled(checkForEnabled(record));
                picker->setFileName(value.toString());
            }
        } else if (type == QLatin1String("combo")) {
            const QVariant current = m_object->property(nameOf(prop));
            if (auto* combo = qobject_cast<ComboBox*>(w)) {
                if (combo->count() == 0) {
                    disconnect(combo, &ComboBox::currentIndexChanged, this,
                        &PropertyListWidget::onComboCurrentIndex);
                    fillCombo(combo, prop);
                    connect(combo, &ComboBox::currentIndexChanged, this,
                        &PropertyListWidget::onComboCurrentIndex);
                }
                // A refresh of a plain list goes through the combo's own signal on purpose:
                // the sheet then writes the entry text and its index back.
                if (combo->property("w_nokeys").toBool())
                    combo->setCurrentIndex(current.toInt());
                else
                    combo->setValue(current.toString());
                combo->QWidget::setEnabled(checkForEnabled(record));
            }
            // The write-back above may have let the host destroy the object.
            if (!m_object)
                return;
        } else if (type == QLatin1String("color")) {
            if (auto* picker = qobject_cast<ColorPicker*>(w)) {
                picker->setEnabled(checkForEnabled(record));
                picker->setValue(colorOf(value));
            }
        } else if (type == QLatin1String("check")) {
            if (auto* check = qobject_cast<CheckBox*>(w)) {
                check->setEnabled(checkForEnabled(record));
                check->setChecked(value.toBool());
            }
        } else if (type == QLatin1String("button")) {
            if (auto* button = qobject_cast<Button*>(w)) {
                button->setEnabled(checkForEnabled(record));
                if (rebindButtons) {
                    connectButton(button, previous, prop, false);
                    connectButton(button, m_object, prop, true);
                }
            }
        } else if (type == QLatin1String("text")) {
            if (auto* field = qobject_cast<TextField*>(w)) {
                field->setEnabled(checkForEnabled(record));
                field->setText(value.toString());
            }
        } else if (type == QLatin1String("multitext")) {
            if (auto* field = qobject_cast<MultiTextField*>(w)) {
                field->setEnabled(checkForEnabled(record));
                field->setText(value.toString());
            }
        }
    }
}
