#include "lessons/proportion/proportionlesson.h"

#include "lessons/shared/design.h"

using namespace design;

// 進む (index 0) and 戻る (index 1): one minute forward or back.
rt::Task Form1::Command4_Click(rt::Integer index) {
    const BusyScope busy(*this);
    Command4(1).setEnabled(true);
    // An automatic run started in the middle of this step would animate over it; 自　動 waits
    // until the step is done.
    Command2.setEnabled(false);
    const std::uint32_t resetCount = ResetCount;
    if (index == 0) {
        co_await StepForward();
        if (ResetCount != resetCount)
            co_return; // 初期画面 was clicked during the step: minute 0 stands
        Progress = rt::add(Progress, rt::Integer(2));
    } else {
        co_await StepBack();
        if (ResetCount != resetCount) co_return;
        Progress = rt::sub(Progress, rt::Integer(2));
        if (Progress == 0) {
            Command4(0).setEnabled(true);
            Command4(1).setEnabled(false);
            Combo2.setEnabled(true);
            Command2.setEnabled(true);
        }
    }
    if (Progress == FullProgress) {
        Command4(0).setEnabled(false);
        Command4(1).setEnabled(true);
        Combo2.setEnabled(true);
        Command2.setEnabled(true);
    }
    Shape11.setHeight(1);
    Command2.setEnabled(true);
    AnnounceState();
}
