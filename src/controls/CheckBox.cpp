#include <corvane/CheckBox.h>

#include <QEvent>

CheckBox::CheckBox(QString const& text, eOrder order, QWidget* parent)
    : QCheckBox(text, parent)
    , m_order(order)
{
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    installEventFilter(this);
}

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
