#include "ChangeEvent.h"

#include <array>
#include <mutex>

namespace {

// The thunks of the bound methods, by tag; entry 0 stays empty (it is no tag). Entries are
// only ever added, so a tag once handed out always calls the same thunk.
struct TBoundMethods {
    std::mutex Lock;
    std::array<void (*)(void*), 8> Thunks{};
};

TBoundMethods& BoundMethods()
{
    static TBoundMethods methods;
    return methods;
}

} // namespace

uintptr_t TChangeEvent::TagFor(TThunk Thunk)
{
    TBoundMethods& methods = BoundMethods();
    std::lock_guard<std::mutex> guard(methods.Lock);
    for (uintptr_t tag = 1; tag <= kTagMask; ++tag) {
        if (methods.Thunks[tag] == Thunk)
            return tag;
        if (!methods.Thunks[tag]) {
            methods.Thunks[tag] = Thunk;
            return tag;
        }
    }
    return 0;
}

void TChangeEvent::CallBound(uintptr_t Word)
{
    // Written before any event could carry the tag, and never changed after.
    BoundMethods().Thunks[Word & kTagMask](reinterpret_cast<void*>(Word & ~kTagMask));
}
