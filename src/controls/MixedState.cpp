#include "controls/MixedState.h"

#include <QCoreApplication>
#include <QWidget>

namespace {
// Line edits, text edits and combo boxes all name their placeholder so.
constexpr char PlaceholderProperty[] = "placeholderText";
} // namespace

QString MixedState::text()
{
    return QCoreApplication::translate("Corvane", "Mixed");
}

bool MixedState::set(bool on, QWidget* described, QWidget* placeholderOwner)
{
    if (on == m_on)
        return false;
    m_on = on;
    if (on) {
        m_description = described->accessibleDescription();
        described->setAccessibleDescription(text());
        if (placeholderOwner) {
            m_placeholder = placeholderOwner->property(PlaceholderProperty);
            placeholderOwner->setProperty(PlaceholderProperty, text());
        }
    } else {
        described->setAccessibleDescription(m_description);
        // A combo box without placeholder selects its first entry, and says so; the control
        // that leaves the state selects what it shows next itself.
        const QSignalBlocker blocker(placeholderOwner);
        if (placeholderOwner && m_placeholder.isValid())
            placeholderOwner->setProperty(PlaceholderProperty, m_placeholder);
        m_placeholder = QVariant();
    }
    return true;
}
