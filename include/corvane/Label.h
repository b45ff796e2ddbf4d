#pragma once

#include <corvane/CorvaneExport.h>

#include <QLabel>

// The word-wrapping label used for every title in the library. In a right-to-left layout its
// text keeps to the leading (right) edge, whatever the direction of the text itself.
class CORVANE_WIDGETS_EXPORT Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QString const& text, QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;

private:
    void followLayoutDirection();

    // The left or right alignment is held as its absolute mirror image for a right-to-left
    // layout.
    bool m_mirrored = false;
};
