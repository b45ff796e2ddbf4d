#include <corvane/Keyboard.h>

namespace {
bool s_fullKeyboardAccess = false;
} // namespace

namespace corvane {

void setFullKeyboardAccess(bool on)
{
    s_fullKeyboardAccess = on;
}

bool fullKeyboardAccess()
{
    return s_fullKeyboardAccess;
}

} // namespace corvane
