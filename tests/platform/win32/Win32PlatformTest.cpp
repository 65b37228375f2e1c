// The Win32 platform layer for real, run under Wine with code page 936.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/Probe.h"
#include "install/Catalogue.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace lcime::win32 {
namespace {

class Win32PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = Utf8(temp) + "lcime-platform-test-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryW(Wide(dir_).c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"Mixed.IME", "hidden.IME", "system.IME", "copy.MB", "sub"}) {
            const std::wstring path = Wide(dir_ + name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
            RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(Wide(dir_).c_str());
    }
    void Write(const std::string& name, const std::string& content, DWORD attributes = 0) {
        std::ofstream(Wide(dir_ + name).c_str(), std::ios::binary) << content;
        // Hidden and system first: Wine, not run as root, cannot mark a file that is read-only.
        SetFileAttributesW(Wide(dir_ + name).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(Wide(dir_ + name).c_str(), attributes);
    }
    std::vector<std::string> Entries() {
        std::vector<std::string> names;
        WIN32_FIND_DATAW data;
        UniqueFind find(FindFirstFileW(Wide(dir_ + "*").c_str(), &data));
        for (bool more = find.get() != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find.get(), &data))
            if (data.cFileName[0] != L'.') names.push_back(Utf8(data.cFileName));
        if (find.get() == INVALID_HANDLE_VALUE) find.release();
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(Wide(dir_ + name).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    Win32Platform platform;
    std::string dir_;
};

TEST_F(Win32PlatformTest, FindFileAnswersWithTheStoredNameOfNormalFilesOnly) {
    Write("Mixed.IME", "x");
    Write("hidden.IME", "x", FILE_ATTRIBUTE_HIDDEN);
    Write("system.IME", "x", FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW(Wide(dir_ + "sub").c_str(), nullptr);

    FindResult found = platform.FindFile(dir_ + "mixed.ime");
    EXPECT_EQ(found.error, 0u);
    EXPECT_EQ(found.storedName, "Mixed.IME");
    for (const char* name : {"hidden.IME", "system.IME", "sub", "absent.IME"}) {
        found = platform.FindFile(dir_ + name);
        EXPECT_EQ(found.error, 0u) << name;
        EXPECT_EQ(found.storedName, "") << name;
    }
    EXPECT_EQ(platform.FindFile(dir_ + "no-such-folder\\x.IME").storedName, "");
}

// Windows refuses to replace a hidden, system or read-only file (so does Wine, for read-only
// files, when not run as root); the copy clears them first, leaves every copy with normal
// attributes, and leaves no partial copy behind whether it succeeds or fails.
TEST_F(Win32PlatformTest, CopyReplacesHiddenSystemAndReadOnlyFilesAndLeavesNormalOnes) {
    constexpr DWORD kInTheWay = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    Write("Mixed.IME", "from a read-only medium", FILE_ATTRIBUTE_READONLY);
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_SYSTEM), DWORD(FILE_ATTRIBUTE_READONLY),
                             kInTheWay, DWORD(0)}) {
        DeleteFileW(Wide(dir_ + "copy.MB").c_str());
        if (attributes) {
            Write("copy.MB", "old", attributes);
            ASSERT_EQ(GetFileAttributesW(Wide(dir_ + "copy.MB").c_str()) & kInTheWay, attributes);
        }
        EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), 0u) << attributes;
        EXPECT_EQ(Read("copy.MB"), "from a read-only medium");
        EXPECT_EQ(GetFileAttributesW(Wide(dir_ + "copy.MB").c_str()) & kInTheWay, 0u) << attributes;
        EXPECT_EQ(Entries(), (std::vector<std::string>{"Mixed.IME", "copy.MB"})) << attributes;
    }
    // A missing source, or a destination that stays in use, is reported and the destination
    // keeps what it had.
    EXPECT_EQ(platform.Copy(dir_ + "absent.IME", dir_ + "copy.MB"), static_cast<OsError>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Read("copy.MB"), "from a read-only medium");
    SetFileAttributesW(Wide(dir_ + "copy.MB").c_str(), FILE_ATTRIBUTE_HIDDEN);
    HANDLE open = CreateFileW(Wide(dir_ + "copy.MB").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), static_cast<OsError>(ERROR_SHARING_VIOLATION));
    CloseHandle(open);
    EXPECT_EQ(GetFileAttributesW(Wide(dir_ + "copy.MB").c_str()) & kInTheWay, DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Mixed.IME", "copy.MB"}));
    SetFileAttributesW(Wide(dir_ + "Mixed.IME").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A value of the keyboard-layout key that the system named after the returned handle.
std::wstring LayoutValue(int32_t layout, const wchar_t* name) {
    wchar_t key[96], value[512] = {};
    swprintf(key, 96, L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\%08X", static_cast<unsigned>(layout));
    DWORD bytes = sizeof(value);
    RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value, &bytes);
    return value;
}

TEST_F(Win32PlatformTest, RegistrationWritesTheLayoutTextIntact) {
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    const ImeEdition& edition = kImeEditions[4];
    const std::string path = state.gSysDir + std::string(edition.nt.imeFile);
    const int32_t layout = platform.InstallIme(path, std::string(edition.layoutText));
    EXPECT_NE(layout, 0);
    EXPECT_EQ(LayoutValue(layout, L"Layout Text"), Wide(edition.layoutText));
    EXPECT_EQ(LayoutValue(layout, L"Ime File"), Wide(path));
}

TEST_F(Win32PlatformTest, AnsiTextIsReadInCodePage936) {
    ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
    EXPECT_EQ(platform.AnsiToUtf8("C:\\\xCF\xB5\xCD\xB3"), "C:\\系统");
}

}  // namespace
}  // namespace lcime::win32
