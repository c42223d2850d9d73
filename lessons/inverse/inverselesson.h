#pragma once

#include "lessons/shared/design.h"
#include "lessons/shared/framepace.h"
#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/controlarray.h"
#include "runtime/core/form.h"
#include "runtime/core/label.h"
#include "runtime/core/line.h"
#include "runtime/core/shape.h"
#include "runtime/core/task.h"
#include "runtime/core/textbox.h"

#include <array>
#include <cstdint>
#include <functional>

/// The second lesson's window: the same container filled at a rate the pupil chooses, x litres
/// a minute, until it is full after y = 60 ÷ x minutes.
class Form2 : public rt::Form {
public:
    Form2();

    // Litres a minute, one of design::inverse::Rates.
    rt::Integer Rate = design::inverse::StartRate;
    // Whole minutes poured at Rate since the container was last emptied.
    rt::Integer Minutes = 0;
    // 1 asks a fill to stop at the next whole minute.
    rt::Integer StopRequested = 0;
    // Whether a fill is under way.
    bool Filling = false;
    // Whether each rate has filled the container, in the order of design::inverse::Rates.
    std::array<bool, design::inverse::RateCount> Recorded = {};
    // Shows the other lesson; set by the owner of both.
    std::function<void()> SwitchLesson;
    // Told after every change the lesson would want back after a reload: each whole minute,
    // each rate, each option; set by the owner of both.
    std::function<void()> StateChanged;

    rt::CommandButton &Command1;                  // 終了
    rt::CommandButton &Command2;                  // 入れる
    rt::CommandButton &Command5;                  // 停止
    rt::CommandButton &Command6;                  // 初期画面
    rt::CommandButton &Command7;                  // 比例へ
    rt::ControlArray<rt::CommandButton> Command8; // the rates, in the order of Rates
    rt::CheckBox &Check1;                         // Hint
    rt::CheckBox &Check2;                         // 表
    rt::CheckBox &Check3;                         // グラフ
    rt::TextBox &Text1;                           // elapsed minutes
    rt::ComboBox &Combo2;                         // pause between frames, ms
    rt::Shape &Shape11;                           // the falling stream
    rt::ControlArray<rt::Shape> Shape9;           // water layers, one per minute
    rt::ControlArray<rt::Line> Line5;             // scale marks
    rt::ControlArray<rt::Line> Line10;            // the graph's minute ticks
    rt::ControlArray<rt::Line> Line11;            // the graph's rate ticks
    rt::Line &Line12;                             // the line climbed during a fill
    rt::Shape &Shape13;                           // the point climbing it
    rt::ControlArray<rt::Shape> Shape12;          // the recorded points, in the order of Rates
    rt::ControlArray<rt::Line> Line13;            // the curve through them
    rt::Label &Label8;                            // the curve's formula

    void Form_Load();
    void ResetScreen();
    /// Tells assistive technology the rate, the minutes, the litres and the pairs recorded;
    /// `change` is what to say at once.
    void AnnounceState(const std::string &change);
    void ShowKeys();

    /// The pause between frames that the delay box asks for, in milliseconds.
    rt::Long FrameDelay() const;
    rt::Pause WaitFrame();
    /// Pours minute `Minutes` + 1 in 40 frames.
    rt::Task PourMinute();
    /// Chooses `rate` litres a minute, at rest only, emptying the container.
    void ChooseRate(rt::Integer rate);
    /// Empties the container and fills it at the chosen rate for `minutes` minutes at most,
    /// until it is full or 停止 ends the fill at the next whole minute.
    rt::Task Fill(rt::Integer minutes);

    void Command1_Click();
    rt::Task Command2_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click(rt::Integer index);
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();

private:
    void EmptyContainer();
    void Record();
    void EnableAtRest(bool rest);

    animation::FramePace pace_;
};
