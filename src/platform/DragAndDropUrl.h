#pragma once

#include <corvane/CorvaneExport.h>

#include <QUrl>

namespace qthelpers {

// A macOS drop may name a file by reference ("file:///.file/id=..."), which QUrl::toLocalFile
// cannot turn into a path. Only the empty host and the path prefix are looked at.
inline bool isFileReferenceUrl(QUrl const& url)
{
    return url.host().isEmpty() && url.path().startsWith(QLatin1String("/.file/id="));
}

// Returns the path URL of a dropped file-reference URL, or an empty URL where the reference
// cannot be resolved. Every other URL comes back unchanged.
CORVANE_AUTOTEST_EXPORT QUrl fixDragAndDropUrl(QUrl url);

} // namespace qthelpers
