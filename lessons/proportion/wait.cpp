#include "lessons/proportion/proportionlesson.h"

// A frame's pause follows the delay box while it lasts: a delay put right ends it at the new
// length from its start, so a mistyped 99999999999 does not hold the lesson for 25 days.
rt::Pause Form1::WaitFrame() {
    return rt::Pause([this] { return FrameDelay(); });
}
