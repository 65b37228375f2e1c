// Where the medium is and how its files are named.
#include "install/Medium.h"

#include <algorithm>

namespace lcime {

std::string MediumRoot(Platform& platform) {
    const std::string beside = platform.ExecutableFolder();
    if (platform.FolderExists(beside + "\\" + std::string(kMediumFolder))) return beside;
    std::string root = platform.FullPathName("\\");
    if (!root.empty() && root.back() == '\\') root.pop_back();
    return root;
}

std::string DataPath(std::string_view name, Build build) {
    const std::string file(name);
    return build == Build::k64Bit ? std::string(k64BitFolder) + "\\" + file : file;
}

std::string MediumPath(std::string_view name, Build build) {
    return "\\" + std::string(kMediumFolder) + "\\" + DataPath(name, build);
}

// The list holds one line per file, "<sum>  <path>" with the sum in lower-case hex and the path
// relative to the data folder, '/' between folders.
std::optional<std::string> ExpectedSum(const std::optional<std::string>& list, std::string_view dataPath) {
    if (!list) return std::string();
    std::string wanted(dataPath);
    std::replace(wanted.begin(), wanted.end(), '\\', '/');
    constexpr size_t kDigits = 64;
    for (size_t start = 0; start < list->size();) {
        const size_t end = std::min(list->find('\n', start), list->size());
        const std::string_view line = std::string_view(*list).substr(start, end - start);
        if (line.size() > kDigits + 2 && line.substr(kDigits, 2) == "  " && line.substr(kDigits + 2) == wanted)
            return std::string(line.substr(0, kDigits));
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace lcime
