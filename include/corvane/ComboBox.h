#pragma once

/// @file
/// ComboBox, a titled drop-down row.

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QMap>
#include <QStringList>
#include <QVariant>

#include <memory>

class Label;
class MixedState;
class QComboBox;

/// A titled drop-down row. Entries are plain texts or texts standing for numbers, the latter kept
/// in numeric order; a value is selected by its number (within 0.01) or by its text. The box
/// never takes the mouse wheel. The property sheet's `combo` rows are ComboBoxes.
///
/// Theming: class `ComboBox`, property `two_lines`; the drop-down's list is named "view".
class CORVANE_WIDGETS_EXPORT ComboBox : public QFrame
{
    Q_OBJECT
    /// True for the title above the box, false for the title beside it.
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    /// A row titled `title`, the title above the box with `twoLines`, beside it without.
    ComboBox(QString const& title, bool twoLines, QWidget* parent = nullptr);
    ~ComboBox() override;

    /// The `two_lines` property.
    bool isTwoLines() const;
    /// The row's title.
    QString title();

    /// Whether the box takes typed text.
    void setEditable(bool on);
    /// Appends `texts` as plain entries, in their order.
    void setValues(QStringList const& texts);
    /// Appends an entry per key of `map`, standing for the key's value as a number and ordered
    /// by it; texts with the same number collapse into the last of them, a non-number counts 0.
    void setValues(QMap<QString, QVariant> const& map);
    /// Selects the entry whose number is within 0.01 of `value` or whose text is `value`, else
    /// puts `value` in the editor of an editable box. Emits nothing; ends the mixed state.
    void setValue(QString const& value);
    /// Selects the entry whose text is exactly `text`, none without one; emits
    /// currentIndexChanged() when the current entry changes. Ends the mixed state.
    void setCurrentValue(QString const& text);
    /// Removes the entry whose text is exactly `text`, if any.
    void removeValue(QString const& text);
    /// The current text: the current entry's, or what an editable box holds.
    QString currentValue();

    /// Selects entry `index` (-1 for none), as QComboBox does; ends the mixed state.
    void setCurrentIndex(int index);
    /// The current entry's index, -1 for none.
    int currentIndex();
    /// The number of entries.
    int count();
    /// Removes every entry.
    void clear();

    /// Mixed: the row stands for several values that differ. No entry is current, the box (or its
    /// editor, when editable) shows "Mixed" as placeholder, and its accessible description says
    /// the same. Turning it on emits nothing, and while it lasts leaving the box emits nothing
    /// either. Choosing an entry, typing, setValue(), setCurrentValue() and setCurrentIndex() end
    /// it.
    void setMixed(bool mixed);
    /// Whether the row is in the mixed state.
    bool isMixed() const;

    /// Leaves the wheel to the parent and emits currentIndexChanged() when the box loses focus.
    bool eventFilter(QObject* obj, QEvent* e) override;

Q_SIGNALS:
    /// The current entry changed (by the user, setCurrentValue() or setCurrentIndex(); not by
    /// setValue()), with the entry's text, empty for none. Also emitted with the current text
    /// each time the box loses the focus, changed or not, except in the mixed state; this
    /// commits what was typed into an editable box.
    void currentIndexChanged(QString const& text);
    /// Declared for hosts that connect to it; the row does not emit it.
    void editTextChanged(QString const& text);

private:
    Label* m_label;
    QComboBox* m_combo;
    bool m_twoLines;
    std::unique_ptr<MixedState> m_mixed;
};
