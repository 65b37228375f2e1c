// Lays out a demo installation medium, or only its data folder as a maker hands it to
// scripts/make-release, or names the files of that folder from the medium's root (one a line,
// '/' between folders): those every release holds, or the 64-bit builds a release may hold.
// With a 64-bit input method, it goes under the NT-family names into the 64-bit folder.
//   make-medium <folder> <Setup.exe> <input method> <stand-in> [<64-bit input method>]
//   make-medium --editions <folder> <input method> <stand-in> [<64-bit input method>]
//   make-medium --files | --64-bit-files
#include <exception>
#include <iostream>
#include <string>

#include "Medium.h"

namespace demo = lcime::demo;

namespace {

void Print(const std::vector<std::filesystem::path>& files) {
    for (const auto& file : files) std::cout << (demo::DataFolder() / file).generic_string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "--files" && argc == 2) {
            Print(demo::EditionFiles());
        } else if (mode == "--64-bit-files" && argc == 2) {
            Print(demo::Edition64BitFiles());
        } else if (mode == "--editions" && (argc == 5 || argc == 6)) {
            demo::LayOutEditions(argv[2], argv[3], argc == 6 ? argv[5] : "", argv[4]);
        } else if (argc == 5 || argc == 6) {
            demo::LayOutMedium(argv[1], {argv[2], argv[3], argc == 6 ? argv[5] : "", argv[4]});
        } else {
            std::cerr << "usage: make-medium <folder> <Setup.exe> <IME> <stand-in> [<64-bit IME>]\n"
                         "       make-medium --editions <folder> <IME> <stand-in> [<64-bit IME>]\n"
                         "       make-medium --files | --64-bit-files\n";
            return 2;
        }
    } catch (const std::exception& e) {
        std::cerr << "make-medium: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
