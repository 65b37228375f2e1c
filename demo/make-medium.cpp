// Lays out a demo installation medium, or only its data folder as a maker hands it to
// scripts/make-release, or names the files of that folder from the medium's root (one a line,
// '/' between folders):
//   make-medium <folder> <Setup.exe> <input method module> <stand-in program>
//   make-medium --editions <folder> <input method module> <stand-in program>
//   make-medium --files
#include <exception>
#include <iostream>
#include <string>

#include "Medium.h"

namespace demo = lcime::demo;

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "--files" && argc == 2) {
            for (const auto& file : demo::EditionFiles()) std::cout << (demo::DataFolder() / file).generic_string() << "\n";
        } else if (mode == "--editions" && argc == 5) {
            demo::LayOutEditions(argv[2], argv[3], argv[4]);
        } else if (argc == 5) {
            demo::LayOutMedium(argv[1], {argv[2], argv[3], argv[4]});
        } else {
            std::cerr << "usage: make-medium <folder> <Setup.exe> <input method module> <stand-in>\n"
                         "       make-medium --editions <folder> <input method module> <stand-in>\n"
                         "       make-medium --files\n";
            return 2;
        }
    } catch (const std::exception& e) {
        std::cerr << "make-medium: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
