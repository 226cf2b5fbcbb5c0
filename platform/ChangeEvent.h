#pragma once
// TChangeEvent: the change report of a pen, brush or font, a callable taking nothing and
// returning nothing. It is used like std::function<void()> (assigned a lambda or a
// function, cleared with nullptr, tested with if, called with ()), but takes one word:
// every shape holds three of them.
//
// A method bound with Bind<&T::Method>(object) is kept in that word as the object's
// address with a small number in its three lowest bits (free in the address of any object
// aligned to eight bytes) that names the method in a table of bound methods. Any other
// callable lives on the heap, and the word points to it.
#include "mycad_export.h"

#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

class MYCAD_EXPORT TChangeEvent {
public:
    TChangeEvent() = default;
    TChangeEvent(std::nullptr_t) {}
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TChangeEvent>
                                                      && std::is_invocable_r_v<void, F&>>>
    TChangeEvent(F&& f) // NOLINT: converts like std::function
    {
        Store(std::forward<F>(f));
    }
    TChangeEvent(const TChangeEvent& o) : FWord(o.IsBound() || !o.FWord ? o.FWord : Cloned(o.FWord)) {}
    TChangeEvent(TChangeEvent&& o) noexcept : FWord(std::exchange(o.FWord, 0)) {}
    ~TChangeEvent() { Reset(); }

    TChangeEvent& operator=(const TChangeEvent& o)
    {
        if (this != &o) {
            TChangeEvent copy(o);
            std::swap(FWord, copy.FWord);
        }
        return *this;
    }
    TChangeEvent& operator=(TChangeEvent&& o) noexcept
    {
        TChangeEvent moved(std::move(o));
        std::swap(FWord, moved.FWord);
        return *this;
    }
    TChangeEvent& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TChangeEvent>
                                                      && std::is_invocable_r_v<void, F&>>>
    TChangeEvent& operator=(F&& f)
    {
        TChangeEvent made(std::forward<F>(f));
        std::swap(FWord, made.FWord);
        return *this;
    }

    // An event that calls Receiver->Method(); empty for a null receiver. Kept in the word
    // itself while the table of bound methods has room (seven methods), on the heap after.
    template <auto Method, typename T>
    static TChangeEvent Bind(T* Receiver)
    {
        static_assert(alignof(T) > kTagMask, "the receiver's address must leave the tag bits free");
        static const uintptr_t tag = TagFor([](void* r) { (static_cast<T*>(r)->*Method)(); });
        TChangeEvent event;
        if (!Receiver)
            return event;
        if (tag != 0)
            event.FWord = reinterpret_cast<uintptr_t>(static_cast<void*>(Receiver)) | tag;
        else
            event.Store([Receiver] { (Receiver->*Method)(); });
        return event;
    }

    explicit operator bool() const { return FWord != 0; }
    void operator()() const
    {
        if (IsBound())
            CallBound(FWord);
        else if (FWord)
            (*reinterpret_cast<const std::function<void()>*>(FWord))();
    }

private:
    using TThunk = void (*)(void*);
    static constexpr uintptr_t kTagMask = 7;

    // The tag of a bound method's thunk (1 to 7), taking a new one for a thunk not seen
    // before; 0 when the table is full.
    static uintptr_t TagFor(TThunk Thunk);
    static void CallBound(uintptr_t Word);

    bool IsBound() const { return (FWord & kTagMask) != 0; }
    template <typename F>
    void Store(F&& f)
    {
        // An empty function or a null function pointer makes an empty event.
        if constexpr (std::is_constructible_v<bool, const std::decay_t<F>&>) {
            if (!static_cast<bool>(f))
                return;
        }
        FWord = reinterpret_cast<uintptr_t>(new std::function<void()>(std::forward<F>(f)));
    }
    static uintptr_t Cloned(uintptr_t Word)
    {
        return reinterpret_cast<uintptr_t>(new std::function<void()>(*reinterpret_cast<const std::function<void()>*>(Word)));
    }
    void Reset()
    {
        if (FWord && !IsBound())
            delete reinterpret_cast<std::function<void()>*>(FWord);
        FWord = 0;
    }

    // 0: empty; tag bits clear: a std::function on the heap; tag bits set: a bound method.
    uintptr_t FWord = 0;
};
