// Where the medium is and how its files are named.
#include "install/Medium.h"

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

}  // namespace lcime
