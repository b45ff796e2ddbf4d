#pragma once

#include <corvane/CorvaneExport.h>

#include "controls/MixedState.h"
#include "platform/QtCompat_p.h"

#include <QColor>
#include <QPushButton>

// The swatch of a ColorPicker: a frame drawn by the style around a field of the colour. Any
// mouse release on it opens the colour dialog.
class CORVANE_AUTOTEST_EXPORT ColorPicker_PushButton : public QPushButton
{
    Q_OBJECT
public:
    ColorPicker_PushButton(QColor const& color, QWidget* parent = nullptr);

    QColor getValue();
    void setValue(QColor const& color);
    // A mixed swatch hatches its colour; choosing one in the dialog ends the state.
    void setMixed(bool mixed);
    bool isMixed() const;

Q_SIGNALS:
    void colorChanged(QColor const& color);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(CorvaneEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_color;
    MixedState m_mixed;
};
