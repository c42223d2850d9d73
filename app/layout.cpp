#include "app/layout.h"

#include <array>

namespace {

using rt::ControlDef;
using rt::ControlKind;
using rt::FontDef;
namespace Sys = rt::SystemColour;

constexpr rt::Colour Board = 0x008000;
constexpr rt::Colour White = 0xFFFFFF;
constexpr rt::Colour LightOrange = 0x80C0FF;
constexpr rt::Colour Water = 0xFFFF00;

constexpr std::array<std::string_view, 6> DelayChoices = {" 1", " 5", "10", "20", "50", "100"};

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
constexpr std::array<ControlDef, 30> Controls = {{
    // Lightweight items, backmost first.
    {.name = "Shape9", .index = 0, .kind = ControlKind::Shape, .twips = {2325, 6900, 5100, 15},
     .back = Water, .fore = Water},
    {.name = "Label1", .kind = ControlKind::Label, .twips = {120, 120, 2955, 435},
     .back = 0xC00000, .fore = White, .caption = "空の容器に水を", .font = {21.75, false},
     .tabIndex = 0, .autoSize = true},
    {.name = "Line2", .kind = ControlKind::Line, .twips = {2280, 6900, 7440, 6900},
     .fore = LightOrange, .borderWidth = 5},
    {.name = "Line3", .kind = ControlKind::Line, .twips = {7440, 1500, 7440, 6900},
     .fore = LightOrange, .borderWidth = 5},
    {.name = "Shape1", .kind = ControlKind::Shape, .twips = {6240, 360, 1455, 255},
     .back = Sys::WindowBackground, .fore = White},
    {.name = "Shape3", .kind = ControlKind::Shape, .twips = {6600, 240, 255, 135},
     .back = Sys::WindowBackground, .fore = White},
    {.name = "Shape4", .kind = ControlKind::Shape, .twips = {6480, 120, 495, 135},
     .back = Sys::WindowBackground, .fore = White},
    {.name = "Line4", .kind = ControlKind::Line, .twips = {7800, 120, 7800, 840},
     .fore = 0x808080, .borderWidth = 15},
    {.name = "Line5", .index = 0, .kind = ControlKind::Line, .twips = {7440, 6900, 6960, 6900},
     .fore = LightOrange, .borderWidth = 3},
    {.name = "Shape11", .kind = ControlKind::Shape, .twips = {6270, 705, 195, 15}, .back = Water,
     .fore = Water, .borderWidth = 0},
    {.name = "Shape2", .kind = ControlKind::Shape, .twips = {6240, 600, 255, 135},
     .back = Sys::WindowBackground, .fore = White},
    {.name = "Label4", .kind = ControlKind::Label, .twips = {11160, 1320, 720, 360},
     .back = Board, .fore = White, .caption = "分後", .font = {18, false}, .tabIndex = 6,
     .autoSize = true},
    {.name = "Line6", .index = 0, .kind = ControlKind::Line, .twips = {240, 8160, 11880, 8160},
     .fore = White, .borderWidth = 2},
    {.name = "Line6", .index = 1, .kind = ControlKind::Line, .twips = {240, 9000, 11880, 9000},
     .fore = White, .borderWidth = 2},
    {.name = "Line6", .index = 2, .kind = ControlKind::Line, .twips = {240, 9840, 11880, 9840},
     .fore = White, .borderWidth = 2},
    {.name = "Line7", .kind = ControlKind::Line, .twips = {1440, 8160, 1440, 9840}, .fore = White,
     .borderWidth = 2},
    {.name = "Label2", .kind = ControlKind::Label, .twips = {240, 8400, 1095, 495}, .back = Board,
     .fore = White, .caption = "χ(分)", .font = {18, true}, .tabIndex = 10},
    {.name = "Label3", .kind = ControlKind::Label, .twips = {360, 9240, 930, 405}, .back = Board,
     .fore = White, .caption = "ｙ（Ｌ）", .font = {20.25, true}, .tabIndex = 11,
     .autoSize = true},
    {.name = "Label5", .kind = ControlKind::Label, .twips = {9720, 3270, 780, 180}, .back = Board,
     .fore = White, .caption = "（１秒ごと）", .font = {9, false}, .tabIndex = 13,
     .autoSize = true},
    {.name = "Line1", .kind = ControlKind::Line, .twips = {2280, 1500, 2280, 6900},
     .fore = LightOrange, .borderWidth = 5},

    // Windowed controls.
    {.name = "Command6", .kind = ControlKind::CommandButton, .twips = {600, 840, 1335, 495},
     .back = 0x80FFFF, .caption = "初期画面", .font = {12, false}, .tabIndex = 9},
    {.name = "Command2", .kind = ControlKind::CommandButton, .twips = {8640, 2160, 1935, 495},
     .back = 0x0080FF, .caption = "自　動", .tabIndex = 2},
    {.name = "Command5", .kind = ControlKind::CommandButton, .twips = {9480, 2760, 1095, 495},
     .back = 0x80C0FF, .caption = "停止", .font = {12, true}, .tabIndex = 8},
    {.name = "Command4", .index = 1, .kind = ControlKind::CommandButton,
     .twips = {8640, 3960, 855, 495}, .back = 0xFFFFC0, .caption = "戻る", .tabIndex = 7},
    {.name = "Command4", .index = 0, .kind = ControlKind::CommandButton,
     .twips = {9720, 3960, 855, 495}, .back = 0xFFFFC0, .caption = "進む", .tabIndex = 3},
    {.name = "Command1", .kind = ControlKind::CommandButton, .twips = {10320, 6720, 1575, 495},
     .back = 0xFF8080, .caption = "終了", .tabIndex = 1},
    {.name = "Check1", .kind = ControlKind::CheckBox, .twips = {8760, 5280, 1455, 375},
     .back = Board, .fore = White, .caption = "Hint", .tabIndex = 14},
    {.name = "Check2", .kind = ControlKind::CheckBox, .twips = {8760, 5880, 1815, 615},
     .back = Board, .fore = White, .caption = "表", .tabIndex = 12},
    {.name = "Text1", .kind = ControlKind::TextBox, .twips = {8640, 600, 2415, 1095},
     .back = Sys::WindowBackground, .fore = Sys::WindowText, .font = {48, true}, .tabIndex = 5},
    {.name = "Combo2", .kind = ControlKind::ComboBox, .twips = {10800, 2925, 735, 315},
     .back = Sys::WindowBackground, .fore = Sys::WindowText, .caption = "20",
     .font = {9.75, false}, .tabIndex = 4, .list = DelayChoices},
}};

constexpr rt::FormDef MainWindow = {
    .name = "Form1",
    .caption = "量の変化と比例，反比例　　by Quorvel",
    .clientWidthTwips = 12150,
    .clientHeightTwips = 10695,
    .back = Board,
    .fore = 0x000000,
    .fontFamily = "ＭＳ Ｐゴシック",
    .font = {14.25, true},
    .controls = Controls,
};

} // namespace

const rt::FormDef &mainWindowDefinition() { return MainWindow; }
