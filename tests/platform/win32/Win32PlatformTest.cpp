// The Win32 platform layer for real, run under Wine with code page 936.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/Probe.h"
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
        if (attributes) SetFileAttributesW(Wide(dir_ + name).c_str(), attributes);
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

TEST_F(Win32PlatformTest, CopyCreatesAndReplacesAndReportsAMissingSource) {
    Write("Mixed.IME", "first");
    EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), 0u);
    EXPECT_EQ(Read("copy.MB"), "first");
    Write("Mixed.IME", "second version");
    EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), 0u);
    EXPECT_EQ(Read("copy.MB"), "second version");
    const OsError error = platform.Copy(dir_ + "absent.IME", dir_ + "copy.MB");
    EXPECT_EQ(error, static_cast<OsError>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(platform.DescribeError(error).empty());
    EXPECT_EQ(Read("copy.MB"), "second version");
}

TEST_F(Win32PlatformTest, CopyOfAReadOnlySourceCanBeReplacedLater) {
    Write("Mixed.IME", "from a read-only medium", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), 0u);
    EXPECT_EQ(GetFileAttributesW(Wide(dir_ + "copy.MB").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(Wide(dir_ + "Mixed.IME").c_str(), FILE_ATTRIBUTE_NORMAL);
    Write("Mixed.IME", "newer");
    EXPECT_EQ(platform.Copy(dir_ + "Mixed.IME", dir_ + "copy.MB"), 0u);
    EXPECT_EQ(Read("copy.MB"), "newer");
}

// Finds the keyboard-layout key whose "Ime File" is the given path and returns its layout text.
std::wstring LayoutTextOf(const std::wstring& imeFile) {
    HKEY layouts;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Keyboard Layouts", 0,
                      KEY_READ, &layouts) != ERROR_SUCCESS) {
        return L"<no Keyboard Layouts key>";
    }
    std::wstring text = L"<no key for the IME>";
    wchar_t name[64];
    for (DWORD i = 0; DWORD size = 64; ++i) {
        if (RegEnumKeyExW(layouts, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        wchar_t value[512] = {};
        DWORD bytes = sizeof(value);
        if (RegGetValueW(layouts, name, L"Ime File", RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS ||
            _wcsicmp(value, imeFile.c_str()) != 0) {
            continue;
        }
        bytes = sizeof(value);
        if (RegGetValueW(layouts, name, L"Layout Text", RRF_RT_REG_SZ, nullptr, value, &bytes) == ERROR_SUCCESS) {
            text = value;
        }
    }
    RegCloseKey(layouts);
    return text;
}

TEST_F(Win32PlatformTest, RegistrationWritesTheLayoutTextIntact) {
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    const std::string path = state.gSysDir + "pjlc2.IME";
    const int32_t layout = platform.InstallIme(path, "中文 (简体) - 普及型岚辰");
    EXPECT_NE(layout, 0);
    EXPECT_EQ(LayoutTextOf(Wide(path)), L"中文 (简体) - 普及型岚辰");
}

TEST_F(Win32PlatformTest, ProbeFindsTheNtFamilyAndTheSystemDirectory) {
    ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
    char buffer[200] = {};
    EXPECT_EQ(platform.GetSystemDirectoryA(buffer, sizeof(buffer)), 19u);
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    EXPECT_FALSE(state.gWin9x);
    EXPECT_EQ(_stricmp(state.gSysDir.c_str(), "C:\\windows\\system32\\"), 0) << state.gSysDir;
}

TEST_F(Win32PlatformTest, AnsiTextIsReadInCodePage936) {
    EXPECT_EQ(platform.AnsiToUtf8("C:\\\xCF\xB5\xCD\xB3"), "C:\\系统");
}

TEST_F(Win32PlatformTest, StartingAMissingProgramFails) {
    EXPECT_NE(platform.StartProgram(dir_ + "absent\\Setup.exe", kShowMinimized), 0u);
}

}  // namespace
}  // namespace lcime::win32
