// The Win32 platform layer for real, run under Wine with code page 936. Its copies, stored names
// and registrations are read back by the end-to-end suites through Setup.exe itself.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

namespace lcime::win32 {
namespace {

// A system directory with a Chinese name reaches the logic intact.
TEST(Win32Platform, AnsiTextIsReadInCodePage936) {
    ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
    EXPECT_EQ(Win32Platform().AnsiToUtf8("C:\\\xCF\xB5\xCD\xB3"), "C:\\系统");
}

}  // namespace
}  // namespace lcime::win32
