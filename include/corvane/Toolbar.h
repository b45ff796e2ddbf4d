#pragma once

/// @file
/// Toolbar, push buttons mirroring QActions.

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QList>
#include <QMap>

class QAction;
class QButtonGroup;
class QHBoxLayout;

/// A horizontal strip of push buttons mirroring QActions, with separators, springs and fixed
/// spacings, gathered at the left. Buttons of actions that share a QActionGroup share a
/// QButtonGroup, so that exactly one of them is checked.
///
/// A button takes its action's checkable and checked state, enabled state, tooltip and icon
/// (shown at 32 x 32) when it is inserted; later, only the checked state follows the action.
/// Clicking a button sets the action's checked state and emits its QAction::triggered() (without
/// QAction::trigger(), which would toggle it again). A destroyed action's entry goes with it.
///
/// Theming: class `Toolbar`; each button is a QPushButton named "btn" followed by the action's
/// dynamic property "buttonId" (just "btn" without it); a separator action is a frame named
/// "separator".
class CORVANE_WIDGETS_EXPORT Toolbar : public QFrame
{
    Q_OBJECT
public:
    /// An empty toolbar.
    explicit Toolbar(QWidget* parent = nullptr);
    ~Toolbar() override;

    /// Inserts a button (or a separator) for `action` at `index`, from 0 to itemsCount(); other
    /// positions and a null action are ignored. A parentless action becomes the toolbar's and
    /// is destroyed when its entry is removed.
    void insertAction(unsigned long index, QAction* action);
    /// Inserts a stretching space at `index`.
    void insertSpring(unsigned long index);
    /// Inserts a fixed space of `size` pixels (at least 0) at `index`.
    void insertSpacing(unsigned long index, int size);
    /// Resizes the fixed space at `index`; anything else there is left alone.
    void setSpacingSize(unsigned long index, int size);
    /// Removes the entry at `index`, deleting its button and, if the toolbar owns it, its action.
    void removeAction(unsigned long index);
    /// Removes the first entry of `action`, as removeAction(unsigned long).
    void removeAction(QAction* action);

    /// The action at `index`; null for a spring or a spacing and past the last position.
    QAction* actionAt(unsigned long index);
    /// The number of entries: buttons, separators, springs and spacings.
    int itemsCount() const;

private:
    void onActionDestroyed(QAction* action);
    void releaseButtonGroup(QObject* actionGroup);
    void removeLayoutItem(int index);
    bool isInsertPosition(unsigned long index) const;

    QList<QAction*> m_actions;
    QHBoxLayout* m_layout = nullptr;
    // Keyed by the action group as a plain object: a group may be under destruction when its
    // last action goes, and is then only compared, never used.
    QMap<QObject*, QButtonGroup*> m_groups;
};
