#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QMap>
#include <QStringList>
#include <QVariant>

#include <memory>

class Label;
class MixedState;
class QComboBox;

// A titled drop-down row. Entries are plain texts or texts standing for numbers, the latter kept
// in numeric order; a value is selected by its number (within 0.01) or by its text.
class CORVANE_WIDGETS_EXPORT ComboBox : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    ComboBox(QString const& title, bool twoLines, QWidget* parent = nullptr);
    ~ComboBox() override;

    bool isTwoLines() const;
    QString title();

    void setEditable(bool on);
    void setValues(QStringList const& texts);
    void setValues(QMap<QString, QVariant> const& map);
    void setValue(QString const& value);
    void setCurrentValue(QString const& text);
    void removeValue(QString const& text);
    QString currentValue();

    void setCurrentIndex(int index);
    int currentIndex();
    int count();
    void clear();

    // Mixed: the row stands for several values that differ. No entry is current, the box (or its
    // editor, when editable) shows "Mixed" as placeholder, and its accessible description says
    // the same. Turning it on emits nothing, and while it lasts leaving the box emits nothing
    // either. Choosing an entry, typing, setValue(), setCurrentValue() and setCurrentIndex() end
    // it.
    void setMixed(bool mixed);
    bool isMixed() const;

    bool eventFilter(QObject* obj, QEvent* e) override;

Q_SIGNALS:
    void currentIndexChanged(QString const& text);
    void editTextChanged(QString const& text);

private:
    Label* m_label;
    QComboBox* m_combo;
    bool m_twoLines;
    std::unique_ptr<MixedState> m_mixed;
};
