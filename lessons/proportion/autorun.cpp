#include "lessons/proportion/proportionlesson.h"

#include "lessons/shared/design.h"

using namespace design;

// 自　動: plays the filling minute after minute up to twelve minutes; 停止 ends the run at the
// next whole minute.
rt::Task Form1::Command2_Click() {
    const BusyScope busy(*this);
    Command2.setEnabled(false);
    if (Progress == FullProgress) {
        // The container is full: start over from the empty container, shown for one frame.
        Text1.setText("0.00");
        Progress = 0;
        ResetScreen();
        // Nothing may start during that frame; the reset has just enabled these.
        Command2.setEnabled(false);
        Command4(0).setEnabled(false);
        Command6.setEnabled(false);
        co_await WaitFrame();
    }
    StopRequested = 0;
    Command5.setEnabled(true);
    Command6.setEnabled(false);
    Command4(0).setEnabled(false);
    Command4(1).setEnabled(false);
    while (Progress <= LastStart) {
        co_await StepForward();
        Progress = rt::add(Progress, rt::Integer(2));
        AnnounceState();
        if (StopRequested == 1) break;
    }
    Shape11.setHeight(1);
    Command5.setEnabled(false);
    Command6.setEnabled(true);
    Command4(1).setEnabled(true);
    Command4(0).setEnabled(StopRequested == 1 && Progress < FullProgress);
    Command2.setEnabled(true);
}

void Form1::Command5_Click() {
    StopRequested = 1;
}
