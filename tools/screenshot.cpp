// Renders the window in a given state to a PNG, for the README and for looking at changes.
// Usage: water-screenshot OUT.png [tall] [graph] [steps N] [hint] [board]
//        water-screenshot OUT.png inverse [tall] [graph] [pour RATE]... [hint] [board]
//        water-screenshot OUT.png constant [tall] [graph] [rate A] [back N] [steps N] [hint]
// "board" writes the board alone, without the windowed controls; "inverse" shows the second
// lesson, "pour RATE" fills its container at RATE litres a minute; "constant" shows the third,
// at A litres a minute, N minutes back, then N forward.

#include "app/lessons.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"
#include "runtime/qt/window.h"

#include <QApplication>
#include <QImage>

namespace {

// The options both lessons have.
template <typename F> void options(F &form, const QStringList &args) {
    if (args.contains(QStringLiteral("hint"))) form.hint.setValue(1);
    if (args.contains(QStringLiteral("tall"))) form.table.setValue(1);
    if (args.contains(QStringLiteral("graph"))) form.graph.setValue(1);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(
            stderr, "usage: water-screenshot OUT.png [inverse] [tall] [graph] "
                    "[constant] [steps N | pour RATE... | rate A back N steps N] [hint] [board]\n");
        return 2;
    }
    const bool inverse = args.contains(QStringLiteral("inverse"));
    const bool constant = args.contains(QStringLiteral("constant"));
    Lessons lessons(inverse ? "inverse" : constant ? "constant" : "");
    rt::qt::Window window(lessons.shown());
    lessons.load();
    window.show();
    // A number after `word`, or 0.
    const auto after = [&args](const char *word) {
        const qsizetype at = args.indexOf(QLatin1String(word));
        return at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 0;
    };
    if (constant) {
        ConstantLesson &form = lessons.constant();
        form.delay.setText("0");
        options(form, args);
        if (const int rate = after("rate"); layout::constant::index(rate) >= 0)
            rt::dispatch([&form, rate] { form.chooseRate(layout::constant::index(rate)); });
        for (int i = after("back"); i > 0; --i)
            rt::start(form.stepBack());
        for (int i = after("steps"); i > 0; --i)
            rt::start(form.stepForward());
        form.delay.setText("20");
    } else if (inverse) {
        InverseLesson &form = lessons.inverse();
        form.delay.setText("0");
        options(form, args);
        for (qsizetype at = args.indexOf(QStringLiteral("pour")); at > 0 && at + 1 < args.size();
             at = args.indexOf(QStringLiteral("pour"), at + 1)) {
            const int rate = args[at + 1].toInt();
            for (rt::Integer i = 0; i < design::inverse::RateCount; ++i)
                if (design::inverse::Rates[std::size_t(i)] == rate)
                    rt::dispatch([&form, i] { form.chooseRate(i); });
            rt::start(form.fill());
        }
        form.delay.setText("20");
    } else {
        ProportionLesson &form = lessons.proportion();
        form.delay.setText("0");
        options(form, args);
        const qsizetype at = args.indexOf(QStringLiteral("steps"));
        const int steps = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 0;
        for (int i = 0; i < steps; ++i)
            rt::start(form.stepForward());
        form.delay.setText("20");
    }
    QApplication::processEvents();
    const QImage image =
        args.contains(QStringLiteral("board")) ? window.boardPicture() : window.grab().toImage();
    return image.save(args[1]) ? 0 : 1;
}
