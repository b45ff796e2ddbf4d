// The numeric rows as assistive technologies see them: the field is a spin box named by the
// row's title, whose value is the row's, in the units the row shows (a percent row's in percent);
// the slider, the popup's too, reports the same value, and the spinner and the popup button have
// names.

#include <corvane/InputLine.h>
#include <corvane/InputLineSlider.h>
#include <corvane/Label.h>
#include <corvane/LineEdit.h>

#include "numeric/NumericValue.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"
#include "platform/Accessibility.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>

#include <limits>

using corvane::accessibility::translated;

// What the interfaces read from a numeric row and do with it; a friend of both rows. Made afresh
// for each question: null parts when `row` is no numeric row (or not yet, or no longer, one).
class NumericAccessible
{
public:
    explicit NumericAccessible(QWidget* row)
    {
        if (auto* slider = qobject_cast<InputLineSlider*>(row)) {
            take(row, slider);
            m_fineStep = slider->m_fineStep == 1;
        } else if (auto* line = qobject_cast<InputLine*>(row)) {
            take(row, line);
        }
    }

    QWidget* row() const { return m_row; }
    LineEdit* field() const { return m_field; }
    QString title() const { return m_title ? m_title->text() : QString(); }

    // The value, range and arrow-key step in the units the field shows. The rows report floats;
    // read back as the shortest decimal that float stands for, 0.4 is not 0.4000000059604645.
    double value() const { return inUnits(m_number->value()); }
    double minimum() const { return inUnits(m_number->minimum()); }
    double maximum() const { return inUnits(m_number->maximum()); }
    double step() const { return m_fineStep && !m_number->percents() ? 0.1 : 1.0; }

    // As if the value had been typed and Return pressed: the row commits what the field holds,
    // with the same signals and, in a property sheet, the same single write.
    void setValue(double value) const
    {
        m_field->setText(QString::number(value, 'g', QLocale::FloatingPointShortest));
        Q_EMIT m_field->returnPressed();
    }

private:
    template<class Row> void take(QWidget* row, Row* numeric)
    {
        // A row still building its parts is none yet.
        if (!numeric->m_number || !numeric->m_edit || !numeric->m_label)
            return;
        m_row = row;
        m_number = numeric->m_number.get();
        m_field = numeric->m_edit;
        m_title = numeric->m_label;
    }
    double inUnits(double v) const
    {
        const double scale = m_number->percents() ? numeric::PercentScale : 1.0;
        const double shown = double(numeric::toFloat(v)) * scale;
        return QString::number(shown, 'g', std::numeric_limits<float>::digits10 + 1).toDouble();
    }

    QWidget* m_row = nullptr;
    NumericValue* m_number = nullptr;
    LineEdit* m_field = nullptr;
    QLabel* m_title = nullptr;
    bool m_fineStep = false;
};

namespace {

// The row a part belongs to: its parent, or for the popup's slider, which sits in a window of its
// own, the row that opened it.
QWidget* rowOf(QWidget* part)
{
    if (auto* popupSlider = qobject_cast<Slider*>(part))
        return popupSlider->row();
    return part->parentWidget();
}

// A part of a numeric row: the row's title names it, the row's tooltip describes it.
class RowPartAccessible : public QAccessibleWidget
{
public:
    RowPartAccessible(QWidget* part, QAccessible::Role role, char const* name = nullptr)
        : QAccessibleWidget(part, role)
        , m_name(name)
    { }

    QString text(QAccessible::Text t) const override
    {
        const NumericAccessible row(rowOf(widget()));
        if (t == QAccessible::Name && row.row() && widget()->accessibleName().isEmpty())
            return m_name ? translated(m_name) : row.title();
        if (t == QAccessible::Description && row.row()
            && widget()->accessibleDescription().isEmpty())
            return row.row()->toolTip();
        if (t == QAccessible::Value && row.field() && !m_name)
            return row.field()->text();
        return QAccessibleWidget::text(t);
    }

private:
    char const* m_name;
};

// The slider of a row, and the base of its field: the row's value, set as if typed.
class RowValueAccessible : public RowPartAccessible, public QAccessibleValueInterface
{
public:
    using RowPartAccessible::RowPartAccessible;

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return RowPartAccessible::interface_cast(t);
    }

    // None while the field shows none (a row that was never given a value, or a mixed one).
    QVariant currentValue() const override
    {
        const NumericAccessible r = row();
        return r.row() && !r.field()->text().isEmpty() ? r.value() : QVariant();
    }
    QVariant minimumValue() const override { return row().row() ? row().minimum() : QVariant(); }
    QVariant maximumValue() const override { return row().row() ? row().maximum() : QVariant(); }
    QVariant minimumStepSize() const override { return row().row() ? row().step() : QVariant(); }
    void setCurrentValue(QVariant const& value) override
    {
        const NumericAccessible r = row();
        if (r.row() && r.row()->isEnabled() && widget()->isEnabled())
            r.setValue(value.toDouble());
    }

protected:
    NumericAccessible row() const { return NumericAccessible(rowOf(widget())); }
};

// The field: a spin box whose text can also be read and edited as a line edit's.
class NumericFieldAccessible : public RowValueAccessible,
                               public QAccessibleTextInterface,
                               public QAccessibleEditableTextInterface
{
public:
    explicit NumericFieldAccessible(QWidget* field)
        : RowValueAccessible(field, QAccessible::SpinBox)
    { }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return RowValueAccessible::interface_cast(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = RowValueAccessible::state();
        s.editable = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + int(edit()->selectedText().size());
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return edit()->text().mid(start, end - start);
    }
    using RowValueAccessible::text;
    int characterCount() const override { return int(edit()->text().size()); }
    QRect characterRect(int offset) const override
    {
        // Measured as the rows lay their text out: from the left, unscrolled (numbers are short).
        const QString text = edit()->text();
        if (offset < 0 || offset >= text.size())
            return QRect();
        const QFontMetrics metrics(edit()->font());
        const QRect contents = edit()->contentsRect();
        const QPoint topLeft(
            contents.left() + metrics.horizontalAdvance(text.left(offset)), contents.top());
        return QRect(edit()->mapToGlobal(topLeft),
            QSize(metrics.horizontalAdvance(text.at(offset)), contents.height()));
    }
    int offsetAtPoint(QPoint const& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { edit()->setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return QString();
    }

    void deleteText(int start, int end) override
    {
        edit()->setText(edit()->text().remove(start, end - start));
    }
    void insertText(int offset, QString const& text) override
    {
        edit()->setText(edit()->text().insert(offset, text));
    }
    void replaceText(int start, int end, QString const& text) override
    {
        edit()->setText(edit()->text().replace(start, end - start, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// The arrow pair: a button whose actions step the value up and down, as its halves do.
class SpinnerAccessible : public RowPartAccessible
{
public:
    explicit SpinnerAccessible(QWidget* spinner)
        : RowPartAccessible(spinner, QAccessible::Button, QT_TRANSLATE_NOOP("Corvane", "Step"))
    { }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << increaseAction() << decreaseAction();
        return names + RowPartAccessible::actionNames();
    }
    void doAction(QString const& action) override
    {
        auto* spinner = static_cast<Spinner*>(widget());
        const int direction = action == increaseAction() ? 1 : action == decreaseAction() ? -1 : 0;
        if (direction == 0)
            RowPartAccessible::doAction(action);
        else if (spinner->isEnabled())
            Q_EMIT spinner->valueChanged(direction * spinner->getSingleStep());
    }
};

// The "V" button, which opens the popup slider. The row opens it only for a button that has the
// focus, as a click gives it.
class PopupButtonAccessible : public corvane::accessibility::ButtonAccessible
{
public:
    using ButtonAccessible::ButtonAccessible;

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return translated(QT_TRANSLATE_NOOP("Corvane", "Show slider"));
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return widget()->parentWidget()->toolTip();
        return ButtonAccessible::text(t);
    }

protected:
    void press() override
    {
        button()->setFocus(Qt::OtherFocusReason);
        button()->click();
    }
};

// Decided by the parent alone: Qt may already ask while a row is still building the part.
QAccessibleInterface* numericFactory(QString const& className, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    const bool inSliderRow = qobject_cast<InputLineSlider*>(w->parentWidget());
    const bool inLine = qobject_cast<InputLine*>(w->parentWidget());
    if (className == QLatin1String("LineEdit") && (inSliderRow || inLine))
        return new NumericFieldAccessible(w);
    if ((className == QLatin1String("QSlider") && inSliderRow)
        || className == QLatin1String("Slider"))
        return new RowValueAccessible(w, QAccessible::Slider);
    if (className == QLatin1String("Spinner") && inLine)
        return new SpinnerAccessible(w);
    if (className == QLatin1String("QPushButton") && inLine)
        return new PopupButtonAccessible(w);
    return nullptr;
}

} // namespace

void corvane::accessibility::installNumeric()
{
    static const bool installed = (QAccessible::installFactory(&numericFactory), true);
    Q_UNUSED(installed)
}
