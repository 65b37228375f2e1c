// The support-package notice shown before a large-character-set edition is installed on the
// NT family: its texts and geometry, how it is centred, and which keys its text boxes keep.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lcime {

constexpr std::string_view kForm1Caption = "《岚辰》输入法特点";
constexpr std::string_view kFrame1Caption = "注意";
constexpr std::string_view kFrame2Caption = "《大字集岚辰》输入法特点";
constexpr std::string_view kCommand1Caption = "OK(&E)";
constexpr std::string_view kDownloadAddress =
    "http://www.microsoft.com/downloads/details.aspx?familyid=8a2e3b7c-4d19-4f6a-9b0e-2c5d7e1f3a64&displaylang=zh-cn";
constexpr std::array<std::string_view, 3> kText1 = {
    "安装大字符集岚辰输入法必须安装",
    "GB18030支持包才能正常显示扩充汉字。请到以下网站下载GB18030支持包GBEXTSUP.MSI",
    kDownloadAddress,
};

constexpr int kForm1ClientWidth = 10440;  // twips
constexpr int kForm1ClientHeight = 4770;

// A control's place in twips. Inside a frame it is relative to the frame's outer corner.
struct TwipRect {
    int left, top, width, height;
};

enum class Form1Control : uint8_t { Frame1, Text1_0, Text1_1, Text1_2, Frame2, Image1, Command1 };

// The window identifier of each control: this base plus its place in Form1Control.
constexpr int kForm1ControlIdBase = 1100;
constexpr int Form1ControlId(Form1Control control) { return kForm1ControlIdBase + static_cast<int>(control); }

struct Form1Design {
    Form1Control control;
    TwipRect place;
    bool inFrame1, inFrame2;
};

extern const std::array<Form1Design, 7> kForm1Controls;

// The place of a control relative to the window's client area.
TwipRect ClientPlace(Form1Control control);

// Left or top of a window of outer size `outer` centred on a screen of size `screen`, both in
// twips: a half twip is kept, and a window larger than the screen gets a negative position.
float CentredPosition(float outer, float screen);

// What the text boxes do with keys: every key-down is dropped, every character but Ctrl+C
// (code 3), which copies the selection. The result is the code the box goes on with; 0 drops.
int16_t Text1_KeyDown(int16_t index, int16_t keyCode, int16_t shift);
int16_t Text1_KeyPress(int16_t index, int16_t characterCode);

}  // namespace lcime
