#pragma once

/// @file
/// Label, the word-wrapping title of every control.

#include <corvane/CorvaneExport.h>

#include <QFont>
#include <QLabel>
#include <QMargins>

/// The word-wrapping label used for every title in the library. In a right-to-left layout its
/// text keeps to the leading (right) edge, whatever the direction of the text itself. The
/// property sheet's `label` rows are Labels, named by the record's `w_obj_id`.
///
/// Theming: class `Label`.
class CORVANE_WIDGETS_EXPORT Label : public QLabel
{
    Q_OBJECT
public:
    /// A word-wrapping label showing `text`, without indent.
    explicit Label(QString const& text, QWidget* parent = nullptr);

    /// QLabel's answer, remembered for the last width asked while nothing that affects it
    /// changed.
    int heightForWidth(int width) const override;

protected:
    /// Mirrors a left or right alignment when the layout direction is right to left.
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
