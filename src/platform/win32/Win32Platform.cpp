// Win32 implementation of the operating-system services.
#include "platform/win32/Win32Platform.h"

#include <imm.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"
#include "Version.h"

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
    const UniqueFind find(FindFirstFileW(Wide(path).c_str(), &data));
    if (!find) {
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

std::string Win32Platform::ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    // The buffer grows until the whole path fits: it may be long and in any script.
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size()) {
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L'\\', length);
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return Utf8(path);
}

bool Win32Platform::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::FullPathName(const std::string& path) {
    const std::wstring relative = Wide(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(relative.c_str(), length, full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    return Utf8(full);
}

namespace {

constexpr DWORD kInTheWay = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

DWORD WithoutInTheWay(DWORD attributes) {
    attributes &= ~kInTheWay;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

void ClearInTheWay(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kInTheWay)) {
        SetFileAttributesW(path.c_str(), WithoutInTheWay(attributes));
    }
}

// Removes a file if it is there, whatever its attributes.
void Discard(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & kInTheWay) SetFileAttributesW(path.c_str(), WithoutInTheWay(attributes));
    DeleteFileW(path.c_str());
}

// Why an existing file cannot be replaced now, or 0. Write and delete access with full sharing
// is refused with a sharing violation while another program holds the file (an open code table,
// a loaded input method), which the error report turns into its advice to close them.
OsError HeldError(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return os_error::kNone;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? os_error::kNone : error;
}

// Copies to `partial` and makes it durable: normal attributes (a copy from a read-only medium
// would be read-only) and its data on the disk before it is given its final name.
OsError CopyDurably(const std::wstring& source, const std::wstring& partial) {
    if (!::CopyFileW(source.c_str(), partial.c_str(), FALSE)) return GetLastError();
    ClearInTheWay(partial);
    const UniqueFile file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    return FlushFileBuffers(file.get()) ? os_error::kNone : GetLastError();
}

}  // namespace

OsError Win32Platform::Copy(const std::string& source, const std::string& destination) {
    const std::wstring target = Wide(destination);
    const std::wstring partial = target + L".partial";
    // The copy is made under another name and renamed onto the destination once complete, so
    // that a run ended half-way (killed, power cut, disc unreadable) never leaves a torn file
    // under a name that later runs trust. A partial copy such a run left behind goes first.
    Discard(partial);
    // Windows refuses to replace a hidden, system or read-only file; the installer is meant to
    // copy over such a file of the catalogue's name, so those attributes go first, and come
    // back if the copy still fails.
    const DWORD before = GetFileAttributesW(target.c_str());
    const bool cleared = before != INVALID_FILE_ATTRIBUTES && !(before & FILE_ATTRIBUTE_DIRECTORY) &&
                         (before & kInTheWay) && SetFileAttributesW(target.c_str(), WithoutInTheWay(before));
    OsError error = before != INVALID_FILE_ATTRIBUTES ? HeldError(target) : os_error::kNone;
    if (!error) error = CopyDurably(Wide(source), partial);
    if (!error && !MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error) {
        Discard(partial);
        if (cleared) SetFileAttributesW(target.c_str(), before);
    }
    return error;
}

int32_t Win32Platform::InstallIme(const std::string& imePath, const std::string& layoutText) {
    std::wstring path = Wide(imePath);
    std::wstring text = Wide(layoutText);
    HKL layout = ImmInstallIMEW(path.data(), text.data());
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(layout));
}

OsError Win32Platform::StartProgram(const std::string& path, int showWindow) {
    const std::wstring application = Wide(path);
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
    const UniqueHandle thread(process.hThread), processHandle(process.hProcess);
    return os_error::kNone;
}

std::string Win32Platform::DescribeError(OsError error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal<wchar_t> owned(buffer);
    if (length == 0) return "未知错误。";
    return Utf8(std::wstring_view(buffer, length));
}

void Win32Platform::ShowMessage(const std::string& text) {
    // Without an owner the box is task-modal, which still disables every window of the program.
    const UINT style = MB_OK | (owner_ ? 0 : MB_TASKMODAL);
    ::MessageBoxW(owner_, Wide(text).c_str(), Wide(LCIME_PRODUCT_NAME).c_str(), style);
}

void Win32Platform::EndProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace lcime::win32
