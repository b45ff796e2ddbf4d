#include <corvane/Toolbar.h>

#include "platform/Accessibility.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVariant>

#include <utility>

namespace {

// Size at which buttons show their action's icon.
constexpr int IconSide = 32;

} // namespace

Toolbar::Toolbar(QWidget* parent)
    : QFrame(parent)
    , m_layout(new QHBoxLayout(this))
{
    corvane::accessibility::installToolbar();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    // Everything is inserted before this stretch, so buttons gather at the left.
    m_layout->addStretch(0);
}

Toolbar::~Toolbar()
{
    // Adopted actions die with the children, after the toolbar part of this object is gone.
    for (QAction* action : std::as_const(m_actions)) {
        if (action)
            disconnect(action, nullptr, this, nullptr);
    }
}

int Toolbar::itemsCount() const
{
    return m_layout->count() - 1;
}

bool Toolbar::isInsertPosition(unsigned long index) const
{
    return index <= static_cast<unsigned long>(itemsCount());
}

void Toolbar::insertAction(unsigned long index, QAction* action)
{
    if (!action || !isInsertPosition(index))
        return;
    const int position = static_cast<int>(index);

    connect(action, &QObject::destroyed, this, [this, action] { onActionDestroyed(action); });

    if (action->isSeparator()) {
        auto* separator = new QFrame(this);
        separator->setAttribute(Qt::WA_LayoutUsesWidgetRect);
        separator->setObjectName(QStringLiteral("separator"));
        m_layout->insertWidget(position, separator);
        m_actions.insert(position, action);
        return;
    }

    auto* button = new QPushButton(this);
    button->setAttribute(Qt::WA_LayoutUsesWidgetRect);
    button->setCheckable(action->isCheckable());
    button->setChecked(action->isChecked());
    button->setEnabled(action->isEnabled());
    button->setToolTip(action->toolTip());
    button->setObjectName(QStringLiteral("btn") + action->property("buttonId").toString());
    if (!action->icon().isNull()) {
        button->setIcon(action->icon());
        button->setIconSize(QSize(IconSide, IconSide));
    }

    connect(action, &QAction::toggled, button, &QAbstractButton::setChecked);
    connect(button, &QAbstractButton::clicked, action, &QAction::setChecked);
    // The host's triggered() handlers run without QAction::trigger(), which would toggle again.
    connect(button, &QAbstractButton::clicked, action, &QAction::triggered);

    QObject* owner = action->parent();
    if (!owner) {
        action->setParent(this);
    } else if (qobject_cast<QActionGroup*>(owner)) {
        QButtonGroup*& group = m_groups[owner];
        if (!group)
            group = new QButtonGroup(this);
        group->addButton(button);
    }

    m_layout->insertWidget(position, button);
    m_actions.insert(position, action);
}

void Toolbar::insertSpring(unsigned long index)
{
    if (!isInsertPosition(index))
        return;
    m_layout->insertStretch(static_cast<int>(index), 1);
    m_actions.insert(static_cast<int>(index), nullptr);
}

void Toolbar::insertSpacing(unsigned long index, int size)
{
    if (!isInsertPosition(index))
        return;
    m_layout->insertSpacing(static_cast<int>(index), qMax(0, size));
    m_actions.insert(static_cast<int>(index), nullptr);
}

void Toolbar::setSpacingSize(unsigned long index, int size)
{
    if (index >= static_cast<unsigned long>(itemsCount()))
        return;
    QSpacerItem* spacer = m_layout->itemAt(static_cast<int>(index))->spacerItem();
    // A spring is a spacer too, but one that stretches.
    if (!spacer || spacer->sizePolicy().horizontalPolicy() != QSizePolicy::Fixed)
        return;
    size = qMax(0, size);
    if (spacer->sizeHint().width() != size)
        spacer->changeSize(size, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
}

void Toolbar::removeLayoutItem(int index)
{
    QLayoutItem* item = m_layout->takeAt(index);
    delete item->widget();
    delete item;
}

void Toolbar::removeAction(unsigned long index)
{
    if (index >= static_cast<unsigned long>(itemsCount()))
        return;
    const int position = static_cast<int>(index);
    removeLayoutItem(position);
    QAction* action = m_actions.takeAt(position);
    if (!action)
        return;

    QObject* owner = action->parent();
    releaseButtonGroup(owner);
    if (owner == this && !m_actions.contains(action))
        delete action;
}

void Toolbar::removeAction(QAction* action)
{
    if (!action)
        return;
    const int position = m_actions.indexOf(action);
    if (position >= 0)
        removeAction(static_cast<unsigned long>(position));
}

QAction* Toolbar::actionAt(unsigned long index)
{
    if (index >= static_cast<unsigned long>(m_actions.size()))
        return nullptr;
    return m_actions.at(static_cast<int>(index));
}

void Toolbar::releaseButtonGroup(QObject* actionGroup)
{
    const auto found = m_groups.find(actionGroup);
    if (found == m_groups.end())
        return;
    for (QAction* other : std::as_const(m_actions)) {
        if (other && other->parent() == actionGroup)
            return;
    }
    delete found.value();
    m_groups.erase(found);
}

void Toolbar::onActionDestroyed(QAction* action)
{
    // The action is half destroyed: only its address may be used. Its entries go, and with
    // them any button group that no remaining action needs.
    for (int i = m_actions.size() - 1; i >= 0; --i) {
        if (m_actions.at(i) == action) {
            removeLayoutItem(i);
            m_actions.removeAt(i);
        }
    }
    const QList<QObject*> actionGroups = m_groups.keys();
    for (QObject* actionGroup : actionGroups)
        releaseButtonGroup(actionGroup);
}
