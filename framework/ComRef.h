#pragma once
// Owns one reference to a COM object and releases it when it goes. It only
// adopts references (a new object's first one, or one a call handed out);
// it never adds one itself, so a reference is never counted twice.

#include <utility>

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(Interface* adopted) : object_(adopted) {}
    ~ComRef()
    {
        if (object_ != nullptr) object_->Release();
    }
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For calls that hand out a reference; any reference held before is released.
    Interface** receive()
    {
        ComRef().swap(*this);
        return &object_;
    }
    void swap(ComRef& other) noexcept { std::swap(object_, other.object_); }

private:
    Interface* object_ = nullptr;
};
