// The IME edition catalogue: files, layout texts and failure texts of each edition.
#include "install/Catalogue.h"

namespace lcime {

const ImeEdition kEdition66 = {"6.6", false, {"lc669.IME", "lc669.MB"}, {"lc662.IME", "lc662.MB"},
                               "中文 (简体) - 岚辰6.6版", " 岚辰6.6版安装失败！"};
const ImeEdition kEditionGb18030Simplified = {"GB18030 simplified", true, {}, {"LCGB18J.IME", "LCGB18J.MB"},
                                              "中文 (简体) - 大字符集岚辰", "简体大字符集岚辰安装失败！"};
const ImeEdition kEditionGb18030Traditional = {"GB18030 traditional", true, {}, {"LCGB18F.IME", "LCGB18F.MB"},
                                               "中文 (繁体) - 大字符集岚辰", "繁体大字符集岚辰安装失败！"};
const ImeEdition kEditionTraditional = {"traditional", false, {"ftlc9.IME", "ftlc9.MB"}, {"ftlc2.IME", "ftlc2.MB"},
                                        "中文 (简体) - 繁体岚辰", " 繁体岚辰安装失败！"};
const ImeEdition kEditionPopular = {"popular", false, {"pjlc9.IME", "pjlc9.MB"}, {"pjlc2.IME", "pjlc2.MB"},
                                    "中文 (简体) - 普及型岚辰", " 普及型岚辰安装失败！"};
const ImeEdition kEditionHongKongMacau = {"Hong Kong/Macau", false, {"gaft9.IME", "gaft9.MB"}, {"gaft2.IME", "gaft2.MB"},
                                          "中文 (繁体) - 港澳用岚辰", " 港澳用岚辰安装失败！"};

const std::array<const ImeEdition*, 6> kImeEditions = {
    &kEdition66, &kEditionGb18030Simplified, &kEditionGb18030Traditional,
    &kEditionTraditional, &kEditionPopular, &kEditionHongKongMacau,
};

}  // namespace lcime
