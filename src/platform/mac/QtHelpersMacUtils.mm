#include "platform/mac/QtHelpersMacUtils.h"
#include "platform/DragAndDropUrl.h"

#import <Foundation/Foundation.h>

// Built without ARC: the pool and the strings are managed by hand.

namespace qthelpers {

AutoreleasePool::AutoreleasePool()
    : m_pool([[NSAutoreleasePool alloc] init])
{
}

AutoreleasePool::~AutoreleasePool()
{
    [m_pool release];
}

NSString* ConvertString(QString const& text)
{
    const QByteArray utf8 = text.toUtf8();
    NSString* string = [[NSString alloc] initWithBytes:utf8.constData()
                                                length:static_cast<NSUInteger>(utf8.size())
                                              encoding:NSUTF8StringEncoding];
    return [string autorelease];
}

QUrl fixDragAndDropUrl(QUrl url)
{
    if (isFileReferenceUrl(url)) {
        AutoreleasePool pool;
        // A reference that no longer resolves yields nil somewhere along the chain; messages to
        // nil yield nil again, and the empty text below becomes an empty URL.
        NSURL* reference = [NSURL URLWithString:ConvertString(url.toString(QUrl::None))];
        const char* resolved = [[[reference filePathURL] absoluteString] UTF8String];
        url = QUrl::fromEncoded(QString::fromUtf8(resolved).toUtf8(), QUrl::TolerantMode);
    }
    return url;
}

} // namespace qthelpers
