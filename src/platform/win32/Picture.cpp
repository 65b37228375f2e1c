// Decoding of the resource pictures (JPEG, GIF) through the Windows Imaging Component.
#include "platform/win32/Picture.h"

#include <initguid.h>  // defines the imaging GUIDs here instead of importing a library for them
#include <wincodec.h>

#include <vector>

namespace lcime::win32 {
namespace {

// Releases a COM interface at the end of its scope.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

// The picture's pixels as 32-bit BGRA rows, top row first.
bool DecodeBgra(IWICImagingFactory* factory, const void* data, DWORD size, UINT& width, UINT& height,
                std::vector<BYTE>& pixels) {
    if (!factory) return false;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return false;
    }
    pixels.resize(size_t(width) * height * 4);
    return SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                           pixels.data()));
}

}  // namespace

Picture Picture::FromResource(HINSTANCE module, int id) { return PictureDecoder().Decode(module, id); }

PictureDecoder::PictureDecoder() {
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory_)))) {
        factory_ = nullptr;
    }
}

PictureDecoder::~PictureDecoder() {
    if (factory_) factory_->Release();
}

Picture PictureDecoder::Decode(HINSTANCE module, int id) {
    Picture picture;
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    UINT width = 0, height = 0;
    std::vector<BYTE> pixels;
    if (!data || !DecodeBgra(factory_, data, SizeofResource(module, info), width, height, pixels)) return picture;

    // Colour: the pixels with transparent ones set to black. Mask: one bit per pixel, rows
    // padded to 16 bits, set where transparent.
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<BYTE> maskBits(size_t(maskStride) * height, 0);
    bool anyTransparent = false;
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            BYTE* pixel = &pixels[(size_t(y) * width + x) * 4];
            if (pixel[3] < 128) {
                pixel[0] = pixel[1] = pixel[2] = 0;
                anyTransparent = true;
                maskBits[size_t(y) * maskStride + x / 8] |= BYTE(0x80 >> (x % 8));
            }
            pixel[3] = 0;
        }
    }
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = static_cast<LONG>(width);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(height);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture.colour_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.colour_) return Picture();
    memcpy(bits, pixels.data(), pixels.size());
    if (anyTransparent) {
        picture.mask_.reset(CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 1, maskBits.data()));
        if (!picture.mask_) return Picture();
    }
    picture.width_ = static_cast<int>(width);
    picture.height_ = static_cast<int>(height);
    return picture;
}

void Picture::Draw(HDC target, int x, int y) const {
    if (empty()) return;
    UniqueDc source(CreateCompatibleDC(target));
    if (!mask_) {
        SelectIn select(source.get(), colour_.get());
        BitBlt(target, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
        return;
    }
    {
        SelectIn select(source.get(), mask_.get());
        // Monochrome to colour: white bits take the text colour, black bits the background.
        const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
        BitBlt(target, x, y, width_, height_, source.get(), 0, 0, SRCAND);
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
    }
    SelectIn select(source.get(), colour_.get());
    BitBlt(target, x, y, width_, height_, source.get(), 0, 0, SRCPAINT);
}

}  // namespace lcime::win32
