// A full stand-in for the operating-system services, for running the installer's logic on
// any host: it reports whatever a test sets up and records every call in order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace lcime {

class SubstitutePlatform : public Platform {
public:
    struct File {
        std::string storedName;  // name as the file system keeps it
        std::string content;
        bool hidden = false;
        bool system = false;
        bool directory = false;
    };

    // What the substitute reports; tests change these freely.
    bool versionRefused = false;
    int32_t platformId = 2;
    std::string systemDirectoryAnsi = "C:\\WINDOWS\\system32";  // bytes in the ANSI code page
    std::vector<uint32_t> systemDirectoryResults;  // forced results, used one per call, in order
    std::optional<Wow64Directories> wow64;           // set for 64-bit Windows
    std::optional<std::string> releaseSums;          // set for a release build
    std::string ansiCodePage = "CP936";
    std::string executableFolder = "D:";  // Setup.exe at the root of a disc in drive D:
    std::string currentDrive = "D:";      // what a path from the root resolves against
    int32_t imeResult = static_cast<int32_t>(0xE0020804u);  // a typical IME layout handle
    std::map<std::string, OsError> findErrors;   // by path, compared without letter case
    std::map<std::string, OsError> copyErrors;   // by source or destination path
    std::map<std::string, OsError> startErrors;  // by program path

    // A copy or start checked against a sum compares the sum with the file's content, so a test
    // writes into each file the sum it stands for.

    // Every call in order, one readable line each.
    std::vector<std::string> calls;

    // Places a file at a full path; the last path element is its stored name.
    void AddFile(const std::string& path, const std::string& content = "",
                 bool hidden = false, bool system = false);
    void AddDirectory(const std::string& path);
    const File* FileAt(const std::string& path) const;
    // The recorded calls whose line starts with the given operation name.
    std::vector<std::string> CallsOf(const std::string& operation) const;

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
    static std::string Key(const std::string& path);
    static OsError Lookup(const std::map<std::string, OsError>& errors, const std::string& path);
    std::map<std::string, File> files_;  // by lower-case path
};

}  // namespace lcime
