// Renders the window in a given state to a PNG, for the README and for looking at changes.
// Usage: water-screenshot OUT.png [tall] [graph] [steps N] [hint] [board]
// "board" writes the board alone, without the windowed controls.

#include "app/form1.h"

#include "runtime/core/events.h"
#include "runtime/qt/window.h"

#include <QApplication>
#include <QImage>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: water-screenshot OUT.png [tall] [graph] [steps N] [hint] [board]\n");
        return 2;
    }
    Form1 form;
    rt::qt::Window window(form);
    rt::dispatch([&form] { form.Form_Load(); });
    window.show();
    form.Combo2.setText("0");
    if (args.contains(QStringLiteral("hint"))) form.Check1.setValue(1);
    if (args.contains(QStringLiteral("tall"))) form.Check2.setValue(1);
    if (args.contains(QStringLiteral("graph"))) form.Check3.setValue(1);
    const qsizetype at = args.indexOf(QStringLiteral("steps"));
    const int steps = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 0;
    for (int i = 0; i < steps; ++i)
        rt::dispatch([&form] { form.Command4_Click(0); });
    form.Combo2.setText("20");
    QApplication::processEvents();
    const QImage image =
        args.contains(QStringLiteral("board")) ? window.boardPicture() : window.grab().toImage();
    return image.save(args[1]) ? 0 : 1;
}
