// Prints what a script needs to find Setup.exe's windows on the screen at a pixel density and
// point into them, from the product's own tables, one fact a line (name, then its values):
//   menu-title <caption>        menu-client <width> <height>
//   menu-item <x> <y>           the middle of item 3 (normal picture), in client pixels
//   notice-item <x> <y>         the middle of the first item that shows the notice
//   notice-title <caption>      notice-client <width> <height>
//   notice-ok <x> <y>           the middle of the notice's button, in its client pixels
// Usage: window-facts <pixels per inch>
#include <cstdlib>
#include <iostream>
#include <string>

#include "install/Form1.h"
#include "menu/Form2.h"

namespace {

using namespace lcime;

void Point(const char* name, const PixelRect& r) {
    std::cout << name << " " << r.left + r.width / 2 << " " << r.top + r.height / 2 << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const int dpi = argc == 2 ? std::atoi(argv[1]) : 0;
    if (dpi <= 0) {
        std::cerr << "usage: window-facts <pixels per inch>\n";
        return 2;
    }
    const Scene scene(dpi);
    const PixelRect client = scene.ClientArea();
    std::cout << "menu-title " << kForm2Caption << "\n"
              << "menu-client " << client.width << " " << client.height << "\n";
    Point("menu-item", scene.Bounds(ControlId::Image3a));
    for (const MenuItem& item : kMenuItems) {
        if (item.edition && item.edition->largeCharacterSet) {
            Point("notice-item", scene.Bounds(item.normalPicture));
            break;
        }
    }
    auto px = [dpi](int twips) { return ToPixels(twips, dpi); };
    const TwipRect ok = ClientPlace(Form1Control::Command1);
    std::cout << "notice-title " << kForm1Caption << "\n"
              << "notice-client " << px(kForm1ClientWidth) << " " << px(kForm1ClientHeight) << "\n";
    Point("notice-ok", {px(ok.left), px(ok.top), px(ok.width), px(ok.height)});
    return 0;
}
