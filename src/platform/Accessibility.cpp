#include "platform/Accessibility.h"

#include "controls/ColorPicker_PushButton.h"

#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <vector>

namespace corvane::accessibility {

namespace {

// The names of a control's inner widgets, kept in step with its tooltip and the language.
class PartNames : public QObject
{
    Q_OBJECT
public:
    static PartNames* of(QWidget* control)
    {
        auto* names = control->findChild<PartNames*>(QString(), Qt::FindDirectChildrenOnly);
        return names ? names : new PartNames(control);
    }

    void add(QWidget* part, QLabel* title, char const* text)
    {
        m_parts.push_back({ part, title, text });
        apply(m_parts.back());
    }
    void refresh()
    {
        for (Part& part : m_parts)
            apply(part);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == parent()
            && (e->type() == QEvent::ToolTipChange || e->type() == QEvent::LanguageChange))
            refresh();
        return false;
    }

private:
    explicit PartNames(QWidget* control)
        : QObject(control)
    {
        control->installEventFilter(this);
    }

    struct Part
    {
        QPointer<QWidget> widget;
        QPointer<QLabel> title;
        char const* text;
        QString description = {};
    };

    void apply(Part& part) const
    {
        if (!part.widget)
            return;
        QString name;
        if (part.title)
            name = part.title->text();
        else if (part.text)
            name = translated(part.text);
        part.widget->setAccessibleName(name);
        // A description that someone else gave the part meanwhile (a mixed value's) stays.
        if (part.widget->accessibleDescription() != part.description)
            return;
        part.description = static_cast<QWidget*>(parent())->toolTip();
        part.widget->setAccessibleDescription(part.description);
    }

    std::vector<Part> m_parts;
};

// The title of a control with one: its first label.
QString titleOf(QWidget* control)
{
    auto* title
        = control ? control->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return title ? title->text() : QString();
}

// A part's name and description, unless the host gave it its own: the control's title and
// tooltip.
QString fromControl(QWidget* part, QAccessible::Text t)
{
    if (t == QAccessible::Name && part->accessibleName().isEmpty())
        return titleOf(part->parentWidget());
    if (t == QAccessible::Description && part->accessibleDescription().isEmpty()
        && part->parentWidget())
        return part->parentWidget()->toolTip();
    return QString();
}

// The combo of a combo row or a file row. Qt names a combo on Unix after its entry, leaving the
// label to a buddy relation, which the rows' titles cannot have without showing their ampersands
// as mnemonics. Otherwise it is what Qt makes of a combo: its value the entry, its children the
// popup list and an editable combo's line edit, its action the popup.
class RowComboAccessible : public QAccessibleWidget
{
public:
    explicit RowComboAccessible(QWidget* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        const QString text = fromControl(widget(), t);
        return text.isEmpty() ? QAccessibleWidget::text(t) : text;
    }
    int childCount() const override { return combo()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        QObject* part = index == 0 ? static_cast<QObject*>(combo()->view())
            : index == 1           ? combo()->lineEdit()
                                   : nullptr;
        return part ? QAccessible::queryAccessibleInterface(part) : nullptr;
    }
    int indexOfChild(QAccessibleInterface const* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == combo()->view())
            return 0;
        return child->object() && child->object() == combo()->lineEdit() ? 1 : -1;
    }
    QStringList actionNames() const override { return { showMenuAction(), pressAction() }; }
    void doAction(QString const& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(QString const&) const override { return {}; }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// The swatch of a colour picker: named by the picker's title, its value the colour it shows.
class ColorSwatchAccessible : public ButtonAccessible
{
public:
    using ButtonAccessible::ButtonAccessible;

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<ColorPicker_PushButton*>(widget())->getValue().name().toUpper();
        const QString text = fromControl(widget(), t);
        return text.isEmpty() ? ButtonAccessible::text(t) : text;
    }

protected:
    void press() override
    {
        // The dialog is modal: it opens once the caller has had its answer.
        QMetaObject::invokeMethod(widget(), "chooseColor", Qt::QueuedConnection);
    }
};

QAccessibleInterface* controlsFactory(QString const& className, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (className == QLatin1String("ColorPicker_PushButton"))
        return new ColorSwatchAccessible(w);
    // Decided by the parent alone: Qt may already ask while a row is still building the combo.
    QWidget* row = w->parentWidget();
    if (className == QLatin1String("QComboBox")
        && (qobject_cast<ComboBox*>(row) || qobject_cast<FilePicker*>(row)))
        return new RowComboAccessible(w);
    return nullptr;
}

} // namespace

void installControls()
{
    static const bool installed = (QAccessible::installFactory(&controlsFactory), true);
    Q_UNUSED(installed)
}

QString translated(char const* text)
{
    return QCoreApplication::translate("Corvane", text);
}

QString withoutMnemonic(QString text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1); // the character after it, a second '&' too, stays
    }
    return text;
}

void nameByTitle(QWidget* control, QWidget* part, QLabel* title)
{
    PartNames::of(control)->add(part, title, nullptr);
}

void nameByText(QWidget* control, QWidget* part, char const* text)
{
    PartNames::of(control)->add(part, nullptr, text);
}

void refreshNames(QWidget* control)
{
    if (auto* names = control->findChild<PartNames*>(QString(), Qt::FindDirectChildrenOnly))
        names->refresh();
}

ButtonAccessible::ButtonAccessible(QWidget* button)
    : QAccessibleWidget(button, QAccessible::Button)
{ }

QAbstractButton* ButtonAccessible::button() const
{
    return static_cast<QAbstractButton*>(widget());
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->isDown();
    s.checkable = button()->isCheckable();
    s.checked = button()->isChecked();
    return s;
}

QStringList ButtonAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled()) {
        if (button()->isCheckable())
            names << toggleAction();
        names << pressAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(QString const& action)
{
    if (action != pressAction() && action != toggleAction())
        QAccessibleWidget::doAction(action);
    else if (widget()->isEnabled())
        press();
}

void ButtonAccessible::press()
{
    button()->click();
}

} // namespace corvane::accessibility

#include "Accessibility.moc"
