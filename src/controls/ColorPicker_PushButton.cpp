#include "controls/ColorPicker_PushButton.h"

#include "platform/Accessibility.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFrame>

namespace {

// The colour fills the swatch from this far inside its edges; the style's frame and the band
// around the colour take the rest.
constexpr int ColourInset = 2;
// The hatching over the colour of a swatch that stands for several colours.
constexpr QRgb MixedHatch = qRgb(0x80, 0x80, 0x80);

} // namespace

ColorPicker_PushButton::ColorPicker_PushButton(QColor const& color, QWidget* parent)
    : QPushButton(parent)
    , m_color(color)
{
    corvane::accessibility::installControls();
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
}

QColor ColorPicker_PushButton::getValue()
{
    return m_color;
}

void ColorPicker_PushButton::setValue(QColor const& color)
{
    // A refresh usually hands back the colour already shown; painting it again at once would
    // change no pixel and costs a synchronous paint per row.
    if (color == m_color)
        return;
    m_color = color;
    // A swatch out of sight (scrolled away, or below the end of a sheet that is not scrolled)
    // has no pixel to paint now; Qt paints it with its new colour when it comes into view.
    if (visibleRegion().isEmpty())
        update();
    else
        repaint();
}

void ColorPicker_PushButton::setMixed(bool mixed)
{
    if (m_mixed.set(mixed, this))
        repaint();
}

bool ColorPicker_PushButton::isMixed() const
{
    return m_mixed.isOn();
}

void ColorPicker_PushButton::mouseReleaseEvent(QMouseEvent*)
{
    // The press is QPushButton's, the release is ours: clicked() is never emitted, and the
    // button only has to come back up.
    setDown(false);
    chooseColor();
}

void ColorPicker_PushButton::keyPressEvent(QKeyEvent* e)
{
    // Return and Enter open the dialog at once; Space, as on other buttons, when it comes up.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
        e->accept();
        chooseColor();
        return;
    }
    QPushButton::keyPressEvent(e);
}

void ColorPicker_PushButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && isDown()) {
        e->accept();
        setDown(false);
        chooseColor();
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

void ColorPicker_PushButton::chooseColor()
{
    QPointer<ColorPicker_PushButton> self(this);
    QPointer<QColorDialog> dialog = new QColorDialog(this);
    dialog->setCurrentColor(m_color);
    const int result = dialog->exec();
    // The nested event loop may have destroyed the swatch (and with it the dialog).
    if (!self)
        return;
    const QColor chosen = dialog ? dialog->currentColor() : QColor();
    delete dialog;
    if (result != QDialog::Accepted)
        return;
    m_color = chosen;
    m_mixed.set(false, this);
    repaint();
    Q_EMIT colorChanged(m_color);
}

void ColorPicker_PushButton::enterEvent(CorvaneEnterEvent*)
{
    setCursor(Qt::PointingHandCursor);
}

void ColorPicker_PushButton::leaveEvent(QEvent*)
{
    setCursor(Qt::ArrowCursor);
}

void ColorPicker_PushButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.save();
    QStyleOptionFrame option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
    const QRect colour = option.rect.adjusted(ColourInset, ColourInset, -ColourInset, -ColourInset);
    painter.fillRect(colour, m_color);
    if (m_mixed.isOn())
        painter.fillRect(colour, QBrush(QColor(MixedHatch), Qt::BDiagPattern));
    painter.restore();
}
