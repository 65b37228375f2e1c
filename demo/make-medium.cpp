// Lays out a demo installation medium:
//   make-medium <folder> <Setup.exe> <input method module> <stand-in program>
#include <exception>
#include <iostream>

#include "Medium.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make-medium <folder> <Setup.exe> <input method module> <stand-in>\n";
        return 2;
    }
    try {
        lcime::demo::LayOutMedium(argv[1], {argv[2], argv[3], argv[4]});
    } catch (const std::exception& e) {
        std::cerr << "make-medium: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
