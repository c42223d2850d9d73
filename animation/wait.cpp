#include "animation/pace.h"
#include "app/form1.h"

void Form1::Wait(rt::Long Milliseconds) {
    animation::pace([Milliseconds] { return Milliseconds; });
}

// A frame's pause follows the delay box while it lasts: a delay put right ends it at the new
// length from its start, so a mistyped 99999999999 does not hold the lesson for 25 days.
void Form1::WaitFrame() {
    animation::pace([this] { return FrameDelay(); });
}
