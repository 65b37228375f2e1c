// Win32 implementation of the operating-system services.
#include "platform/win32/Win32Platform.h"

#include <imm.h>

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace lcime::win32 {

static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionInfoA), "same record as the system's");

bool Win32Platform::GetVersionExA(OsVersionInfoA& info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != 0;
#pragma GCC diagnostic pop
}

uint32_t Win32Platform::GetSystemDirectoryA(char* buffer, uint32_t size) {
    return ::GetSystemDirectoryA(buffer, size);
}

std::string Win32Platform::AnsiToUtf8(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return Utf8(wide);
}

FindResult Win32Platform::FindFile(const std::string& path) {
    constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    FindResult result;
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(Wide(path).c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        const DWORD error = GetLastError();
        // An absent file is an answer, not a failure; an unusable path or drive is.
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NO_MORE_FILES) {
            result.error = error;
        }
        return result;
    }
    do {
        if ((data.dwFileAttributes & kNotNormal) == 0) {
            result.storedName = Utf8(data.cFileName);
            break;
        }
    } while (FindNextFileW(find.get(), &data));
    return result;
}

namespace {

constexpr DWORD kInTheWay = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

DWORD WithoutInTheWay(DWORD attributes) {
    attributes &= ~kInTheWay;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

OsError Win32Platform::Copy(const std::string& source, const std::string& destination) {
    const std::wstring target = Wide(destination);
    // CopyFile refuses to replace a hidden, system or read-only file; the installer is meant
    // to copy over such a file of the catalogue's name, so those attributes go first, and
    // come back if the copy still fails.
    const DWORD before = GetFileAttributesW(target.c_str());
    const bool cleared = before != INVALID_FILE_ATTRIBUTES && !(before & FILE_ATTRIBUTE_DIRECTORY) &&
                         (before & kInTheWay) && SetFileAttributesW(target.c_str(), WithoutInTheWay(before));
    if (!::CopyFileW(Wide(source).c_str(), target.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        if (cleared) SetFileAttributesW(target.c_str(), before);
        return error;
    }
    // The copy takes the source's attributes: from a read-only medium it would be read-only
    // and a later install could not replace it.
    const DWORD after = GetFileAttributesW(target.c_str());
    if (after != INVALID_FILE_ATTRIBUTES && (after & kInTheWay)) {
        SetFileAttributesW(target.c_str(), WithoutInTheWay(after));
    }
    return os_error::kNone;
}

int32_t Win32Platform::InstallIme(const std::string& imePath, const std::string& layoutText) {
    std::wstring path = Wide(imePath);
    std::wstring text = Wide(layoutText);
    HKL layout = ImmInstallIMEW(path.data(), text.data());
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(layout));
}

OsError Win32Platform::StartProgram(const std::string& path, int showWindow) {
    // The path names the program on the current drive; resolve it before starting.
    const std::wstring relative = Wide(path);
    std::vector<wchar_t> full(MAX_PATH);
    DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(relative.c_str(), length, full.data(), nullptr);
    }
    if (length == 0) return GetLastError();
    std::wstring application(full.data(), length);
    std::wstring commandLine = L"\"" + application + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return GetLastError();
    }
    UniqueHandle thread(process.hThread);
    UniqueHandle processHandle(process.hProcess);
    return os_error::kNone;
}

std::string Win32Platform::DescribeError(OsError error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0) return "未知错误。";
    std::string text = Utf8(std::wstring_view(buffer, length));
    LocalFree(buffer);
    return text;
}

void Win32Platform::ShowMessage(const std::string& text) {
    // Without an owner the box is task-modal, which still disables every window of the program.
    const UINT style = MB_OK | (owner_ ? 0 : MB_TASKMODAL);
    ::MessageBoxW(owner_, Wide(text).c_str(), L"LCIme", style);
}

void Win32Platform::EndProgram() { ExitProcess(0); }

}  // namespace lcime::win32
