#include <corvane/CheckBox.h>

#include "controls/MixedState.h"

#include <QEvent>

CheckBox::CheckBox(QString const& text, eOrder order, QWidget* parent)
    : QCheckBox(text, parent)
    , m_order(order)
    , m_mixed(new MixedState)
{
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    installEventFilter(this);
}

CheckBox::~CheckBox() = default;

QString CheckBox::getStyleType() const
{
    switch (static_cast<int>(m_order)) {
    case ePrimary:
        return QStringLiteral("primary");
    case ePrimaryLight:
        return QStringLiteral("primary_light");
    case eSecondary:
        return QStringLiteral("secondary");
    default:
        return QString();
    }
}

bool CheckBox::eventFilter(QObject* obj, QEvent* e)
{
    // The box never takes the wheel; left unaccepted, Qt hands it on to the parent so that a
    // scrolling sheet keeps scrolling under the pointer.
    if (e->type() == QEvent::Wheel) {
        e->ignore();
        return true;
    }
    return QCheckBox::eventFilter(obj, e);
}

void CheckBox::setMixed(bool mixed)
{
    if (!m_mixed->set(mixed, this))
        return;
    // The partial state makes the box tristate; a box back from it is two-state again.
    if (mixed) {
        setCheckState(Qt::PartiallyChecked);
    } else {
        setTristate(false);
        setCheckState(checkState());
    }
}

bool CheckBox::isMixed() const
{
    return m_mixed->isOn();
}

void CheckBox::endMixed()
{
    if (m_mixed->isOn() && checkState() != Qt::PartiallyChecked) {
        m_mixed->set(false, this);
        setTristate(false);
    }
}

void CheckBox::checkStateSet()
{
    QCheckBox::checkStateSet();
    endMixed();
}

void CheckBox::nextCheckState()
{
    QCheckBox::nextCheckState();
    endMixed();
}
