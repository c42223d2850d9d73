#include "lessons/proportion/proportionlesson.h"

#include "runtime/core/events.h"

// 初期画面: back to minute 0 with the table and the graph hidden; Hint and the frame delay stay.
void Form1::Command6_Click() {
    Progress = 0;
    Text1.setText("0.00");
    ResetScreen();
    Check2.setValue(0);
    Check3.setValue(0);
}

// 終了
void Form1::Command1_Click() {
    rt::End();
}

// 反比例へ: the other lesson, which keeps its own state meanwhile.
void Form1::Command7_Click() {
    if (SwitchLesson) SwitchLesson();
}
