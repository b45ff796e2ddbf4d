#include <corvane/PropertyListWidget.h>

#include "propertysheet/DescriptionCheck.h"
#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/Panel.h"
#include "propertysheet/RowExtras.h"
#include "propertysheet/RowKinds.h"
#include "propertysheet/SheetFilter.h"

#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/Label.h>
#include <corvane/SeparatorLine.h>

#include <QAction>
#include <QCoreApplication>
#include <QVBoxLayout>

IUserInterfaceProperties::~IUserInterfaceProperties() = default;
IPropertyListHelper::~IPropertyListHelper() = default;

namespace {

QString stringOf(PropertyDescription const& record, QLatin1String key)
{
    return record.value(key).toString();
}

QByteArray nameOf(QString const& prop)
{
    return prop.toLatin1();
}

// The height of a "space" record, and the stretch below the last panel, which keeps the panels
// at the top of a taller sheet.
constexpr int SpaceRowHeight = 10;
constexpr int ClosingStretch = 1000;

} // namespace

PropertyListWidget::PropertyListWidget(
    QObject* object, IPropertyListHelper* listHelper, QWidget* parent)
    : QFrame(parent)
    , m_object(object)
    , m_listHelper(listHelper)
{
    // Without the interface the object describes no rows: the sheet is empty.
    IUserInterfaceProperties* properties = qobject_cast<IUserInterfaceProperties*>(object);
    if (object && !properties)
        qCWarning(lcSheet,
            "PropertyListWidget: %s does not implement IUserInterfaceProperties (is "
            "Q_INTERFACES(IUserInterfaceProperties) missing?); the sheet stays empty",
            object->metaObject()->className());
    makeGui();
    setWindowTitle(QCoreApplication::translate("Corvane", "Untitled"));

    const PropertyDescriptionList list
        = properties ? properties->propertyList() : PropertyDescriptionList();
    processProperties(list);

    if (list.size() == 1 && stringOf(list.first(), PropertyKey::Type) == RowType::Title) {
        auto* noSettings
            = new Label(QCoreApplication::translate("Corvane", "No Settings"), nullptr);
        noSettings->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        noSettings->setAlignment(Qt::AlignCenter);
        noSettings->setObjectName(QStringLiteral("noSettings"));
        addWidget(noSettings);
    } else {
        m_layout->addStretch(ClosingStretch);
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
    int index = 0;
    for (const auto& record : list) {
        DescriptionCheck::report(record, index++, m_object);
        QWidget* w = createWidget(record);
        if (!w)
            continue;
        w->setEnabled(checkForEnabled(record));
        addWidget(w);
        m_descriptions.insert(w, record);
        addRowExtras(w, record);
    }
}

void PropertyListWidget::addRowExtras(QWidget* w, PropertyDescription const& record)
{
    RowExtras::setToolTip(w, record);
    if (RowExtras::offersReset(m_object, record))
        connect(
            RowExtras::addResetAction(w), &QAction::triggered, this, [this, w] { resetRow(w); });
}

// The row shows the value the reset left, and so does every row that depends on it.
void PropertyListWidget::resetRow(QWidget* w)
{
    if (!m_object)
        return;
    const PropertyDescription record = m_descriptions.value(w);
    const QVariant fallback = record.value(PropertyKey::Default);
    if (fallback.isValid())
        writeProperty(w, fallback);
    else
        RowExtras::resetProperty(m_object, stringOf(record, PropertyKey::Prop));
    updateAll();
}

void PropertyListWidget::setFilter(QString const& text)
{
    if (!m_filter)
        m_filter = std::make_unique<SheetFilter>();
    m_filter->apply(text, m_panels, m_descriptions);
}

QString PropertyListWidget::filter() const
{
    return m_filter ? m_filter->text() : QString();
}

bool PropertyListWidget::checkForEnabled(QMap<QString, QVariant> const& record)
{
    const QString prop = stringOf(record, PropertyKey::Prop);
    if (prop.isEmpty() || !m_object)
        return true;
    const QVariant enabled = m_object->property(nameOf(prop + PropertySuffix::Enabled));
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
    const QString type = stringOf(record, PropertyKey::Type);
    const QString label = stringOf(record, PropertyKey::Label);

    if (type == RowType::Panel) {
        auto* panel = new PropsPanel(label, nullptr);
        m_panels.append(panel);
        m_layout->addWidget(panel);
        return nullptr;
    }
    if (type == RowType::Title) {
        setWindowTitle(label);
        return nullptr;
    }
    if (type == RowType::Space) {
        addSpacing(SpaceRowHeight);
        return nullptr;
    }
    if (type == RowType::Line)
        return new SeparatorLine(this, nullptr);
    if (type == RowType::Label) {
        auto* w = new Label(label, nullptr);
        w->setObjectName(stringOf(record, PropertyKey::ObjectId));
        return w;
    }

    // Every other record is a bound row: the property is read first, then the kind of the row
    // builds its control.
    const QString prop = stringOf(record, PropertyKey::Prop);
    const RowContext row { this, m_object, record, prop,
        m_object ? m_object->property(nameOf(prop)) : QVariant(), m_listHelper };
    const RowKind* kind = RowKind::find(type);
    if (!kind)
        return nullptr;
    QWidget* w = kind->create(row);
    kind->connectEdits(w, row);
    return w;
}

QString PropertyListWidget::findProperty(QObject* w) const
{
    if (!w || !w->isWidgetType())
        return QString();
    return stringOf(m_descriptions.value(static_cast<QWidget*>(w)), PropertyKey::Prop);
}

QWidget* PropertyListWidget::findWidget(QString const& prop) const
{
    const QVariant wanted(prop);
    for (auto it = m_descriptions.cbegin(); it != m_descriptions.cend(); ++it) {
        if (it.value().value(PropertyKey::Prop) == wanted)
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
    // The object refused the file: the picker shows what the object holds.
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
    const bool noKeys = combo && combo->property(ComboNoKeysProperty).toBool();

    if (noKeys) {
        if (box)
            writeProperty(combo, box->currentIndex());
    } else if (box && box->property(ComboEnumProperty).toBool()) {
        // Qt turned the key into a number, or refused it: the combo shows what the object holds.
        showEnumValue(box, m_descriptions.value(box), getProperty(combo));
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
    const bool rebound = object && previous != object;
    if (object)
        m_object = object;
    // The object is gone: there is nothing to show and nowhere to write.
    if (!m_object)
        return;

    for (auto it = m_descriptions.cbegin(); it != m_descriptions.cend(); ++it) {
        const PropertyDescription& record = it.value();
        const QString prop = stringOf(record, PropertyKey::Prop);
        const RowContext row { this, m_object, record, prop, m_object->property(nameOf(prop)),
            nullptr, rebound, previous };
        if (const RowKind* kind = RowKind::find(stringOf(record, PropertyKey::Type)))
            kind->refresh(it.key(), row);
        // A plain-list combo writes back through its own signal, and the host may have destroyed
        // the object meanwhile.
        if (!m_object)
            return;
    }
}
