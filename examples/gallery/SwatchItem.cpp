#include "SwatchItem.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

SwatchItem::SwatchItem(QWidget* parent)
    : CollectionViewItem(parent)
{
    setAttribute(Qt::WA_StyledBackground);
}

void SwatchItem::setSwatch(QColor const& color, QString const& caption)
{
    m_color = color;
    m_caption = caption;
    update();
}

void SwatchItem::OnSelectionChanged(bool)
{
    // Property selectors are evaluated at polish time only.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void SwatchItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);

    // Inside the frame that the style sheet draws for the selection.
    const QRect swatch = rect().adjusted(4, 4, -4, -4);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    p.drawRoundedRect(swatch, 4, 4);
    p.setPen(m_color.lightnessF() > 0.6 ? QColor(0x20, 0x22, 0x2a) : QColor(Qt::white));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    p.setFont(small);
    p.drawText(swatch.adjusted(4, 2, -4, -3), Qt::AlignBottom | Qt::AlignRight, m_caption);
}
