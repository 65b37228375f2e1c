// The demo medium's layout, taken from the IME catalogue.
#include "Medium.h"

#include <fstream>

#include "install/Catalogue.h"

namespace lcime::demo {

namespace fs = std::filesystem;

std::vector<std::string> MediumImeFiles() {
    std::vector<std::string> names;
    for (const ImeEdition& edition : kImeEditions) {
        for (const ImeBuild& build : {edition.win9x, edition.nt}) {
            if (build.imeFile.empty()) continue;
            names.emplace_back(build.imeFile);
            names.emplace_back(build.codeTableFile);
        }
    }
    return names;
}

std::string CodeTableFor(const std::string& baseName) { return "lc\t" + baseName + "\n"; }

void LayOutMedium(const fs::path& folder, const MediumSources& sources) {
    const fs::path data = folder / "IMEData";
    fs::create_directories(data);
    fs::copy_file(sources.setupExe, folder / "Setup.exe", fs::copy_options::overwrite_existing);
    for (const std::string& name : MediumImeFiles()) {
        const fs::path file = data / name;
        const std::string base = file.stem().string();
        if (file.extension() == ".MB") {
            std::ofstream(file, std::ios::binary | std::ios::trunc) << CodeTableFor(base);
        } else {
            fs::copy_file(sources.imeModule, file, fs::copy_options::overwrite_existing);
        }
    }
    for (const char* tutorial : {"lcsetup", "plsetup"}) {
        fs::create_directories(data / tutorial);
        fs::copy_file(sources.standinExe, data / tutorial / "Setup.exe", fs::copy_options::overwrite_existing);
        fs::remove(data / tutorial / "standin.log");
    }
}

}  // namespace lcime::demo
