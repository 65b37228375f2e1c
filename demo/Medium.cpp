// The demo medium's layout, taken from the IME catalogue and the tutorial items.
#include "Medium.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "install/Catalogue.h"
#include "install/Medium.h"
#include "install/TutorialLaunch.h"

namespace lcime::demo {

namespace fs = std::filesystem;

namespace {

// The catalogue entry one of whose builds has the code table `<baseName>.MB`.
const ImeEdition* EditionOf(const std::string& baseName) {
    for (const ImeEdition* edition : kImeEditions) {
        for (const ImeBuild& build : {edition->win9x, edition->nt}) {
            if (!build.codeTableFile.empty() && fs::path(build.codeTableFile).stem() == baseName)
                return edition;
        }
    }
    return nullptr;
}

// A path inside the data folder as the installer names it ("x64\pjlc2.IME").
fs::path InData(const std::string& path) {
    fs::path result;
    size_t start = 0;
    while (start < path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        result /= path.substr(start, end - start);
        start = end + 1;
    }
    return result;
}

void Write(const fs::path& file, const std::string& bytes, std::ios::openmode mode) {
    std::ofstream out(file, std::ios::binary | mode);
    if (!(out << bytes).flush()) throw std::runtime_error("cannot write " + file.string());
}

void CopyIme(const fs::path& module, const fs::path& folder, const fs::path& name) {
    // Bytes after the image do not change what loads; they tell the copies apart.
    fs::create_directories((folder / name).parent_path());
    fs::copy_file(module, folder / name, fs::copy_options::overwrite_existing);
    Write(folder / name, "\n" + name.generic_string() + "\n", std::ios::app);
}

}  // namespace

std::vector<std::string> MediumImeFiles() {
    std::vector<std::string> names;
    for (const ImeEdition* edition : kImeEditions) {
        for (const ImeBuild& build : {edition->win9x, edition->nt}) {
            if (build.imeFile.empty()) continue;
            names.emplace_back(build.imeFile);
            names.emplace_back(build.codeTableFile);
        }
    }
    return names;
}

std::vector<CodeTableLine> CodeTableLines(const std::string& baseName) {
    std::vector<CodeTableLine> lines = {{"zg", "中国"}, {"hz", "汉字"}, {"srf", "输入法"}};
    if (const ImeEdition* edition = EditionOf(baseName))
        lines.push_back({"bj", std::string(edition->layoutText)});
    lines.push_back({"wj", baseName});
    return lines;
}

std::string CodeTableFor(const std::string& baseName) {
    std::string table;
    for (const CodeTableLine& line : CodeTableLines(baseName)) table += line.code + "\t" + line.text + "\n";
    return table;
}

fs::path DataFolder() { return std::string(kMediumFolder); }

std::vector<fs::path> EditionFiles() {
    const std::vector<std::string> imeFiles = MediumImeFiles();
    std::vector<fs::path> files(imeFiles.begin(), imeFiles.end());
    for (const Tutorial* tutorial : kTutorials) files.push_back(InData(DataPath(tutorial->setupProgram)));
    return files;
}

std::vector<fs::path> Edition64BitFiles() {
    std::vector<fs::path> files;
    for (const ImeEdition* edition : kImeEditions) files.push_back(InData(DataPath(edition->nt.imeFile, Build::k64Bit)));
    return files;
}

void LayOutEditions(const fs::path& folder, const fs::path& imeModule, const fs::path& imeModule64,
                    const fs::path& standinExe) {
    for (const fs::path& name : EditionFiles()) {
        const fs::path file = folder / name;
        fs::create_directories(file.parent_path());
        if (file.extension() == ".MB") {
            Write(file, CodeTableFor(file.stem().string()), std::ios::trunc);
        } else if (file.extension() == ".IME") {
            CopyIme(imeModule, folder, name);
        } else {
            fs::copy_file(standinExe, file, fs::copy_options::overwrite_existing);
            fs::remove(file.parent_path() / "standin.log");
        }
    }
    if (imeModule64.empty()) return;
    for (const fs::path& name : Edition64BitFiles()) CopyIme(imeModule64, folder, name);
}

void LayOutMedium(const fs::path& folder, const MediumSources& sources) {
    fs::create_directories(folder);
    fs::copy_file(sources.setupExe, folder / "Setup.exe", fs::copy_options::overwrite_existing);
    LayOutEditions(folder / DataFolder(), sources.imeModule, sources.imeModule64, sources.standinExe);
}

}  // namespace lcime::demo
