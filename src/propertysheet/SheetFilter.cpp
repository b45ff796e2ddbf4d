#include "propertysheet/SheetFilter.h"

#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/Panel.h"

#include <QSet>

bool SheetFilter::matches(PropertyDescription const& record, QString const& text)
{
    return record.value(PropertyKey::Label).toString().contains(text, Qt::CaseInsensitive)
        || record.value(PropertyKey::Prop).toString().contains(text, Qt::CaseInsensitive);
}

void SheetFilter::apply(QString const& text, QVector<PropsPanel*> const& panels,
    QHash<QWidget*, PropertyDescription> const& rows)
{
    m_text = text;
    QSet<QWidget*> shownPanels;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        const bool out = !text.isEmpty() && !matches(it.value(), text);
        setFilteredOut(it.key(), out);
        if (!out && !hiddenByHost(it.key()))
            shownPanels.insert(it.key()->parentWidget());
    }
    for (PropsPanel* panel : panels)
        setFilteredOut(panel, !text.isEmpty() && !shownPanels.contains(panel));
}

// Hidden, not by the filter: not the filter's to show again. Before a widget is first shown it is
// hidden too, but not explicitly.
bool SheetFilter::hiddenByHost(QWidget* w) const
{
    return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide)
        && !m_hidden.contains(w);
}

void SheetFilter::setFilteredOut(QWidget* w, bool out)
{
    const int at = m_hidden.indexOf(w);
    if (out && at < 0) {
        if (hiddenByHost(w))
            return;
        m_hidden.append(w);
        w->hide();
    } else if (!out && at >= 0) {
        m_hidden.remove(at);
        w->show();
    }
}
