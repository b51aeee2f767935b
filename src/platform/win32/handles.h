#pragma once
// Owners of Windows handles and shell memory: each closes or frees its value
// exactly once, whatever path a function leaves by.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace quillory::win32 {

template <typename Traits>
class Unique {
public:
    using Value = typename Traits::Value;

    Unique() = default;
    explicit Unique(Value value) : value_(value) {}
    ~Unique() { Reset(); }
    Unique(Unique&& other) noexcept : value_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Value Get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }

    Value Release() { return std::exchange(value_, Traits::Invalid()); }
    void Reset(Value value = Traits::Invalid()) {
        if (*this) Traits::Close(value_);
        value_ = value;
    }

private:
    Value value_ = Traits::Invalid();
};

// CreateFileW's handles: INVALID_HANDLE_VALUE on failure.
struct FileHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value value) { CloseHandle(value); }
};
using FileHandle = Unique<FileHandleTraits>;

struct FindHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value value) { FindClose(value); }
};
using FindHandle = Unique<FindHandleTraits>;

// FindFirstChangeNotificationW's handles.
struct ChangeNotificationTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value value) { FindCloseChangeNotification(value); }
};
using ChangeNotification = Unique<ChangeNotificationTraits>;

// Events, threads and the like: null on failure.
struct KernelHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { CloseHandle(value); }
};
using KernelHandle = Unique<KernelHandleTraits>;

struct RegistryKeyTraits {
    using Value = HKEY;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { RegCloseKey(value); }
};
using RegistryKey = Unique<RegistryKeyTraits>;

// Memory the shell hands over, such as an item identifier list.
template <typename T>
struct TaskMemoryTraits {
    using Value = T*;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { CoTaskMemFree(value); }
};
template <typename T>
using TaskMemory = Unique<TaskMemoryTraits<T>>;

}  // namespace quillory::win32
