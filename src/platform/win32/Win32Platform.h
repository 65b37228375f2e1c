// The operating-system services over Win32.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/Handles.h"

namespace lcime::win32 {

class Win32Platform : public Platform {
public:
    // Message boxes are owned by this window, so that it takes no input while one is open.
    void SetOwnerWindow(HWND owner) { owner_ = owner; }

    bool GetVersionExA(OsVersionInfoA& info) override;
    uint32_t GetSystemDirectoryA(char* buffer, uint32_t size) override;
    std::optional<Wow64Directories> SystemDirectoriesOf64BitWindows() override;
    std::string AnsiToUtf8(std::string_view ansi) override;
    std::string ExecutableFolder() override;
    bool FolderExists(const std::string& path) override;
    std::string FullPathName(const std::string& path) override;
    FindResult FindFile(const std::string& path) override;
    std::optional<std::string> ReleaseSums() override;
    OsError Copy(const std::string& source, const std::string& destination, std::string_view sum) override;
    int32_t InstallIme(const std::string& imePath, const std::string& layoutText) override;
    OsError StartProgram(const std::string& path, int showWindow, std::string_view sum) override;
    std::string DescribeError(OsError error) override;
    void ShowMessage(const std::string& text) override;
    void EndProgram(int exitCode) override;

private:
    // kFileCorrupt unless the file, read from its start, has the SHA-256 `sum`.
    OsError Check(HANDLE file, std::string_view sum);

    HWND owner_ = nullptr;
    UniqueProvider provider_;
};

}  // namespace lcime::win32
