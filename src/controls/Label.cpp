#include <corvane/Label.h>

#include <QEvent>

Label::Label(QString const& text, QWidget* parent)
    : QLabel(text, parent)
{
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setIndent(0);
    setWordWrap(true);
    // The direction is taken from the parent or the application before this constructor runs.
    followLayoutDirection();
}

int Label::heightForWidth(int width) const
{
    // A label without text may show a picture, which QLabel measures its own way.
    if (text().isEmpty())
        return QLabel::heightForWidth(width);
    Measure now;
    now.width = width;
    now.text = text();
    now.font = font();
    now.margins = contentsMargins();
    now.alignment = alignment();
    now.indent = indent();
    now.margin = margin();
    now.wordWrap = wordWrap();
    now.height = m_measured.height;
    if (!(now == m_measured)) {
        now.height = QLabel::heightForWidth(width);
        m_measured = now;
    }
    return m_measured.height;
}

bool Label::event(QEvent* e)
{
    // At the polish as well: the owner may have set an alignment of its own after construction.
    if (e->type() == QEvent::LayoutDirectionChange || e->type() == QEvent::Polish)
        followLayoutDirection();
    return QLabel::event(e);
}

void Label::followLayoutDirection()
{
    // Qt aligns plain text by the text's own direction, so a Latin title stays on the left of a
    // right-to-left row. An absolute alignment follows the layout instead; left to right nothing
    // changes.
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    const Qt::Alignment vertical = alignment() & ~Qt::AlignHorizontal_Mask;
    const Qt::Alignment absoluteLeft = Qt::AlignAbsolute | Qt::AlignLeft;
    const Qt::Alignment absoluteRight = Qt::AlignAbsolute | Qt::AlignRight;
    // An alignment set since is the owner's, to be mirrored afresh.
    if (!(horizontal & Qt::AlignAbsolute))
        m_mirrored = false;
    if (isRightToLeft() && !m_mirrored) {
        if (horizontal == Qt::AlignLeft || horizontal == Qt::AlignRight) {
            setAlignment(vertical | (horizontal == Qt::AlignLeft ? absoluteRight : absoluteLeft));
            m_mirrored = true;
        }
    } else if (!isRightToLeft() && m_mirrored) {
        m_mirrored = false;
        if (horizontal == absoluteLeft || horizontal == absoluteRight)
            setAlignment(vertical | (horizontal == absoluteRight ? Qt::AlignLeft : Qt::AlignRight));
    }
}
