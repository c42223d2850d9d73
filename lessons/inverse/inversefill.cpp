#include "lessons/inverse/inverselesson.h"

#include "runtime/core/events.h"

#include <string>

using namespace design;
using namespace design::inverse;

// 入れる: empties the container and fills it at the chosen rate until it is full, or until
// 停止 ends the fill at the next whole minute.
rt::Task Form2::Command2_Click() {
    return Fill(Capacity / Rate);
}

rt::Task Form2::Fill(rt::Integer minutes) {
    EnableAtRest(false);
    Filling = true;
    StopRequested = 0;
    EmptyContainer();
    Text1.setText("0.00");
    AnnounceState("毎分 " + std::to_string(Rate) + " L で入れはじめます");
    while (Rate * Minutes < Capacity && Minutes < minutes) {
        co_await PourMinute();
        AnnounceState(std::to_string(Minutes) + " 分後、" + std::to_string(Rate * Minutes) + " L");
        if (StopRequested == 1) break;
    }
    Shape11.setHeight(0);
    Line12.setVisible(false);
    Shape13.setVisible(false);
    if (Rate * Minutes == Capacity) Record();
    Filling = false;
    EnableAtRest(true);
}

// The pair of a full container goes into the table and onto the graph; with all eight, the
// curve through them and its formula.
void Form2::Record() {
    const int i = index(Rate);
    if (!Recorded[std::size_t(i)]) {
        Recorded[std::size_t(i)] = true;
        const int minutes = Capacity / Rate;
        setFontSize(20);
        setForeColor(White);
        setCurrentX(RateColumnX + RateColumnSpacing * i - (minutes > 9 ? 10 : 0));
        setCurrentY(LitresRowY);
        Print(double(minutes));
        Shape12(rt::Integer(i)).setVisible(true);
    }
    bool all = true;
    for (const bool recorded : Recorded)
        all = all && recorded;
    if (all) {
        for (rt::Integer k = 0; k < CurveSteps; ++k)
            Line13(k).setVisible(true);
        Label8.setVisible(true);
    }
    AnnounceState("いっぱいになりました。毎分 " + std::to_string(Rate) + " L で " +
                  std::to_string(Capacity / Rate) + " 分");
}

void Form2::Command5_Click() {
    StopRequested = 1;
}

// 初期画面: the empty container at the first rate, the table and the graph cleared and hidden;
// Hint and the frame delay stay.
void Form2::Command6_Click() {
    ResetScreen();
    Check2.setValue(0);
    Check3.setValue(0);
}

// 比例へ: the other lesson, which keeps its own state meanwhile.
void Form2::Command7_Click() {
    if (SwitchLesson) SwitchLesson();
}

// A rate button: the next fill pours that many litres a minute.
void Form2::Command8_Click(rt::Integer index) {
    if (Rates[index] == Rate) return;
    ChooseRate(Rates[index]);
    AnnounceState("毎分 " + std::to_string(Rate) + " L");
}

void Form2::Command1_Click() {
    rt::End();
}

// Hint: each minute's water in a colour of its own, as in the first lesson.
void Form2::Check1_Click() {
    for (rt::Integer i = 0; i < MaxMinutes; ++i) {
        Shape9(i).setBackColor(Check1.Value() != 0 ? inverse::hint(i) : Water);
        Shape9(i).setBorderColor(Shape9(i).BackColor());
    }
    if (Filling) Shape11.setBackColor(Shape9(Minutes).BackColor());
    if (StateChanged) StateChanged();
}

// 表: the taller window shows the table below the container.
void Form2::Check2_Click() {
    setHeight(Check2.Value() == 1 ? TallHeight : ShortHeight);
    if (StateChanged) StateChanged();
}

// グラフ: the wider window shows the graph beside the controls.
void Form2::Check3_Click() {
    setWidth(Check3.Value() == 1 ? WideWidth : NarrowWidth);
    if (StateChanged) StateChanged();
}
