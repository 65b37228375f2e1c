// Recording substitute for the operating-system services (host builds).
#include "platform/Substitute.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace lcime {

std::string SubstitutePlatform::Key(const std::string& path) {
    std::string key = path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

OsError SubstitutePlatform::Lookup(const std::map<std::string, OsError>& errors,
                                   const std::string& path) {
    for (const auto& [p, error] : errors) {
        if (Key(p) == Key(path)) return error;
    }
    return os_error::kNone;
}

void SubstitutePlatform::AddFile(const std::string& path, const std::string& content,
                                 bool hidden, bool system) {
    File file;
    file.storedName = path.substr(path.find_last_of('\\') + 1);
    file.content = content;
    file.hidden = hidden;
    file.system = system;
    files_[Key(path)] = file;
}

void SubstitutePlatform::AddDirectory(const std::string& path) {
    AddFile(path);
    files_[Key(path)].directory = true;
}

const SubstitutePlatform::File* SubstitutePlatform::FileAt(const std::string& path) const {
    auto it = files_.find(Key(path));
    return it == files_.end() ? nullptr : &it->second;
}

std::vector<std::string> SubstitutePlatform::CallsOf(const std::string& operation) const {
    std::vector<std::string> found;
    for (const auto& call : calls) {
        if (call.compare(0, operation.size(), operation) == 0) found.push_back(call);
    }
    return found;
}

bool SubstitutePlatform::GetVersionExA(OsVersionInfoA& info) {
    calls.push_back("GetVersionExA size=" + std::to_string(info.dwOSVersionInfoSize));
    if (versionRefused) return false;
    info.dwMajorVersion = platformId >= 2 ? 6 : 4;
    info.dwPlatformId = platformId;
    return true;
}

uint32_t SubstitutePlatform::GetSystemDirectoryA(char* buffer, uint32_t size) {
    calls.push_back("GetSystemDirectoryA size=" + std::to_string(size));
    const uint32_t length = static_cast<uint32_t>(systemDirectoryAnsi.size());
    uint32_t result = length < size ? length : length + 1;  // too small: the size needed
    if (result == length) std::memcpy(buffer, systemDirectoryAnsi.c_str(), length + 1);
    if (!systemDirectoryResults.empty()) {
        result = systemDirectoryResults.front();
        systemDirectoryResults.erase(systemDirectoryResults.begin());
    }
    return result;
}

std::optional<Wow64Directories> SubstitutePlatform::SystemDirectoriesOf64BitWindows() {
    calls.push_back("SystemDirectoriesOf64BitWindows");
    return wow64;
}

std::string SubstitutePlatform::AnsiToUtf8(std::string_view ansi) {
    calls.push_back("AnsiToUtf8 bytes=" + std::to_string(ansi.size()));
    iconv_t cd = iconv_open("UTF-8", ansiCodePage.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter for " + ansiCodePage);
    std::string in(ansi), out(ansi.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) throw std::runtime_error("text is not in " + ansiCodePage);
    out.resize(out.size() - outLeft);
    return out;
}

std::string SubstitutePlatform::ExecutableFolder() { return executableFolder; }

bool SubstitutePlatform::FolderExists(const std::string& path) {
    calls.push_back("FolderExists " + path);
    const File* file = FileAt(path);
    return file && file->directory;
}

std::string SubstitutePlatform::FullPathName(const std::string& path) {
    return path.compare(0, 1, "\\") == 0 ? currentDrive + path : path;
}

FindResult SubstitutePlatform::FindFile(const std::string& path) {
    calls.push_back("FindFile " + path);
    FindResult result;
    result.error = Lookup(findErrors, path);
    if (result.error != os_error::kNone) return result;
    const File* file = FileAt(path);
    if (file && !file->hidden && !file->system && !file->directory) result.storedName = file->storedName;
    return result;
}

std::optional<std::string> SubstitutePlatform::ReleaseSums() {
    calls.push_back("ReleaseSums");
    return releaseSums;
}

OsError SubstitutePlatform::Copy(const std::string& source, const std::string& destination, std::string_view sum) {
    calls.push_back("Copy " + source + " -> " + destination + (sum.empty() ? "" : " sum=" + std::string(sum)));
    if (OsError error = Lookup(copyErrors, source)) return error;
    if (OsError error = Lookup(copyErrors, destination)) return error;
    const File* from = FileAt(source);
    if (!from || from->directory) return os_error::kFileNotFound;
    const File* to = FileAt(destination);
    if (to && to->directory) return os_error::kAccessDenied;
    if (!sum.empty() && sum != from->content) return os_error::kFileCorrupt;
    File copy = *from;
    copy.storedName = to ? to->storedName : destination.substr(destination.find_last_of('\\') + 1);
    copy.hidden = false;
    copy.system = false;
    files_[Key(destination)] = copy;
    return os_error::kNone;
}

int32_t SubstitutePlatform::InstallIme(const std::string& imePath, const std::string& layoutText) {
    calls.push_back("InstallIme " + imePath + " | " + layoutText);
    return imeResult;
}

OsError SubstitutePlatform::StartProgram(const std::string& path, int showWindow, std::string_view sum) {
    calls.push_back("StartProgram " + path + " show=" + std::to_string(showWindow) +
                    (sum.empty() ? "" : " sum=" + std::string(sum)));
    if (OsError error = Lookup(startErrors, path)) return error;
    const File* file = FileAt(path);
    if (!file || file->directory) return os_error::kFileNotFound;
    return sum.empty() || sum == file->content ? os_error::kNone : os_error::kFileCorrupt;
}

std::string SubstitutePlatform::DescribeError(OsError error) {
    switch (error) {
    case os_error::kFileNotFound: return "系统找不到指定的文件。";
    case os_error::kPathNotFound: return "系统找不到指定的路径。";
    case os_error::kAccessDenied: return "拒绝访问。";
    case os_error::kSharingViolation: return "另一个程序正在使用此文件，进程无法访问。";
    case os_error::kFileCorrupt: return "文件或目录损坏且无法读取。";
    default: return "未知错误。";
    }
}

void SubstitutePlatform::ShowMessage(const std::string& text) { calls.push_back("ShowMessage " + text); }

void SubstitutePlatform::EndProgram(int exitCode) { calls.push_back("EndProgram " + std::to_string(exitCode)); }

}  // namespace lcime
