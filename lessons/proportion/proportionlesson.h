#pragma once

#include "lessons/shared/framepace.h"
#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/controlarray.h"
#include "runtime/core/form.h"
#include "runtime/core/label.h"
#include "runtime/core/line.h"
#include "runtime/core/numeric.h"
#include "runtime/core/shape.h"
#include "runtime/core/task.h"
#include "runtime/core/textbox.h"

#include <cstdint>
#include <functional>
#include <string>

/// The lesson's window: water poured into a container at 5 litres a minute for 12 minutes.
class Form1 : public rt::Form {
public:
    Form1();

    // Twice the minutes shown, even, 0 to 24.
    rt::Integer Progress = 0;
    // 1 asks a running automatic run to stop at the next whole minute.
    rt::Integer StopRequested = 0;
    // Counts the returns to the initial screen. A step that finds it changed after a pacing
    // wait has been overtaken by a reset and stops without touching anything.
    std::uint32_t ResetCount = 0;
    // Steps and runs under way, nested ones included: the other lesson waits for none.
    int Busy = 0;
    // Shows the other lesson; set by the owner of both.
    std::function<void()> SwitchLesson;
    // Told after every change the lesson would want back after a reload: each whole minute,
    // each option; set by the owner of both.
    std::function<void()> StateChanged;

    rt::CommandButton &Command1;                  // 終了
    rt::CommandButton &Command2;                  // 自　動
    rt::CommandButton &Command5;                  // 停止
    rt::CommandButton &Command6;                  // 初期画面
    rt::CommandButton &Command7;                  // 反比例へ
    rt::ControlArray<rt::CommandButton> Command4; // 0 進む, 1 戻る
    rt::CheckBox &Check1;                         // Hint
    rt::CheckBox &Check2;                         // 表
    rt::CheckBox &Check3;                         // グラフ
    rt::TextBox &Text1;                           // elapsed minutes
    rt::ComboBox &Combo2;                         // pause between frames, ms
    rt::Shape &Shape11;                           // the falling stream
    rt::ControlArray<rt::Shape> Shape9;           // water layers, one per minute
    rt::ControlArray<rt::Line> Line5;             // scale marks
    rt::ControlArray<rt::Line> Line10;            // the graph's litre ticks
    rt::ControlArray<rt::Line> Line11;            // the graph's minute ticks
    rt::ControlArray<rt::Line> Line12;            // the graph's segment of each minute
    rt::ControlArray<rt::Shape> Shape12;          // the graph's points, minute 0 to 12
    rt::Label &Label8;                            // the graph's formula

    void Form_Load();
    void ResetScreen();
    /// Tells assistive technology the minutes and litres shown and the pairs of the table.
    void AnnounceState();
    /// The list of keys, in a small window of its own.
    void ShowKeys();

    /// The pause between frames that the delay box asks for, following the box while it lasts.
    rt::Pause WaitFrame();
    /// One minute forward or back from Progress, in 40 frames; Progress stays as it was.
    rt::Task StepForward();
    rt::Task StepBack();

    /// The pause between frames that the delay box asks for, in milliseconds.
    rt::Long FrameDelay() const;

    void Command1_Click();
    rt::Task Command2_Click();
    rt::Task Command4_Click(rt::Integer index);
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();

private:
    /// Counts a step or run for as long as it lasts, however it ends.
    class BusyScope {
    public:
        explicit BusyScope(Form1 &form);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        Form1 &form_;
    };

    void EnableStepButtons();
    void ShowFrame(rt::Integer n, rt::Integer layer, std::string &time);
    void PrintColumn(rt::Colour colour, const std::string &minuteText, double minute);
    void Plot(rt::Integer layer, rt::Integer n);
    void ColourMinute(rt::Integer layer);

    animation::FramePace pace_;
};
