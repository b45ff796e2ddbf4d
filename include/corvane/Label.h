#pragma once

#include <corvane/CorvaneExport.h>

#include <QFont>
#include <QLabel>
#include <QMargins>

// The word-wrapping label used for every title in the library. In a right-to-left layout its
// text keeps to the leading (right) edge, whatever the direction of the text itself.
class CORVANE_WIDGETS_EXPORT Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QString const& text, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* e) override;

private:
    void followLayoutDirection();

    // The last height measured, with what it was measured for: a wrapped title is asked again
    // and again, at the same few widths, while a sheet is laid out.
    struct Measure
    {
        int width = -1;
        int height = 0;
        QString text;
        QFont font;
        QMargins margins;
        Qt::Alignment alignment;
        int indent = 0;
        int margin = 0;
        bool wordWrap = false;
        bool operator==(Measure const& o) const
        {
            return width == o.width && text == o.text && font == o.font && margins == o.margins
                && alignment == o.alignment && indent == o.indent && margin == o.margin
                && wordWrap == o.wordWrap;
        }
    };
    mutable Measure m_measured;

    // The left or right alignment is held as its absolute mirror image for a right-to-left
    // layout.
    bool m_mirrored = false;
};
