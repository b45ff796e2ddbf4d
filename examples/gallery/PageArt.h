#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>

// Pictures the gallery draws for itself, so that it ships no image files.
namespace pageart {

// A small "document page" picture with a title and a coloured figure, `size` in the units of a
// screen of device pixel ratio `ratio`.
QPixmap pagePicture(
    QString const& title, QColor const& accent, QSize const& size, qreal ratio = 1.0);

// A picture with a transparent background and translucent parts, to show the checkered look.
QImage transparentPicture(QSize const& size);

// A tool icon drawn with a few strokes; `kind` names the tool.
QPixmap toolIcon(QString const& kind, QColor const& color);

} // namespace pageart
