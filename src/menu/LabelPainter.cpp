// Label fonts and caption drawing of the menu window.
#include "menu/LabelPainter.h"

#include <array>

namespace lcime::win32 {
namespace {

struct FontDesign {
    std::array<const wchar_t*, 4> faces;  // the design face first, then stand-ins
    int pointSize;
    int weight;
    BYTE charset;
};

FontDesign FontDesignOf(FontId font) {
    switch (font) {
    case FontId::NewSong12:
        return {{L"新宋体", L"NSimSun", L"AR PL UMing CN", L"WenQuanYi Zen Hei"}, 12, FW_NORMAL, GB2312_CHARSET};
    case FontId::Arial9Bold:
        return {{L"Arial", L"Liberation Sans", L"DejaVu Sans", L"WenQuanYi Zen Hei"}, 9, FW_BOLD, ANSI_CHARSET};
    case FontId::Heiti12:
    case FontId::None:
        break;
    }
    return {{L"黑体", L"SimHei", L"WenQuanYi Zen Hei", L"Microsoft YaHei"}, 12, FW_NORMAL, GB2312_CHARSET};
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

bool OneLine(FontId font, const PixelRect& box, int dpi) {
    return box.height < 2 * LabelPainter::DesignHeight(font, dpi);
}

}  // namespace

int LabelPainter::DesignHeight(FontId font, int dpi) { return MulDiv(FontDesignOf(font).pointSize, dpi, 72); }

int LabelPainter::FittingHeight(HDC dc, FontId font, const std::wstring& caption, const PixelRect& box, int dpi) {
    int height = DesignHeight(font, dpi);
    if (!OneLine(font, box, dpi)) return height;
    for (const int smallest = MulDiv(8, dpi, 96); height > smallest; --height) {
        SelectIn select(dc, FontFor(font, height));
        RECT needed = {0, 0, 0, 0};
        DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        if (needed.right <= box.width) break;
    }
    return height;
}

void LabelPainter::Paint(HDC dc, FontId font, const std::wstring& caption, const PixelRect& box, int dpi) {
    SelectIn select(dc, FontFor(font, FittingHeight(dc, font, caption, box, dpi)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT rect = {box.left, box.top, box.left + box.width, box.top + box.height};
    const UINT format = DT_LEFT | DT_TOP | DT_NOPREFIX | (OneLine(font, box, dpi) ? DT_SINGLELINE : DT_WORDBREAK);
    DrawTextW(dc, caption.c_str(), -1, &rect, format);
}

// The first face this system has, looked up once per font; the system substitutes if it has
// none of them.
const wchar_t* LabelPainter::FaceOf(FontId font) {
    const wchar_t*& face = faces_[font];
    if (!face) {
        const FontDesign design = FontDesignOf(font);
        UniqueDc probe(CreateCompatibleDC(nullptr));
        face = design.faces[0];
        for (const wchar_t* candidate : design.faces) {
            if (FaceInstalled(probe.get(), candidate)) {
                face = candidate;
                break;
            }
        }
    }
    return face;
}

// Fonts are created when a label first needs them.
HFONT LabelPainter::FontFor(FontId font, int heightPixels) {
    UniqueFont& slot = fonts_[{font, heightPixels}];
    if (!slot) {
        const FontDesign design = FontDesignOf(font);
        LOGFONTW lf = {};
        lf.lfHeight = -heightPixels;
        lf.lfWeight = design.weight;
        lf.lfCharSet = design.charset;
        lstrcpynW(lf.lfFaceName, FaceOf(font), LF_FACESIZE);
        slot.reset(CreateFontIndirectW(&lf));
    }
    return slot.get();
}

}  // namespace lcime::win32
