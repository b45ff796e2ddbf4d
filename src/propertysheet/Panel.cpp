#include "propertysheet/Panel.h"

#include <corvane/Label.h>

#include "platform/Accessibility.h"

#include <QVBoxLayout>

PropsPanel::PropsPanel(QString const& title, QWidget* parent)
    : QFrame(parent)
    , m_layout(new QVBoxLayout(this))
{
    corvane::accessibility::installPropertySheet();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    if (!title.isEmpty()) {
        auto* label = new Label(title, nullptr);
        label->setObjectName(QStringLiteral("panelTitle"));
        label->setWordWrap(true);
        m_layout->addWidget(label);
    }
}

void PropsPanel::addWidget(QWidget* w)
{
    m_layout->addWidget(w);
}
