// Design values and key handling of the support-package notice.
#include "install/Form1.h"

namespace lcime {

const std::array<Form1Design, 7> kForm1Controls = {{
    {Form1Control::Frame1, {120, 120, 10215, 1095}, false, false},
    {Form1Control::Text1_0, {120, 240, 5895, 255}, true, false},
    {Form1Control::Text1_1, {120, 480, 7095, 255}, true, false},
    {Form1Control::Text1_2, {120, 720, 9975, 255}, true, false},
    {Form1Control::Frame2, {120, 1440, 10215, 2775}, false, false},
    {Form1Control::Image1, {240, 240, 9765, 2475}, false, true},
    {Form1Control::Command1, {9120, 4320, 1215, 375}, false, false},
}};

namespace {
const Form1Design& Design(Form1Control control) { return kForm1Controls[static_cast<int>(control)]; }
}  // namespace

TwipRect ClientPlace(Form1Control control) {
    const Form1Design& design = Design(control);
    TwipRect place = design.place;
    if (design.inFrame1 || design.inFrame2) {
        const TwipRect& frame = Design(design.inFrame1 ? Form1Control::Frame1 : Form1Control::Frame2).place;
        place.left += frame.left;
        place.top += frame.top;
    }
    return place;
}

float CentredPosition(float outer, float screen) { return (screen - outer) / 2; }

int16_t Text1_KeyDown(int16_t, int16_t, int16_t) { return 0; }

int16_t Text1_KeyPress(int16_t, int16_t characterCode) { return characterCode == 3 ? characterCode : 0; }

}  // namespace lcime
