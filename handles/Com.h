#pragma once

// Owners for COM: the apartment of the thread, interface pointers and the
// strings COM hands out.

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

// A string COM allocated for the caller.
class CoTaskString {
public:
    CoTaskString() noexcept = default;
    ~CoTaskString() { ::CoTaskMemFree(text_); }
    CoTaskString(const CoTaskString&) = delete;
    CoTaskString& operator=(const CoTaskString&) = delete;
    const wchar_t* get() const noexcept { return text_; }
    LPWSTR* Receive() noexcept {
        ::CoTaskMemFree(std::exchange(text_, nullptr));
        return &text_;
    }

private:
    LPWSTR text_ = nullptr;
};

// COM on this thread, single-threaded apartment, for as long as the owner lives.
class ComApartment {
public:
    ComApartment() noexcept : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        // Only a successful call is balanced; RPC_E_CHANGED_MODE means another owner's apartment.
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

} // namespace tuckaway::win32
