#pragma once

/// @file
/// CheckBox and its ranks, eOrder.

#include <corvane/CorvaneExport.h>

#include <QCheckBox>

#include <memory>

class MixedState;

/// Visual rank of a check box; the style sheet reads it through the box's `style_type`. Property
/// descriptions carry it under the key `w_order`.
enum eOrder : int {
    ePrimary = 0, ///< `style_type` "primary".
    ePrimaryLight = 1, ///< `style_type` "primary_light".
    eSecondary = 2, ///< `style_type` "secondary"; any other value gives an empty `style_type`.
};

/// A check box of a given rank that never takes the mouse wheel, so that a scrolling sheet keeps
/// scrolling under the pointer. The property sheet's `check` rows are CheckBoxes.
///
/// Theming: class `CheckBox`, `style_type` from its eOrder, fixed at construction.
class CORVANE_WIDGETS_EXPORT CheckBox : public QCheckBox
{
    Q_OBJECT
    /// The look for the style sheet: "primary", "primary_light", "secondary" or empty.
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    /// A box showing `text`, of rank `order`.
    CheckBox(QString const& text, eOrder order, QWidget* parent = nullptr);
    ~CheckBox() override;

    /// The `style_type` property.
    QString getStyleType() const;

    /// Mixed: the box stands for several objects that differ, and is partially checked, which
    /// screen readers announce as mixed. A click checks it and ends the state, and so does
    /// setChecked(); the user cannot bring the partial state back.
    void setMixed(bool mixed);
    /// Whether the box is in the mixed state.
    bool isMixed() const;

protected:
    /// Leaves wheel events on the box to its parent.
    bool eventFilter(QObject* obj, QEvent* e) override;
    /// Ends the mixed state once the box is set to a full state.
    void checkStateSet() override;
    /// Ends the mixed state once a click moved the box to a full state.
    void nextCheckState() override;

private:
    void endMixed();

    eOrder m_order;
    std::unique_ptr<MixedState> m_mixed;
};
