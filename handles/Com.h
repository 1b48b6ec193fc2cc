#pragma once

// An owner for COM interface pointers. It calls nothing but the interface
// itself, so a program that loads COM only when it needs it can use it.

#include <objbase.h>

#include <utility>

namespace tuckaway::win32 {

// An interface pointer that releases what it holds; move-only.
template <typename Interface> class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For a call that hands out a new reference: whatever was held is let go first.
    Interface** Receive() noexcept {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }
    void Reset() noexcept {
        if (pointer_) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }
    template <typename Other> ComPtr<Other> As() const noexcept {
        ComPtr<Other> other;
        if (pointer_) {
            pointer_->QueryInterface(__uuidof(Other), other.ReceiveVoid());
        }
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};

} // namespace tuckaway::win32
