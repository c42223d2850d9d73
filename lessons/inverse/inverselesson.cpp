#include "lessons/inverse/inverselesson.h"
#include "runtime/core/numeric.h"

#include "lessons/inverse/inverselayout.h"
#include "lessons/shared/scales.h"

#include <string>

using namespace design;
using namespace design::inverse;

Form2::Form2()
    : rt::Form(inverseWindowDefinition()), Command1(control<rt::CommandButton>("Command1")),
      Command2(control<rt::CommandButton>("Command2")),
      Command5(control<rt::CommandButton>("Command5")),
      Command6(control<rt::CommandButton>("Command6")),
      Command7(control<rt::CommandButton>("Command7")), Command8(*this, "Command8"),
      Check1(control<rt::CheckBox>("Check1")), Check2(control<rt::CheckBox>("Check2")),
      Check3(control<rt::CheckBox>("Check3")), Text1(control<rt::TextBox>("Text1")),
      Combo2(control<rt::ComboBox>("Combo2")), Shape11(control<rt::Shape>("Shape11")),
      Shape9(*this, "Shape9"), Line5(*this, "Line5"), Line10(*this, "Line10"),
      Line11(*this, "Line11"), Line12(control<rt::Line>("Line12")),
      Shape13(control<rt::Shape>("Shape13")), Shape12(*this, "Shape12"), Line13(*this, "Line13"),
      Label8(control<rt::Label>("Label8")), pace_(Combo2.Text()) {
    Command1.setClickHandler([this] { Command1_Click(); });
    Command2.setClickHandler([this] { rt::start(Command2_Click()); });
    Command5.setClickHandler([this] { Command5_Click(); });
    Command6.setClickHandler([this] { Command6_Click(); });
    Command7.setClickHandler([this] { Command7_Click(); });
    for (rt::Integer i = 0; i < RateCount; ++i)
        Command8(i).setClickHandler([this, i] { Command8_Click(i); });
    Check1.setClickHandler([this] { Check1_Click(); });
    Check2.setClickHandler([this] { Check2_Click(); });
    Check3.setClickHandler([this] { Check3_Click(); });
    bindKey(rt::Key::F1, [this] { ShowKeys(); });
    // A new delay sets the pace, and is kept with the lesson.
    Combo2.setChangeHandler([this] {
        pace_.follow(Combo2.Text());
        if (StateChanged) StateChanged();
    });
    // The arrows step through the rates, as a click on the next rate's button would.
    bindKey(rt::Key::Up, [this] {
        const int i = index(Rate);
        if (i + 1 < RateCount && Command8(rt::Integer(i + 1)).Enabled())
            Command8_Click(rt::Integer(i + 1));
    });
    bindKey(rt::Key::Down, [this] {
        const int i = index(Rate);
        if (i > 0 && Command8(rt::Integer(i - 1)).Enabled()) Command8_Click(rt::Integer(i - 1));
    });
}

void Form2::Form_Load() {
    setHeight(ShortHeight);
    for (rt::Integer i = 1; i <= design::Minutes; ++i) {
        Line5.Load(i);
        Line5(i).ZOrder(0);
        Line5(i).setY1(Floor - ScaleSpacing * i);
        Line5(i).setY2(Line5(i).Y1());
        Line5(i).setVisible(true);
        Line10.Load(i);
        Line10(i).setY1(graph::y(graph::LitresPerTick * i));
        Line10(i).setY2(Line10(i).Y1());
        Line10(i).setVisible(true);
        Line11.Load(i);
        Line11(i).setX1(graph::x(i));
        Line11(i).setX2(Line11(i).X1());
        Line11(i).setVisible(true);
    }
    // One layer for each minute of the slowest rate, behind the scale.
    for (rt::Integer i = 1; i < MaxMinutes; ++i) {
        Shape9.Load(i);
        Shape9(i).ZOrder(1);
        Shape9(i).setVisible(true);
    }
    for (rt::Integer i = 0; i < RateCount; ++i) {
        if (i > 0) Shape12.Load(i);
        const double minutes = double(Capacity) / Rates[i];
        Shape12(i).setLeft(graph::x(Rates[i]) - graph::PointRadius);
        Shape12(i).setTop(graph::y(minutes) - graph::PointRadius);
    }
    for (rt::Integer i = 0; i < CurveSteps; ++i) {
        if (i > 0) Line13.Load(i);
        const double x1 = Rates[0] + CurveStep * i, x2 = x1 + CurveStep;
        Line13(i).setX1(graph::x(x1));
        Line13(i).setY1(graph::y(Capacity / x1));
        Line13(i).setX2(graph::x(x2));
        Line13(i).setY2(graph::y(Capacity / x2));
        Line13(i).ZOrder(1); // behind the points it joins
    }
    ResetScreen();
}

void Form2::ResetScreen() {
    StopRequested = 0;
    Recorded = {};
    Cls();
    printContainerScale(*this);
    printGraphScale(*this);
    // The rates head the table's columns; the minutes are written as each rate fills.
    setFontSize(20);
    setForeColor(White);
    for (int i = 0; i < RateCount; ++i) {
        setCurrentX(RateColumnX + RateColumnSpacing * i - (Rates[i] > 9 ? 10 : 0));
        setCurrentY(MinutesRowY);
        Print(double(Rates[i]));
    }
    for (rt::Integer i = 0; i < RateCount; ++i)
        Shape12(i).setVisible(false);
    for (rt::Integer i = 0; i < CurveSteps; ++i)
        Line13(i).setVisible(false);
    Label8.setVisible(false);
    EmptyContainer();
    Text1.setText("0.00");
    Rate = 0;
    ChooseRate(StartRate);
    EnableAtRest(true);
    AnnounceState("初期画面。毎分 " + std::to_string(Rate) + " L、0 分後、0 L");
}

// The container empty, the stream off, and nothing climbing the graph.
void Form2::EmptyContainer() {
    Minutes = 0;
    for (rt::Integer i = 0; i < MaxMinutes; ++i) {
        Shape9(i).setHeight(0);
        Shape9(i).setTop(Floor);
    }
    Shape11.setHeight(0);
    Line12.setVisible(false);
    Shape13.setVisible(false);
}

void Form2::ChooseRate(rt::Integer rate) {
    if (rate == Rate) return;
    // The water shown was poured at the old rate: a new rate starts from the empty container.
    if (Minutes > 0) {
        EmptyContainer();
        Text1.setText("0.00");
    }
    Rate = rate;
    for (rt::Integer i = 0; i < RateCount; ++i) {
        Command8(i).setBackColor(Rates[i] == rate ? ChosenRateFace : RateFace);
        Command8(i).setPressed(Rates[i] == rate);
    }
}

void Form2::EnableAtRest(bool rest) {
    Command2.setEnabled(rest);
    Command5.setEnabled(!rest);
    Command6.setEnabled(rest);
    Command7.setEnabled(rest);
    for (rt::Integer i = 0; i < RateCount; ++i)
        Command8(i).setEnabled(rest);
}

void Form2::AnnounceState(const std::string &change) {
    const std::string rate = std::to_string(Rate);
    const std::string litres = std::to_string(Rate * Minutes);
    std::string pairs;
    for (int i = 0; i < RateCount; ++i) {
        if (!Recorded[std::size_t(i)]) continue;
        if (!pairs.empty()) pairs += "、";
        pairs += "毎分 " + std::to_string(Rates[i]) + " L で " +
                 std::to_string(Capacity / Rates[i]) + " 分";
    }
    std::string text = "毎分 " + rate + " L。" + std::to_string(Minutes) + " 分後、水は " + litres +
                       " L。表: " + (pairs.empty() ? "まだありません" : pairs);
    if (Label8.Visible()) text += "。" + Label8.Caption();
    setStatusText(text, change);
    if (StateChanged) StateChanged();
}

void Form2::ShowKeys() {
    static constexpr rt::NoteRow rows[] = {
        {"Page Down、→ または F5", "入れる"},
        {"↑ / ↓", "次の量 / 前の量"},
        {"1 ～ 6", "1 分間に 1 ～ 6 L"},
        {"Esc、B または .", "停止"},
        {"Home", "初期画面"},
        {"H", "Hint (色分け)"},
        {"T", "表"},
        {"G", "グラフ"},
        {"F2", "比例へ"},
        {"Ctrl + + / Ctrl + -", "拡大 / 縮小"},
        {"Ctrl + 0", "元の大きさ"},
        {"F11", "全画面 / 元の画面"},
        {"F1", "この一覧"},
    };
    showNote("キー操作", rows);
}
