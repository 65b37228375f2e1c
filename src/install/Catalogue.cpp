// The IME edition catalogue: files, layout texts and result texts of each edition.
#include "install/Catalogue.h"

namespace lcime {

const std::array<ImeEdition, 6> kImeEditions = {{
    {"6.6", false, ControlId::Image3a, ControlId::Image3b, 450,
     {"lc669.IME", "lc669.MB"}, {"lc662.IME", "lc662.MB"},
     "中文 (简体) - 岚辰6.6版", " 岚辰6.6版安装失败！", ControlId::Label3},
    {"GB18030 simplified", true, ControlId::Image4a, ControlId::Image4b, 710,
     {}, {"LCGB18J.IME", "LCGB18J.MB"},
     "中文 (简体) - 大字符集岚辰", "简体大字符集岚辰安装失败！", ControlId::Label4},
    {"GB18030 traditional", true, ControlId::Imagefa, ControlId::Imagefb, 710,
     {}, {"LCGB18F.IME", "LCGB18F.MB"},
     "中文 (繁体) - 大字符集岚辰", "繁体大字符集岚辰安装失败！", ControlId::Label8},
    {"traditional", false, ControlId::Image5a, ControlId::Image5b, 990,
     {"ftlc9.IME", "ftlc9.MB"}, {"ftlc2.IME", "ftlc2.MB"},
     "中文 (简体) - 繁体岚辰", " 繁体岚辰安装失败！", ControlId::Label5},
    {"popular", false, ControlId::Image6a, ControlId::Image6b, 1260,
     {"pjlc9.IME", "pjlc9.MB"}, {"pjlc2.IME", "pjlc2.MB"},
     "中文 (简体) - 普及型岚辰", " 普及型岚辰安装失败！", ControlId::Label6},
    {"Hong Kong/Macau", false, ControlId::Image7a, ControlId::Image7b, 1250,
     {"gaft9.IME", "gaft9.MB"}, {"gaft2.IME", "gaft2.MB"},
     "中文 (繁体) - 港澳用岚辰", " 港澳用岚辰安装失败！", ControlId::Label7},
}};

}  // namespace lcime
