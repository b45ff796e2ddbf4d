#include "platform/DragAndDropUrl.h"

// Apple platforms resolve file references through Cocoa (platform/mac/QtHelpersMacUtils.mm).
#if !defined(Q_OS_DARWIN)

namespace qthelpers {

QUrl fixDragAndDropUrl(QUrl url)
{
    // Nothing here can resolve a file reference; an empty URL makes the drop find no file.
    if (isFileReferenceUrl(url))
        return QUrl();
    return url;
}

} // namespace qthelpers

#endif
