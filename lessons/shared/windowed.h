#pragma once

#include "lessons/shared/layout.h"

#include <array>
#include <string_view>

/// The windowed controls both lessons have, in twips: the ones that stand in the same place
/// and do the same in both, and the buttons each lesson words in its own way.
namespace layout {

/// A button in the left column that shows another lesson of the unit.
struct Switch {
    std::string_view name;
    std::string_view caption;
    std::string_view description;
};

/// The buttons to each lesson, as every other lesson words them.
inline constexpr Switch ToProportionButton = {
    ToProportion.name, "比例へ", "比例の学習に切りかえます。こちらの画面はそのまま残ります。"};
inline constexpr Switch ToInverseButton = {
    ToInverse.name, "反比例へ", "反比例の学習に切りかえます。こちらの画面はそのまま残ります。"};
inline constexpr Switch ToConstantButton = {
    ToConstant.name, "y = ax へ",
    "比例の式 y = ax で、a や x が負の数のときも調べる学習に切りかえます。"
    "こちらの画面はそのまま残ります。"};

/// The buttons every lesson has in the same places, in its own words: the other two lessons
/// (`upper` above `lower`), the one that starts the water (`start`, focused first when
/// `focused`), and 停止.
struct Buttons {
    Switch upper;
    Switch lower;
    std::string_view start;
    std::string_view startCaption;
    std::string_view startDescription;
    bool startFocused;
    std::string_view stopDescription;
};

constexpr ControlDef switchButton(const Switch &s, int top, int tabIndex) {
    return {.name = s.name,
            .kind = ControlKind::CommandButton,
            .twips = {240, top, 1755, 495},
            .back = 0xC0FFC0,
            .caption = s.caption,
            .font = {12, false},
            .tabIndex = tabIndex,
            .accessibleName = s.caption,
            .description = s.description};
}

constexpr std::array<ControlDef, 4> buttons(const Buttons &b) {
    return {{switchButton(b.upper, 5625, 16),
             switchButton(b.lower, 6300, 17),
             {.name = b.start,
              .kind = ControlKind::CommandButton,
              .twips = {8640, 2160, 1935, 495},
              .back = 0x0080FF,
              .caption = b.startCaption,
              .tabIndex = 2,
              .accessibleName = b.startCaption,
              .description = b.startDescription,
              .startFocus = b.startFocused},
             {.name = Stop.name,
              .kind = ControlKind::CommandButton,
              .twips = {9480, 2760, 1095, 495},
              .back = 0x80C0FF,
              .caption = "停止",
              .font = {12, true},
              .tabIndex = 8,
              .accessibleName = "停止",
              .description = b.stopDescription}}};
}

/// 戻る and 進む side by side, `top` twips down; 進む has the focus first.
constexpr std::array<ControlDef, 2> stepButtons(std::string_view back, std::string_view forward,
                                                int top) {
    const auto button = [top](std::string_view name, int left, std::string_view caption,
                              int tabIndex, std::string_view description, bool focused) {
        return ControlDef{.name = name,
                          .kind = ControlKind::CommandButton,
                          .twips = {left, top, 855, 495},
                          .back = 0xFFFFC0,
                          .caption = caption,
                          .tabIndex = tabIndex,
                          .accessibleName = caption,
                          .description = description,
                          .startFocus = focused};
    };
    return {{button(back, 8640, "戻る", 7, "1 分前にもどします。", false),
             button(forward, 9720, "進む", 3, "1 分すすめます。", true)}};
}

/// A check box on the board: one of the options, Hint, 表 and グラフ.
constexpr ControlDef option(std::string_view name, std::array<int, 4> twips,
                            std::string_view caption, int tabIndex, std::string_view description) {
    return {.name = name,
            .kind = ControlKind::CheckBox,
            .twips = twips,
            .back = Board,
            .fore = White,
            .caption = caption,
            .tabIndex = tabIndex,
            .accessibleName = caption,
            .description = description};
}

/// 終了, Hint, 表, グラフ, the time box, the delay box and its note, and 初期画面.
inline constexpr std::array<ControlDef, 8> Common = {
    {// Under the delay box, over nothing else.
     {.name = "delayNote",
      .kind = ControlKind::Label,
      .twips = {9720, 3270, 780, 180},
      .back = Board,
      .fore = White,
      .caption = "（１秒ごと）",
      .font = {9, false},
      .tabIndex = 15,
      .autoSize = true},
     {.name = Quit.name,
      .kind = ControlKind::CommandButton,
      .twips = {10320, 6720, 1575, 495},
      .back = 0xFF8080,
      .caption = "終了",
      .tabIndex = 1,
      .accessibleName = "終了",
      .description = "プログラムを終わります。"},
     option(Hint.name, {8760, 5280, 1455, 375}, "Hint", 14,
            "1 分ごとの水の色を変えて、区別できるようにします。"),
     option(Table.name, {8760, 5880, 1815, 615}, "表", 12, "x と y の表を見せます。"),
     option(Graph.name, {8760, 6600, 1455, 375}, "グラフ", 13,
            "x と y の関係を、水の高さと並べてグラフで見せます。"),
     {.name = Time.name,
      .kind = ControlKind::TextBox,
      .twips = {8640, 600, 2415, 1095},
      .back = Sys::WindowBackground,
      .fore = Sys::WindowText,
      .font = {48, true},
      .tabIndex = 5,
      .accessibleName = "経過時間 (分)",
      .description = "水を入れはじめてからの時間を分で示します。"},
     {.name = Delay.name,
      .kind = ControlKind::ComboBox,
      .twips = {10800, 2925, 735, 315},
      .back = Sys::WindowBackground,
      .fore = Sys::WindowText,
      .caption = "20",
      .font = {9.75, false},
      .tabIndex = 4,
      .list = DelayChoices,
      .accessibleName = "こま送りの間隔 (ミリ秒)",
      .description = "アニメーションのこまとこまの間の時間をミリ秒で選びます。"},
     {.name = InitialScreen.name,
      .kind = ControlKind::CommandButton,
      .twips = {600, 840, 1335, 495},
      .back = 0x80FFFF,
      .caption = "初期画面",
      .font = {12, false},
      .tabIndex = 9,
      .accessibleName = "初期画面",
      .description = "はじめの画面にもどします。容器は空になり、時間は 0 分にもどります。"}}};

} // namespace layout
