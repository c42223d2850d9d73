// Stand-in for the lesson's browser backend while it is being written: sets up the page at the
// board's size and paints the board, so the build, the server and the test driver have
// something real to load.

#include <emscripten.h>

EM_JS(void, paintBoard, (), {
    lessonPage.init({caption : "量の変化と比例，反比例　　by Quorvel", width : 810, height : 506,
                     back : "#008000"});
    const s = lessonPage.scale();
    lessonPage.beginPaint();
    lessonPage.fill(0, 0, Math.round(810 * s), Math.round(506 * s), "#008000");
    lessonPage.endPaint();
});

int main() {
    paintBoard();
    emscripten_sleep(0); // keeps Asyncify linked in, as the real backend needs it
}
