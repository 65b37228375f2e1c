// Owning wrappers for Win32 handles, each closed by its own function.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace lcime::win32 {

struct FindCloser { void operator()(HANDLE h) const { FindClose(h); } };
struct HandleCloser { void operator()(HANDLE h) const { CloseHandle(h); } };
struct GdiObjectDeleter { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct DcDeleter { void operator()(HDC h) const { DeleteDC(h); } };
struct IconDestroyer { void operator()(HICON h) const { DestroyIcon(h); } };

template <typename H, typename Deleter>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Deleter>;

using UniqueFind = Owned<HANDLE, FindCloser>;
using UniqueHandle = Owned<HANDLE, HandleCloser>;
using UniqueBitmap = Owned<HBITMAP, GdiObjectDeleter>;
using UniqueFont = Owned<HFONT, GdiObjectDeleter>;
using UniqueBrush = Owned<HBRUSH, GdiObjectDeleter>;
using UniqueDc = Owned<HDC, DcDeleter>;
using UniqueIcon = Owned<HICON, IconDestroyer>;

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
