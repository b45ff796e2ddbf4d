#pragma once

// Cocoa helpers of the platform layer; for Objective-C++ sources only.

#include <QString>

@class NSAutoreleasePool;
@class NSString;

namespace qthelpers {

// Keeps a Cocoa autorelease pool alive for exactly its own lifetime.
class AutoreleasePool
{
public:
    AutoreleasePool();
    ~AutoreleasePool();

    AutoreleasePool(AutoreleasePool const&) = delete;
    AutoreleasePool& operator=(AutoreleasePool const&) = delete;

private:
    NSAutoreleasePool* m_pool;
};

// An autoreleased NSString with the same characters; the caller must have a pool in place.
NSString* ConvertString(QString const& text);

} // namespace qthelpers
