#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QList>
#include <QMap>

class QAction;
class QButtonGroup;
class QHBoxLayout;

// A horizontal strip of push buttons mirroring QActions, with separators, springs and fixed
// spacings. Buttons of actions that share a QActionGroup share a QButtonGroup.
class CORVANE_WIDGETS_EXPORT Toolbar : public QFrame
{
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);
    ~Toolbar() override;

    // A parentless action becomes the toolbar's and is destroyed when its entry is removed.
    void insertAction(unsigned long index, QAction* action);
    void insertSpring(unsigned long index);
    void insertSpacing(unsigned long index, int size);
    void setSpacingSize(unsigned long index, int size);
    void removeAction(unsigned long index);
    void removeAction(QAction* action);

    // Null for a spring or a spacing and past the last position.
    QAction* actionAt(unsigned long index);
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
