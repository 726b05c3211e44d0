#include <array>

#include "app/app.h"

namespace {

constexpr Colour WHITE = 0xFFFFFF;
constexpr Colour BLACK = 0x000000;
constexpr Colour BAND = 0xF5F5F5;  // RGB(245, 245, 245)
constexpr Colour GREY = 0x808080;
constexpr Colour ERROR_RED = 0x800040;  // RGB(128, 0, 64)

using K = ControlKind;
using F = FontKind;
using A = Align;
using P = Picture;

// Design order: also the stacking order among siblings, the first on top.
const std::array<ControlDesign, 14> CONTROLS = {{
    {"未来", K::button, "", 64, 568, 208, 48, true, true, "未来", F::default_gui, BLACK, SYSTEM_BUTTON_FACE,
     A::centre, true, P::none, 未来_被单击},
    {"时钟1", K::timer, "图片框3", 728, 104, 26, 26, false, false, "", F::default_gui, BLACK, WHITE, A::left, false,
     P::none, 时钟1_周期事件},
    {"未来按钮", K::button, "", 277, 568, 240, 48, true, true, "返回", F::default_gui, BLACK, SYSTEM_BUTTON_FACE,
     A::centre, true, P::none, 未来按钮_被单击},
    {"标签6", K::label, "", 600, 152, 232, 312, true, false,
     "37 年\r\n\r\n453 月\r\n\r\n1942 周\r\n\r\n13597 天\r\n\r\n326328 小时\r\n\r\n19579667 分钟\r\n\r\n1174780033 秒",
     F::pixel24, BLACK, WHITE, A::left, true, P::none, nullptr},
    {"标签5", K::label, "图片框3", 616, 120, 80, 24, true, false, "你已经存在了", F::default_gui, GREY, WHITE, A::left,
     false, P::none, nullptr},
    {"标签4", K::label, "图片框3", 248, 64, 216, 40, true, false, "37.00000000岁了", F::pixel24, BLACK, BAND, A::left,
     false, P::none, nullptr},
    {"标签3", K::label, "图片框3", 248, 32, 48, 24, true, false, "你已经", F::default_gui, GREY, BAND, A::left, false,
     P::none, nullptr},
    {"图片框2", K::picture_box, "", 120, 16, 120, 120, true, false, "", F::default_gui, BLACK, BAND, A::left, false,
     P::clock, nullptr},
    {"标签2", K::label, "", 32, 608, 712, 24, true, false, "", F::default_gui, ERROR_RED, WHITE, A::centre, false,
     P::none, nullptr},
    {"标签1", K::label, "", 51, 548, 708, 32, true, false, "出生日期,如19860121", F::pixel24, BLACK, WHITE, A::left,
     false, P::none, 标签1_左键被按下},
    {"计算按钮", K::button, "", 385, 576, 312, 48, true, true, "开始计算", F::default_gui, BLACK, SYSTEM_BUTTON_FACE,
     A::centre, true, P::none, 计算按钮_被单击},
    {"日期编辑框", K::edit_box, "", 65, 536, 712, 40, true, true, "", F::default_gui, BLACK, WHITE, A::left, false,
     P::none, 日期编辑框_失去焦点},
    {"图片框1", K::picture_box, "", 701, 352, 80, 280, true, false, "", F::default_gui, BLACK, SYSTEM_BUTTON_FACE,
     A::left, false, P::title, nullptr},
    {"图片框3", K::picture_box, "", 0, 0, 792, 272, true, false, "", F::default_gui, BLACK, WHITE, A::left, false,
     P::band, nullptr},
}};

const WindowDesign WINDOW = {"窗口1", "Quillora", "Quillora", 800, 666, WHITE, 窗口1_创建完毕, CONTROLS};

}  // namespace

const WindowDesign& 窗口1_design() { return WINDOW; }
