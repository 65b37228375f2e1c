// The one place where the tests spell the design's own data: the catalogue, the menu items'
// previews and slide-out steps, the tutorials and the result-line captions. Everything else
// takes these facts from the product, so a swapped 简体/繁体, a lost leading space or an ASCII
// "!" would pass every other test and is caught here.
#include <gtest/gtest.h>

#include <set>

#include "install/InstallImeEdition.h"
#include "install/Medium.h"
#include "menu/Form2.h"

namespace lcime {
namespace {

using C = ControlId;

struct EditionRow {
    ControlId highlight;
    const char *ime9x, *mb9x, *imeNt, *mbNt, *layout, *failure, *success;
    int step, preview;
};

const EditionRow kEditionRows[] = {
    {C::Image3b, "lc669.IME", "lc669.MB", "lc662.IME", "lc662.MB", "中文 (简体) - 岚辰6.6版",
     " 岚辰6.6版安装失败！", "岚辰 6.6 版  安装成功", 450, 2},
    {C::Image4b, "", "", "LCGB18J.IME", "LCGB18J.MB", "中文 (简体) - 大字符集岚辰",
     "简体大字符集岚辰安装失败！", "大字集岚辰  安装成功", 710, 3},
    {C::Imagefb, "", "", "LCGB18F.IME", "LCGB18F.MB", "中文 (繁体) - 大字符集岚辰",
     "繁体大字符集岚辰安装失败！", "大字集（繁）岚辰  安装成功", 710, 7},
    {C::Image5b, "ftlc9.IME", "ftlc9.MB", "ftlc2.IME", "ftlc2.MB", "中文 (简体) - 繁体岚辰",
     " 繁体岚辰安装失败！", "繁体岚辰  安装成功", 990, 5},
    {C::Image6b, "pjlc9.IME", "pjlc9.MB", "pjlc2.IME", "pjlc2.MB", "中文 (简体) - 普及型岚辰",
     " 普及型岚辰安装失败！", "普及型岚辰  安装成功", 1260, 4},
    {C::Image7b, "gaft9.IME", "gaft9.MB", "gaft2.IME", "gaft2.MB", "中文 (繁体) - 港澳用岚辰",
     " 港澳用岚辰安装失败！", "港澳用岚辰  安装成功", 1250, 6},
};

TEST(DesignTables, EveryEditionHasItsItemFilesTextsStepAndPreview) {
    std::set<const ImeEdition*> seen;
    for (const EditionRow& row : kEditionRows) {
        const MenuItem& item = *ItemOf(row.highlight);
        ASSERT_TRUE(item.edition);
        const ImeEdition& e = *item.edition;
        SCOPED_TRACE(row.layout);
        seen.insert(&e);
        EXPECT_EQ(item.highlightPicture, row.highlight);
        EXPECT_EQ(e.win9x.imeFile, row.ime9x);
        EXPECT_EQ(e.win9x.codeTableFile, row.mb9x);
        EXPECT_EQ(e.nt.imeFile, row.imeNt);
        EXPECT_EQ(e.nt.codeTableFile, row.mbNt);
        EXPECT_EQ(e.largeCharacterSet, *row.ime9x == '\0');
        EXPECT_EQ(e.layoutText, row.layout);
        EXPECT_EQ(e.failureText, row.failure);
        EXPECT_EQ(DesignOf(item.resultLabel).caption, row.success);
        EXPECT_EQ(item.slideStep, row.step);
        EXPECT_EQ(item.preview, row.preview);
    }
    EXPECT_EQ(seen, std::set<const ImeEdition*>(kImeEditions.begin(), kImeEditions.end()));
}

TEST(DesignTables, TutorialsExitAndTheRemainingTexts) {
    const std::tuple<ControlId, const char*, int, const char*, int> kTutorialRows[] = {
        {C::Image1b, "\\IMEData\\lcsetup\\Setup.exe", 1250, "《轻松学岚辰》  安装成功", 0},
        {C::Image2b, "\\IMEData\\plsetup\\Setup.exe", 1000, "《轻松学普岚》  安装成功", 1}};
    for (const auto& [highlight, program, step, success, preview] : kTutorialRows) {
        const MenuItem& item = *ItemOf(highlight);
        ASSERT_TRUE(item.tutorial);
        EXPECT_EQ(MediumPath(item.tutorial->setupProgram), program);
        EXPECT_EQ(item.slideStep, step);
        EXPECT_EQ(DesignOf(item.resultLabel).caption, success);
        EXPECT_EQ(item.preview, preview);
    }
    const MenuItem& exit = *ItemOf(C::Image8b);
    EXPECT_TRUE(exit.preview == kNoPreview && !exit.edition && !exit.tutorial);
    EXPECT_EQ(kRefusedOn9x, "在 Win9X 上不能安装大字符集岚辰输入法！");
    EXPECT_EQ(kForm2Caption, "岚辰输入法系列");
}

}  // namespace
}  // namespace lcime
