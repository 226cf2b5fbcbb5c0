#pragma once
// TChangeEvent: the change report of a pen, brush or font, a callable taking nothing and
// returning nothing. It is used like std::function<void()> (assigned a lambda or a
// function, cleared with nullptr, tested with if, called with ()), but takes 16 bytes
// instead of 32: every shape holds three of them. A callable of at most one pointer's
// size that is trivially copyable (a lambda capturing only this, a function pointer) is
// kept in place; anything larger lives on the heap.
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

class TChangeEvent {
public:
    TChangeEvent() = default;
    TChangeEvent(std::nullptr_t) {}
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TChangeEvent>
                                                      && std::is_invocable_r_v<void, F&>>>
    TChangeEvent(F&& f) // NOLINT: converts like std::function
    {
        Store(std::forward<F>(f));
    }
    TChangeEvent(const TChangeEvent& o) { CopyFrom(o); }
    TChangeEvent(TChangeEvent&& o) noexcept : FData(o.FData), FOp(o.FOp) { o.FOp = nullptr; }
    ~TChangeEvent() { Reset(); }

    TChangeEvent& operator=(const TChangeEvent& o)
    {
        if (this != &o) {
            TChangeEvent copy(o);
            Swap(copy);
        }
        return *this;
    }
    TChangeEvent& operator=(TChangeEvent&& o) noexcept
    {
        TChangeEvent moved(std::move(o));
        Swap(moved);
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
        Swap(made);
        return *this;
    }

    explicit operator bool() const { return FOp != nullptr; }
    void operator()() const
    {
        if (FOp)
            FOp(EOp::Call, const_cast<void**>(&FData), nullptr);
    }

private:
    enum class EOp { Call, Copy, Destroy };
    // Call: runs the callable in *self. Copy: makes *to a copy of *self. Destroy: frees *self.
    using TOp = void (*)(EOp, void** self, void** to);

    template <typename F>
    void Store(F&& f)
    {
        using T = std::decay_t<F>;
        // An empty function or a null function pointer makes an empty event.
        if constexpr (std::is_constructible_v<bool, const T&>) {
            if (!static_cast<bool>(f))
                return;
        }
        if constexpr (sizeof(T) <= sizeof(void*) && alignof(T) <= alignof(void*)
                      && std::is_trivially_copyable_v<T>) {
            ::new (static_cast<void*>(&FData)) T(std::forward<F>(f));
            FOp = [](EOp op, void** self, void** to) {
                if (op == EOp::Call)
                    (*std::launder(reinterpret_cast<T*>(self)))();
                else if (op == EOp::Copy)
                    std::memcpy(static_cast<void*>(to), static_cast<const void*>(self), sizeof(void*));
            };
        } else {
            FData = new T(std::forward<F>(f));
            FOp = [](EOp op, void** self, void** to) {
                T* held = static_cast<T*>(*self);
                if (op == EOp::Call)
                    (*held)();
                else if (op == EOp::Copy)
                    *to = new T(*held);
                else
                    delete held;
            };
        }
    }
    void CopyFrom(const TChangeEvent& o)
    {
        if (o.FOp) {
            o.FOp(EOp::Copy, const_cast<void**>(&o.FData), &FData);
            FOp = o.FOp;
        }
    }
    void Reset()
    {
        if (FOp) {
            FOp(EOp::Destroy, &FData, nullptr);
            FOp = nullptr;
        }
    }
    void Swap(TChangeEvent& o) noexcept
    {
        std::swap(FData, o.FData);
        std::swap(FOp, o.FOp);
    }

    void* FData = nullptr;
    TOp FOp = nullptr;
};
