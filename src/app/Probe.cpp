// Start-up probe of the platform family and the system directory.
#include "app/Probe.h"

#include <optional>
#include <vector>

namespace lcime {
namespace {

constexpr uint32_t kDirectoryBufferSize = 200;
// A path that grows between two queries is retried a few times, never forever.
constexpr int kDirectoryRetries = 3;

// The system directory as ANSI bytes, or nothing when the query fails.
std::optional<std::string> QuerySystemDirectory(Platform& platform) {
    std::vector<char> buffer(kDirectoryBufferSize, '\0');
    uint32_t n = platform.GetSystemDirectoryA(buffer.data(), kDirectoryBufferSize);
    // A result at or above the buffer size is the size the path needs, terminator included.
    for (int retry = 0; n >= buffer.size() && retry < kDirectoryRetries; ++retry) {
        buffer.assign(n, '\0');
        n = platform.GetSystemDirectoryA(buffer.data(), static_cast<uint32_t>(buffer.size()));
    }
    if (n == 0 || n >= buffer.size()) return std::nullopt;
    return std::string(buffer.data(), n);
}

// True on the 9x family. When the version query is refused it reports so, ends the program
// and returns nothing.
std::optional<bool> IsWin9x(Platform& platform) {
    OsVersionInfoA info{};
    info.dwOSVersionInfoSize = sizeof(OsVersionInfoA);
    if (!platform.GetVersionExA(info)) {
        platform.ShowMessage("Error Getting Version Information");
        platform.EndProgram(kExitStartFailed);
        return std::nullopt;
    }
    return info.dwPlatformId < 2;
}

}  // namespace

bool RunProbe(Platform& platform, Module1& state) {
    const std::optional<bool> win9x = IsWin9x(platform);
    if (!win9x) return false;
    state.gWin9x = *win9x;

    // Without the system directory every install would address the root of the current
    // drive, so the program stops here, before the window is shown.
    const std::optional<std::string> directory = QuerySystemDirectory(platform);
    if (!directory) {
        platform.ShowMessage("Error Getting System Directory");
        platform.EndProgram(kExitStartFailed);
        return false;
    }
    state.gSysDir = platform.AnsiToUtf8(*directory) + "\\";
    return true;
}

}  // namespace lcime
