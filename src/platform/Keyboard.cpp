#include "platform/Keyboard_p.h"

#include <vector>

namespace {
bool s_fullKeyboardAccess = false;

std::vector<void (*)(bool)>& listeners()
{
    static std::vector<void (*)(bool)> list;
    return list;
}
} // namespace

namespace corvane {

void setFullKeyboardAccess(bool on)
{
    if (s_fullKeyboardAccess == on)
        return;
    s_fullKeyboardAccess = on;
    for (auto* listener : listeners())
        listener(on);
}

bool fullKeyboardAccess()
{
    return s_fullKeyboardAccess;
}

namespace detail {

void onFullKeyboardAccessChanged(void (*listener)(bool on))
{
    listeners().push_back(listener);
}

} // namespace detail
} // namespace corvane
