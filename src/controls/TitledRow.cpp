#include "controls/TitledRow.h"

#include <corvane/Label.h>

QBoxLayout* makeTitledRow(QWidget* owner, QString const& title, bool twoLines, Label** label)
{
    auto* layout = twoLines ? static_cast<QBoxLayout*>(new QVBoxLayout(owner))
                            : static_cast<QBoxLayout*>(new QHBoxLayout(owner));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    *label = new Label(title, owner);
    layout->addWidget(*label);
    return layout;
}
