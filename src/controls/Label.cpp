#include <corvane/Label.h>

Label::Label(QString const& text, QWidget* parent)
    : QLabel(text, parent)
{
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setIndent(0);
    setWordWrap(true);
}
