#include <corvane/PropertyListWidget.h>

#include "propertysheet/DescriptionCheck.h"
#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/EditReporter.h"
#include "propertysheet/LiveRefresh.h"
#include "propertysheet/Panel.h"
#include "propertysheet/PropertyLookup.h"
#include "propertysheet/RowExtras.h"
#include "propertysheet/RowKinds.h"
#include "propertysheet/SheetFilter.h"

#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/InputLineSlider.h>
#include <corvane/Label.h>
#include <corvane/SeparatorLine.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <utility>

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
    : PropertyListWidget(QList<QObject*> { object }, listHelper, parent)
{ }

PropertyListWidget::PropertyListWidget(
    QList<QObject*> const& objects, IPropertyListHelper* listHelper, QWidget* parent)
    : QFrame(parent)
    , m_listHelper(listHelper)
    , m_edits(new EditReporter(this))
    , m_lookup(new PropertyLookup(this))
{
    qRegisterMetaType<PropertyEdit>();
    rebind(objects);
    // Without the interface the object describes no rows: the sheet is empty.
    IUserInterfaceProperties* properties = qobject_cast<IUserInterfaceProperties*>(m_object);
    if (m_object && !properties)
        qCWarning(lcSheet,
            "PropertyListWidget: %s does not implement IUserInterfaceProperties (is "
            "Q_INTERFACES(IUserInterfaceProperties) missing?); the sheet stays empty",
            m_object->metaObject()->className());
    makeGui();
    // Visible from here on, the sheet has Qt show each panel added below from a queued call of
    // its own, once the event loop runs, and each such show lays out the whole sheet again. This
    // call, queued before theirs, shows them all in one pass.
    QMetaObject::invokeMethod(
        this, [this] { showPanels(); }, Qt::QueuedConnection);
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
    for (PropsPanel* panel : std::as_const(m_panels))
        disconnect(panel, nullptr, this, nullptr);
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

bool PropertyListWidget::event(QEvent* e)
{
    // Placed in a window that is not shown yet, the sheet gives its panels back to it at once:
    // they then appear with the window, laid out before its first frame.
    if (e->type() == QEvent::ParentChange && !isVisible())
        showPanels();
    return QFrame::event(e);
}

void PropertyListWidget::showPanels()
{
    // Hidden, the sheet only marks them to be shown with it; visible, it shows them with its
    // layout held until the last.
    const bool visible = isVisible();
    if (visible)
        m_layout->setEnabled(false);
    for (PropsPanel* panel : std::as_const(m_panels)) {
        if (panel->isHidden() && !panel->testAttribute(Qt::WA_WState_ExplicitShowHide))
            panel->show();
    }
    if (visible) {
        m_layout->setEnabled(true);
        m_layout->activate();
    }
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
        watchDestruction(w);
        addRowExtras(w, record);
    }
}

// The host may find a row or a panel and delete it: the sheet forgets it and goes on with the
// others.
void PropertyListWidget::watchDestruction(QWidget* w)
{
    auto* panel = qobject_cast<PropsPanel*>(w);
    connect(w, &QObject::destroyed, this, [this, w, panel] {
        if (panel)
            m_panels.removeAll(panel);
        else
            m_descriptions.remove(w);
    });
}

void PropertyListWidget::addRowExtras(QWidget* w, PropertyDescription const& record)
{
    RowExtras::setToolTip(w, record);
    if (RowExtras::offersReset(m_object, record))
        connect(
            RowExtras::addResetAction(w), &QAction::triggered, this, [this, w] { resetRow(w); });
}

// A reset is an edit like any other: reported (so that it can be undone) and written to every
// bound object. The row shows the value the reset left, and so does every row that depends on it.
void PropertyListWidget::resetRow(QWidget* w)
{
    if (!m_object)
        return;
    const QPointer<PropertyListWidget> self(this);
    const PropertyDescription record = m_descriptions.value(w);
    const QVariant fallback = record.value(PropertyKey::Default);
    {
        EditReporter::Write report(m_edits, w);
        if (fallback.isValid()) {
            report.done(fallback, writeProperty(w, fallback));
        } else {
            const QString prop = stringOf(record, PropertyKey::Prop);
            QObjectList took;
            for (const QPointer<QObject>& object : Objects(m_objects)) {
                if (object && RowExtras::resetProperty(object, prop))
                    took << object;
            }
            if (!self)
                return;
            report.done(getProperty(w), took);
        }
    }
    if (self)
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
    if (prop.isEmpty())
        return true;
    // Enabled when enabled for every object.
    const QByteArray name = nameOf(prop + PropertySuffix::Enabled);
    const QPointer<PropertyLookup> lookup(m_lookup);
    for (QObject* object : Objects(m_objects)) {
        if (!lookup)
            break;
        if (!object)
            continue;
        const QVariant enabled = lookup->read(object, name);
        if (enabled.isValid() && !enabled.toBool())
            return false;
    }
    return true;
}

void PropertyListWidget::addWidget(QWidget* w)
{
    if (m_panels.isEmpty()) {
        auto* panel = new PropsPanel(windowTitle(), nullptr);
        m_layout->addWidget(panel);
        m_panels.append(panel);
        watchDestruction(panel);
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
        watchDestruction(panel);
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
    bool mixed = false;
    const QVariant value = boundValue(prop, &mixed);
    const RowContext row { this, m_object, record, prop, value, m_listHelper, false, {}, m_objects,
        mixed, m_edits };
    const RowKind* kind = RowKind::find(type);
    if (!kind)
        return nullptr;
    QWidget* w = kind->create(row);
    if (mixed)
        kind->showMixed(w, true);
    kind->connectEdits(w, row);
    return w;
}

QVariant PropertyListWidget::boundValue(QString const& prop, bool* mixed) const
{
    *mixed = false;
    if (!m_object || prop.isEmpty())
        return QVariant();
    const QByteArray name = nameOf(prop);
    // Held apart from the sheet: a getter may destroy it, and the sheet then reads no further.
    const QPointer<PropertyLookup> lookup(m_lookup);
    QObject* const first = m_object;
    const Objects objects = m_objects;
    const QVariant value = lookup->read(first, name);
    for (QObject* other : objects) {
        if (!lookup)
            break;
        if (other && other != first && lookup->read(other, name) != value) {
            *mixed = true;
            break;
        }
    }
    return value;
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
    const QByteArray name = nameOf(findProperty(w));
    for (const QPointer<QObject>& object : Objects(m_objects)) {
        if (object)
            object->setProperty(name, value);
    }
}

// A host setter may throw; the sheet never lets that escape into Qt's event handling. Every
// object is written once; those that take the value are returned: a setter that throws, or a
// declared property that does not take it (read-only, or a value it cannot convert), leaves its
// object out.
QObjectList PropertyListWidget::writeProperty(QObject* w, QVariant const& value, bool* threw)
{
    const QByteArray name = nameOf(findProperty(w));
    QObjectList took;
    // A setter may rebind the sheet.
    for (const QPointer<QObject>& object : Objects(m_objects)) {
        if (!object)
            continue;
        const bool declared = object->metaObject()->indexOfProperty(name) >= 0;
        try {
            const bool written = object->setProperty(name, value);
            if (object && (written || !declared))
                took << object;
        } catch (...) {
            if (threw)
                *threw = true;
        }
    }
    return took;
}

// Each slot below may see the host destroy the sheet, or the row, inside any call it makes into
// the host (a getter, a setter, a reset, a listener of propertyEdited): it then touches neither
// again.
void PropertyListWidget::onNumberChanged(float value)
{
    const QPointer<PropertyListWidget> self(this);
    QObject* row = sender();
    const auto* number = qobject_cast<InputLineSlider*>(row);
    EditReporter::Write report(m_edits, row,
        number && number->isAdjusting() ? PropertyEdit::Intermediate : PropertyEdit::Final);
    if (self)
        report.done(QVariant(value), writeProperty(row, QVariant(value)));
}

void PropertyListWidget::onFileChanged(QString const& file)
{
    const QPointer<PropertyListWidget> self(this);
    const QPointer<QObject> row = sender();
    EditReporter::Write report(m_edits, row);
    if (!self)
        return;
    bool threw = false;
    report.done(file, writeProperty(row, file, &threw));
    if (!threw || !self)
        return;
    auto* picker = qobject_cast<FilePicker*>(row);
    if (!picker)
        return;
    // An object refused the file: the picker shows what the objects hold.
    if (m_objects.size() > 1) {
        const QSet<QWidget*> only { picker };
        refreshRows(false, {}, &only);
        return;
    }
    const bool enabled = checkForEnabled(m_descriptions.value(picker));
    if (!row)
        return;
    picker->QWidget::setEnabled(enabled);
    const QString shown = getProperty(picker).toString();
    if (row)
        picker->setFileName(shown);
}

void PropertyListWidget::onColorClicked(QColor const& color)
{
    writeEdit(sender(), color);
}

void PropertyListWidget::onCheckClicked(bool checked)
{
    writeEdit(sender(), checked);
}

void PropertyListWidget::onButtonClicked()
{
    writeEdit(sender(), true);
}

void PropertyListWidget::onTextFieldChanged(QString const& text)
{
    writeEdit(sender(), text);
}

void PropertyListWidget::writeEdit(QObject* row, QVariant const& value)
{
    const QPointer<PropertyListWidget> self(this);
    EditReporter::Write report(m_edits, row);
    if (self)
        report.done(value, writeProperty(row, value));
}

void PropertyListWidget::onComboCurrentIndex(QString const& text)
{
    const QPointer<PropertyListWidget> self(this);
    QObject* combo = sender();
    EditReporter::Write report(m_edits, combo);
    if (!self)
        return;
    ComboWrite last;
    if (m_objects.size() > 1) {
        // Each object goes through what a sheet of its own would do, with its own old value.
        const Objects objects = m_objects;
        const QByteArray name = nameOf(findProperty(combo));
        QVariantList olds;
        for (QObject* object : objects)
            olds << (object ? object->property(name) : QVariant());
        if (!self)
            return;
        const QObjectList took = writeProperty(combo, text);
        if (!self)
            return;
        last = settleComboOfAll(combo, text, objects, olds, took);
    } else {
        const QString old = getProperty(combo).toString();
        if (!self)
            return;
        const QObjectList took = writeProperty(combo, text);
        if (!self)
            return;
        last = settleCombo(combo, text, old, took);
    }
    if (self)
        report.done(last.value, last.took);
}

void PropertyListWidget::updateCombo(QObject* combo, QString const& newText, QString const& oldText)
{
    settleCombo(combo, newText, oldText, {});
}

bool PropertyListWidget::settleIndexOrEnum(
    QObject* combo, QString const& text, QObjectList const& textTook, ComboWrite* write)
{
    const QPointer<PropertyListWidget> self(this);
    const QPointer<ComboBox> box = qobject_cast<ComboBox*>(combo);
    if (combo && combo->property(ComboNoKeysProperty).toBool()) {
        *write = {};
        if (box) {
            const int index = box->currentIndex();
            *write = { index, writeProperty(combo, index) };
        }
        return true;
    }
    if (box && box->property(ComboEnumProperty).toBool()) {
        // Qt turned the key into a number, or refused it: the combo shows what the (first)
        // object holds.
        const QVariant value = getProperty(combo);
        if (self && box)
            showEnumValue(box, m_descriptions.value(box), value);
        *write = { text, textTook };
        return true;
    }
    return false;
}

PropertyListWidget::ComboWrite PropertyListWidget::settleCombo(
    QObject* combo, QString const& newText, QString const& oldText, QObjectList const& textTook)
{
    const QPointer<PropertyListWidget> self(this);
    const QPointer<ComboBox> box = qobject_cast<ComboBox*>(combo);
    const QString current = getProperty(combo).toString();
    if (!self)
        return {};
    ComboWrite settled;
    if (settleIndexOrEnum(combo, newText, textTook, &settled))
        return settled;
    if (current == QLatin1String("0")) {
        // The object refused the text: forget the entry and put the old value back.
        if (box)
            box->removeValue(newText);
        writeProperty(combo, oldText);
        if (self && box)
            box->setValue(oldText);
        return {};
    }
    if (box)
        box->setValue(current);
    return { newText, textTook };
}

PropertyListWidget::ComboWrite PropertyListWidget::settleComboOfAll(QObject* combo,
    QString const& text, Objects const& objects, QVariantList const& oldValues,
    QObjectList textTook)
{
    const QPointer<PropertyListWidget> self(this);
    const QPointer<ComboBox> box = qobject_cast<ComboBox*>(combo);
    ComboWrite settled;
    if (settleIndexOrEnum(combo, text, textTook, &settled))
        return settled;
    // An object that refused the text reads "0": it alone gets its old value back. The entry
    // goes when the first object refused it, without a signal: the others may hold it.
    const QByteArray name = nameOf(findProperty(combo));
    for (int i = 0; i < objects.size(); ++i) {
        QObject* object = objects.at(i);
        if (!object || object->property(name).toString() != QLatin1String("0"))
            continue;
        textTook.removeAll(object);
        if (box && i == 0) {
            const QSignalBlocker blocker(box);
            box->removeValue(text);
        }
        try {
            object->setProperty(name, oldValues.at(i));
        } catch (...) { }
    }
    if (!self)
        return {};
    // The box shows what the objects hold now: the text, or a mixed state.
    const QSet<QWidget*> only { box };
    if (box)
        refreshRows(false, {}, &only);
    return { text, textTook };
}

void PropertyListWidget::updateAll()
{
    UpdateValues(nullptr);
}

void PropertyListWidget::UpdateValues(QObject* object)
{
    if (object)
        rebind({ object });
    else
        refreshRows(false, {});
}

QList<QObject*> PropertyListWidget::objects() const
{
    QList<QObject*> objects;
    for (QObject* object : m_objects) {
        if (object)
            objects << object;
    }
    return objects;
}

void PropertyListWidget::setObjects(QList<QObject*> const& objects)
{
    rebind(objects);
}

void PropertyListWidget::rebind(QList<QObject*> const& objects)
{
    const Objects previous = m_objects;
    for (QObject* object : previous) {
        if (object)
            disconnect(object, &QObject::destroyed, this, nullptr);
    }
    m_objects.clear();
    for (QObject* object : objects) {
        if (object && !m_objects.contains(object))
            m_objects << object;
    }
    m_object = m_objects.value(0);
    if (m_objects.size() > 1) {
        for (QObject* object : std::as_const(m_objects))
            connect(object, &QObject::destroyed, this, &PropertyListWidget::dropDestroyedObjects);
    }
    if (m_live)
        m_live->watch();
    // Not yet built: the constructor binds before it creates the rows.
    if (!m_layout)
        return;
    // Button rows follow new objects; a previous object that is gone has lost its connections
    // with it.
    const bool rebound = m_object && m_objects != previous;
    refreshRows(rebound, previous);
}

void PropertyListWidget::refreshRows(
    bool rebound, Objects const& previous, QSet<QWidget*> const* only)
{
    // The object is gone: there is nothing to show and nowhere to write.
    if (!m_object)
        return;
    const QPointer<PropertyListWidget> self(this);
    const bool wasRefreshing = std::exchange(m_refreshing, true);
    const auto restore = qScopeGuard([this, &self, wasRefreshing] {
        if (self)
            m_refreshing = wasRefreshing;
    });
    // A copy: the host may delete a row meanwhile, which then leaves m_descriptions.
    const QHash<QWidget*, PropertyDescription> descriptions = m_descriptions;
    for (auto it = descriptions.cbegin(); it != descriptions.cend(); ++it) {
        if (only && !only->contains(it.key()))
            continue;
        const PropertyDescription& record = it.value();
        const QString type = stringOf(record, PropertyKey::Type);
        const RowKind* kind = RowKind::find(type);
        if (!kind || !m_descriptions.contains(it.key()))
            continue;
        const QString prop = stringOf(record, PropertyKey::Prop);
        bool mixed = false;
        const QVariant value = boundValue(prop, &mixed);
        if (!self)
            return;
        RowContext row { this, m_object, record, prop, value, nullptr, rebound,
            rebound ? previous : Objects(), m_objects, mixed, m_edits };
        // Read before the control changes, so that a host that destroys the row or the sheet
        // from a getter leaves nothing half done. A combo reads it last: a plain list writes
        // its entry back first, and the host may change what it allows then.
        if (type != RowType::Combo) {
            row.knownEnabled = checkForEnabled(record);
            if (!self)
                return;
        }
        if (m_descriptions.contains(it.key()))
            kind->refresh(it.key(), row);
        // A plain-list combo writes back through its own signal, and the host may have destroyed
        // the object, or the sheet, meanwhile.
        if (!self || !m_object)
            return;
    }
}

// Several objects: one that dies leaves the set, and the rows show what the others hold.
void PropertyListWidget::dropDestroyedObjects()
{
    m_objects.removeAll(QPointer<QObject>());
    m_object = m_objects.value(0);
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            updateAll();
        },
        Qt::QueuedConnection);
}

void PropertyListWidget::setLiveRefresh(bool on)
{
    if (on == liveRefresh())
        return;
    if (on) {
        m_live = new LiveRefresh(this);
        m_live->watch();
    } else {
        delete m_live;
        m_live = nullptr;
    }
}

bool PropertyListWidget::liveRefresh() const
{
    return m_live != nullptr;
}
