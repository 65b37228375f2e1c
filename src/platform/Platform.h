// The narrow set of operating-system services that the installer's logic calls.
// Implemented over Win32 (win32/Win32Platform) and by a recording substitute for the host tests.
// Text crosses this interface as UTF-8; each implementation converts at its own boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lcime {

// The ANSI form of the platform version record: five 32-bit fields and a 128-byte
// service-pack text, 148 bytes in all.
struct OsVersionInfoA {
    uint32_t dwOSVersionInfoSize;
    uint32_t dwMajorVersion;
    uint32_t dwMinorVersion;
    uint32_t dwBuildNumber;
    int32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfoA) == 148, "the ANSI version record is 148 bytes");

// A system error number as the operating system reports it; 0 means success.
using OsError = uint32_t;

// Error numbers the logic tells apart (Win32 values).
namespace os_error {
constexpr OsError kNone = 0;
constexpr OsError kFileNotFound = 2;
constexpr OsError kPathNotFound = 3;
constexpr OsError kAccessDenied = 5;
constexpr OsError kSharingViolation = 32;
constexpr OsError kLockViolation = 33;
constexpr OsError kFileCorrupt = 1392;  // also: a file that is not what its release says
}  // namespace os_error

struct FindResult {
    OsError error = os_error::kNone;  // set when the path itself cannot be searched
    std::string storedName;           // empty when no normal file of that name exists
};

// The two system directories of 64-bit Windows as this program reaches them, each followed by
// one backslash: where 32-bit programs load their DLLs from, and where 64-bit programs do (empty
// where this program cannot reach it).
struct Wow64Directories {
    std::string for32Bit;
    std::string for64Bit;
};

// Show-window value for a program started minimized with focus.
constexpr int kShowMinimized = 2;

// Exit codes: a normal end, and a start-up that could not learn what it needs about the system,
// so that scripts and deployment tools see the failure.
constexpr int kExitNormal = 0;
constexpr int kExitStartFailed = 1;

class Platform {
public:
    virtual ~Platform() = default;

    // Fills the record whose size field the caller has set; false when the query is refused.
    virtual bool GetVersionExA(OsVersionInfoA& info) = 0;
    // Writes the system directory as ANSI text; returns its length in bytes without the
    // terminating zero, the size needed when the buffer is too small, or 0 on failure.
    virtual uint32_t GetSystemDirectoryA(char* buffer, uint32_t size) = 0;
    // On 64-bit Windows its two system directories; nothing on 32-bit Windows.
    virtual std::optional<Wow64Directories> SystemDirectoriesOf64BitWindows() = 0;
    // Converts text in the system's ANSI code page to UTF-8.
    virtual std::string AnsiToUtf8(std::string_view ansi) = 0;

    // The folder that holds the running program, without a trailing backslash ("D:" for a
    // program at a drive's root).
    virtual std::string ExecutableFolder() = 0;
    // True when the path names an existing folder.
    virtual bool FolderExists(const std::string& path) = 0;
    // The full path of a path given relative to the current drive or folder ("\" for the root of
    // the current drive).
    virtual std::string FullPathName(const std::string& path) = 0;

    // Looks for a normal file (not hidden, system or a directory) at a full path and
    // returns its name as stored, letter case included.
    virtual FindResult FindFile(const std::string& path) = 0;
    // The list of the medium's files with their SHA-256 sums that the release command built into
    // this program; nothing in a build not made by it.
    virtual std::optional<std::string> ReleaseSums() = 0;
    // Copies a file, replacing the destination even when it is marked hidden, system or
    // read-only; the copy is left with normal attributes whatever the source's. The destination
    // name only ever holds the old file or the complete copy, never part of one. Given a SHA-256
    // sum (64 hex digits), the complete copy is checked against it before it takes the
    // destination's name, and removed with kFileCorrupt when it differs.
    virtual OsError Copy(const std::string& source, const std::string& destination, std::string_view sum) = 0;
    // Registers an IME file under a layout text; returns the keyboard-layout handle read as
    // a signed 32-bit number, zero when refused.
    virtual int32_t InstallIme(const std::string& imePath, const std::string& layoutText) = 0;
    // Starts a program by its full path, with no arguments, without waiting for it; it inherits
    // the current folder. Given a SHA-256 sum, the file is checked against it first and kept
    // from changing until it has started; kFileCorrupt when it differs.
    virtual OsError StartProgram(const std::string& path, int showWindow, std::string_view sum) = 0;
    // The system's own description of an error number.
    virtual std::string DescribeError(OsError error) = 0;

    // A modal box with one OK button under the application title.
    virtual void ShowMessage(const std::string& text) = 0;
    // Ends the program at once. Callers return straight after it, so that the substitute,
    // which only records the call, leaves the logic exactly where the real end would.
    virtual void EndProgram(int exitCode) = 0;
};

}  // namespace lcime
