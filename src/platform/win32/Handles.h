// Owning wrappers for Win32 handles: each kind knows the function that closes it and what
// "no handle" is, so a caller tests the owner and never a failure value of its own.
#pragma once

#include <windows.h>

#include <utility>

namespace lcime::win32 {

// Owns one handle and closes it with Close when the owner goes or takes another. Null is no
// handle; so is INVALID_HANDLE_VALUE for kinds whose creating call fails with it
// (kInvalidIsNone), and the owner holds null instead.
template <typename H, auto Close, bool kInvalidIsNone = false>
class Unique {
public:
    Unique() = default;
    explicit Unique(H handle) { reset(handle); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~Unique() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(H handle = nullptr) {
        if (handle_) Close(handle_);
        handle_ = kInvalidIsNone && handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    H handle_ = nullptr;
};

inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }

using UniqueFile = Unique<HANDLE, CloseHandle, true>;  // also a tool-help snapshot
using UniqueFind = Unique<HANDLE, FindClose, true>;
using UniqueHandle = Unique<HANDLE, CloseHandle>;  // a process, a thread
using UniqueKey = Unique<HKEY, RegCloseKey>;
using UniqueScreenDc = Unique<HDC, ReleaseScreenDc>;  // from GetDC(nullptr)
using UniqueDc = Unique<HDC, DeleteDC>;
using UniqueBitmap = Unique<HBITMAP, DeleteObject>;
using UniqueFont = Unique<HFONT, DeleteObject>;
using UniqueBrush = Unique<HBRUSH, DeleteObject>;
using UniqueIcon = Unique<HICON, DestroyIcon>;
template <typename T>
using UniqueLocal = Unique<T*, LocalFree>;  // memory the system allocated for the caller

// Selects an object into a device context for one scope and puts the old one back.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectIn() { SelectObject(dc_, old_); }
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace lcime::win32
