// The form runtime on a small window of its own: printing and erasing, drawing order,
// geometry, control arrays, window height and check box values.

#include "probes.h"

#include "runtime/core/checkbox.h"
#include "runtime/core/controlarray.h"
#include "runtime/core/form.h"
#include "runtime/core/label.h"
#include "runtime/core/line.h"
#include "runtime/core/shape.h"
#include "runtime/qt/window.h"

#include <QCheckBox>
#include <QTest>

#include <array>

namespace {

constexpr rt::Colour Board = 0x008000;
constexpr rt::Colour White = 0xFFFFFF;

constexpr std::array<rt::ControlDef, 5> Controls = {{
    {.name = "Box",
     .index = 0,
     .kind = rt::ControlKind::Shape,
     .twips = {1500, 1500, 1500, 1500},
     .back = 0xFF0000,
     .fore = 0xFF0000},
    {.name = "Cover",
     .kind = rt::ControlKind::Shape,
     .twips = {2250, 2250, 1500, 1500},
     .back = 0x0000FF,
     .fore = 0x0000FF,
     .borderWidth = 0},
    {.name = "Tag",
     .kind = rt::ControlKind::Label,
     .twips = {4500, 150, 900, 300},
     .back = 0xC00000,
     .fore = White,
     .caption = "札",
     .font = {12, false}},
    {.name = "Rule",
     .index = 0,
     .kind = rt::ControlKind::Line,
     .twips = {150, 5250, 4500, 5250},
     .fore = White,
     .borderWidth = 3},
    {.name = "Check",
     .kind = rt::ControlKind::CheckBox,
     .twips = {4500, 3000, 1200, 375},
     .back = Board,
     .fore = White,
     .caption = "表",
     .tabIndex = 1},
}};

constexpr rt::FormDef Small = {
    .name = "Small",
    .caption = "test",
    .clientWidthTwips = 6000,
    .clientHeightTwips = 6000,
    .back = Board,
    .fore = 0,
    .fontFamily = "ＭＳ Ｐゴシック",
    .font = {14.25, true},
    .controls = Controls,
};

// A form of its own, shown in a window of its own.
struct Surface {
    explicit Surface(const rt::FormDef &def) : form(def), window(form) {}
    rt::Form form;
    rt::qt::Window window;
};

} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void erasingLeavesNoTrace_data();
    void erasingLeavesNoTrace();
    void numberPrintsWithSignBlank();
    void textLiesBelowShapes();
    void textBelowWindowShowsWhenItGrows();
    void clsErasesAllText();
    void halfPixelsReachTheScreen();
    void zOrder();
    void controlArrays();
    void heightInTwips();
    void checkBoxValueRunsHandler();
};

void SurfaceTest::erasingLeavesNoTrace_data() {
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("text");
    for (qreal dpr : {1.0, 2.0}) {
        const QByteArray tag = "dpr " + QByteArray::number(dpr);
        QTest::newRow(tag + " one digit") << dpr << 20.0 << " 1";
        QTest::newRow(tag + " two digits") << dpr << 20.0 << " 12";
        QTest::newRow(tag + " small") << dpr << 14.0 << " 60";
        QTest::newRow(tag + " japanese") << dpr << 20.0 << "水を";
    }
}

void SurfaceTest::erasingLeavesNoTrace() {
    QFETCH(qreal, dpr);
    QFETCH(double, points);
    QFETCH(QString, text);
    Surface never(Small);
    Surface erased(Small);
    for (rt::Form *f : {&never.form, &erased.form}) {
        f->setFontSize(points);
        f->setForeColor(White);
        f->setCurrentX(10);
        f->setCurrentY(300);
        f->Print("keep");
    }
    const QImage reference = formPicture(never.window, dpr);

    erased.form.setForeColor(White);
    erased.form.setCurrentX(120.5f);
    erased.form.setCurrentY(330);
    erased.form.Print(text.toStdString());
    QVERIFY2(formPicture(erased.window, dpr) != reference, "the text was not drawn at all");
    erased.form.setForeColor(Board);
    erased.form.setCurrentX(120.5f);
    erased.form.setCurrentY(330);
    erased.form.Print(text.toStdString());
    QCOMPARE(formPicture(erased.window, dpr), reference);
}

void SurfaceTest::numberPrintsWithSignBlank() {
    Surface a(Small);
    Surface b(Small);
    for (rt::Form *f : {&a.form, &b.form}) {
        f->setFontSize(20);
        f->setForeColor(White);
        f->setCurrentX(20);
        f->setCurrentY(320);
    }
    a.form.Print(5.0);
    b.form.Print(" 5");
    QCOMPARE(formPicture(a.window), formPicture(b.window));
}

void SurfaceTest::textLiesBelowShapes() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    form.setFontSize(40);
    form.setForeColor(White);
    form.setCurrentX(100);
    form.setCurrentY(100);
    form.Print("■■");
    const QImage picture = formPicture(shown.window);
    // The red box (100…200) covers the text; its outline and fill are both red.
    QCOMPARE(countColour(picture, QRect(100, 100, 50, 50), bgr(0xFF0000)), 2500);
    QCOMPARE(countColour(picture, QRect(150, 150, 100, 100), bgr(0x0000FF)), 10000);
}

void SurfaceTest::textBelowWindowShowsWhenItGrows() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    form.setHeight(5000); // client 308 px
    form.setFontSize(20);
    form.setForeColor(White);
    form.setCurrentX(10);
    form.setCurrentY(360); // below the window
    form.Print("0");
    QCOMPARE(shown.window.height(), 308);
    shown.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    form.setHeight(6375); // client 400 px
    const QImage picture = screen(shown.window);
    QVERIFY(countColour(picture, QRect(10, 360, 30, 30), bgr(White)) > 20);
}

void SurfaceTest::clsErasesAllText() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    const QImage blank = formPicture(shown.window);
    form.setFontSize(20);
    form.setForeColor(White);
    for (int i = 0; i < 5; ++i) {
        form.setCurrentX(10 + 40 * i);
        form.setCurrentY(320);
        form.Print(double(i));
    }
    form.Cls();
    QCOMPARE(formPicture(shown.window), blank);
    QCOMPARE(form.CurrentX(), 0.0f);
    QCOMPARE(form.CurrentY(), 0.0f);
}

void SurfaceTest::halfPixelsReachTheScreen() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    auto &box = form.control<rt::Shape>("Box", 0);
    box.setTop(300.5f);
    box.setHeight(1.5f);
    QCOMPARE(box.Top(), 300.5f);
    const QImage fine = formPicture(shown.window, 2.0);
    const QColor red = bgr(0xFF0000);
    QVERIFY(fine.pixelColor(200, 600) != red);
    QCOMPARE(fine.pixelColor(200, 601), red);
    QCOMPARE(fine.pixelColor(200, 603), red);
    QVERIFY(fine.pixelColor(200, 604) != red);
}

void SurfaceTest::zOrder() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    auto &box = form.control<rt::Shape>("Box", 0);
    const QPoint overlap(160, 160);
    QCOMPARE(pixel(formPicture(shown.window), overlap.x(), overlap.y()), bgr(0x0000FF));
    box.ZOrder(0);
    QCOMPARE(pixel(formPicture(shown.window), overlap.x(), overlap.y()), bgr(0xFF0000));
    box.ZOrder(1);
    QCOMPARE(pixel(formPicture(shown.window), overlap.x(), overlap.y()), bgr(0x0000FF));
    box.setVisible(false);
    QCOMPARE(pixel(formPicture(shown.window), 110, 110), bgr(Board));
}

void SurfaceTest::controlArrays() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    rt::ControlArray<rt::Shape> boxes(form, "Box");
    auto errorOf = [](const std::function<void()> &f) {
        try {
            f();
        } catch (const rt::RuntimeError &e) {
            return e.number();
        }
        return 0;
    };
    QCOMPARE(errorOf([&] { boxes(1); }), 9);
    QCOMPARE(errorOf([&] { boxes(-1); }), 9);
    boxes.Load(1);
    QCOMPARE(boxes(1).Visible(), false);
    QCOMPARE(boxes(1).Left(), boxes(0).Left());
    QCOMPARE(boxes(1).BackColor(), boxes(0).BackColor());
    QCOMPARE(errorOf([&] { boxes.Load(1); }), 360);
    boxes(1).setTop(10);
    QCOMPARE(boxes(0).Top(), 100.0f);
}

void SurfaceTest::heightInTwips() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    form.setHeight(7965);
    QCOMPARE(form.Height(), 7965);
    QCOMPARE(shown.window.height(), 506);
    QCOMPARE(shown.window.width(), 400);
    form.setHeight(11070);
    QCOMPARE(form.Height(), 11070);
    QCOMPARE(shown.window.height(), 713);
}

void SurfaceTest::checkBoxValueRunsHandler() {
    Surface shown(Small);
    rt::Form &form = shown.form;
    auto &check = form.control<rt::CheckBox>("Check");
    int runs = 0;
    int seen = -1;
    check.setClickHandler([&] {
        ++runs;
        seen = check.Value();
    });
    check.setValue(1);
    QCOMPARE(runs, 1);
    QCOMPARE(seen, 1);
    QVERIFY(qobject_cast<QCheckBox *>(shown.window.widget(check))->isChecked());
    check.setValue(1);
    QCOMPARE(runs, 1);
    check.setValue(0);
    QCOMPARE(runs, 2);
    QCOMPARE(seen, 0);
    QVERIFY(!qobject_cast<QCheckBox *>(shown.window.widget(check))->isChecked());
}

QTEST_MAIN(SurfaceTest)
#include "tst_surface.moc"
