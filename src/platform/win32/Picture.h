// Pictures carried in the executable's resources, decoded with the Windows Imaging Component
// into a colour bitmap and a transparency mask that plain GDI can draw.
#pragma once

#include <windows.h>
#include <objbase.h>

#include "platform/win32/Handles.h"

struct IWICImagingFactory;

namespace lcime::win32 {

class Picture {
public:
    // Decodes the RCDATA resource `id` of the module; an empty picture when that fails.
    static Picture FromResource(HINSTANCE module, int id);

    bool empty() const { return !colour_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Draws the picture at its natural size; transparent pixels leave the target as it was.
    void Draw(HDC target, int x, int y) const;

private:
    friend class PictureDecoder;

    UniqueBitmap colour_;  // transparent pixels black, so that OR-ing them changes nothing
    UniqueBitmap mask_;    // monochrome, set where transparent; none for an opaque picture
    int width_ = 0;
    int height_ = 0;
};

// Decodes many pictures with one imaging factory, which under Wine saves a registry lookup
// and a class-object request per picture. Lives on one thread, inside its COM lifetime.
class PictureDecoder {
public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // Decodes the RCDATA resource `id` of the module; an empty picture when that fails.
    Picture Decode(HINSTANCE module, int id);

private:
    IWICImagingFactory* factory_ = nullptr;
};

// Initialises COM for the thread's lifetime, as the imaging component needs.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

}  // namespace lcime::win32
