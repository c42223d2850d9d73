// One window, two forms: a click or a key puts the other form in the window, which keeps its
// place, zoom and full screen, and each form comes back as it was left.

#include "probes.h"
#include "runtime/core/checkbox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/textbox.h"
#include "runtime/qt/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <array>

namespace {

using rt::ControlKind;

constexpr rt::Colour GreenBoard = 0x008000;
constexpr rt::Colour BlueBoard = 0x800000;

// Boxes in twips, 15 to the pixel.
constexpr std::array<rt::ControlDef, 2> FirstControls = {{
    {.name = "Next",
     .kind = ControlKind::CommandButton,
     .twips = {150, 150, 1500, 450},
     .caption = "Next",
     .tabIndex = 0},
    {.name = "Box", .kind = ControlKind::TextBox, .twips = {150, 900, 1500, 450}, .tabIndex = 1},
}};
constexpr std::array<rt::ControlDef, 2> SecondControls = {{
    {.name = "Back",
     .kind = ControlKind::CommandButton,
     .twips = {150, 150, 1500, 450},
     .caption = "Back",
     .tabIndex = 0},
    {.name = "Tick",
     .kind = ControlKind::CheckBox,
     .twips = {150, 900, 1500, 450},
     .back = BlueBoard,
     .caption = "Tick",
     .tabIndex = 1,
     .startFocus = true},
}};
constexpr std::array<rt::KeyDef, 1> FirstKeys = {{{rt::Key::F2, "Next", -1, true}}};
constexpr std::array<rt::KeyDef, 1> SecondKeys = {{{rt::Key::F2, "Back", -1, true}}};

constexpr rt::FormDef First = {.name = "First",
                               .caption = "First form",
                               .clientWidthTwips = 6000,
                               .clientHeightTwips = 4500,
                               .back = GreenBoard,
                               .fore = 0xFFFFFF,
                               .fontFamily = "sans-serif",
                               .font = {12, false},
                               .controls = FirstControls,
                               .keys = FirstKeys};
constexpr rt::FormDef Second = {.name = "Second",
                                .caption = "Second form",
                                .clientWidthTwips = 9000,
                                .clientHeightTwips = 3750,
                                .back = BlueBoard,
                                .fore = 0xFFFFFF,
                                .fontFamily = "sans-serif",
                                .font = {12, false},
                                .controls = SecondControls,
                                .keys = SecondKeys};

// The two forms in one window, the first shown. Each switch runs inside the click or key that
// asks for it.
struct TwoForms {
    rt::Form first{First};
    rt::Form second{Second};
    rt::qt::Window window{first};

    TwoForms() {
        first.control<rt::CommandButton>("Next").setClickHandler([this] {
            rt::showForm(second);
        });
        second.control<rt::CommandButton>("Back").setClickHandler([this] {
            rt::showForm(first);
        });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qWarning("the window did not become active");
    }

    QWidget *widget(const char *name) const { return window.findChild<QWidget *>(name); }
    void click(const char *name) const {
        QWidget *w = widget(name);
        QVERIFY(w);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
    }
    void key(Qt::Key k) const { QTest::keyClick(QApplication::focusWidget(), k); }
};

// The window shows `form` and nothing of the other: its caption and names, only its widgets
// once the old ones are deleted, and the presented pixels those of a fresh full drawing.
void checkShows(rt::qt::Window &window, const rt::FormDef &shown, const rt::FormDef &other) {
    QCOMPARE(&window.form().definition(), &shown);
    QCOMPARE(window.windowTitle(), QString::fromUtf8(shown.caption));
    QCOMPARE(window.accessibleName(), QString::fromUtf8(shown.caption));
    for (const rt::ControlDef &c : other.controls)
        QTRY_VERIFY2(!window.findChild<QWidget *>(QString::fromUtf8(c.name)), c.name.data());
    for (const rt::ControlDef &c : shown.controls) {
        QWidget *w = window.findChild<QWidget *>(QString::fromUtf8(c.name));
        QVERIFY2(w && w->isVisible(), c.name.data());
    }
    const QImage picture = presented(window);
    QCOMPARE(presentedDiffers(window), QRect());
    // A corner of the board, clear of the controls.
    const QPoint corner =
        QPoint(window.width() - 4, window.height() - 4) * window.devicePixelRatioF();
    QCOMPARE(picture.pixelColor(corner), bgr(shown.back));
}

QSize clientAt(const rt::FormDef &def, double zoom) {
    return QSize(int(def.clientWidthTwips / 15 * zoom), int(def.clientHeightTwips / 15 * zoom));
}

} // namespace

class FormSwitchTest : public QObject {
    Q_OBJECT

private slots:
    void windowStaysAsItWas_data();
    void windowStaysAsItWas();
    void eachFormComesBackAsItWasLeft();
};

void FormSwitchTest::windowStaysAsItWas_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("at 100 %") << 1.0 << false;
    QTest::newRow("at 150 %") << 1.5 << false;
    QTest::newRow("full screen") << 1.0 << true;
}

void FormSwitchTest::windowStaysAsItWas() {
    QFETCH(double, zoom);
    QFETCH(bool, fullScreen);
    TwoForms forms;
    rt::qt::Window &w = forms.window;
    w.move(120, 90);
    w.setZoom(zoom);
    if (fullScreen) {
        w.toggleFullScreen();
        QTRY_VERIFY(w.isFullScreen());
    }
    // Full screen, the window covers its screen whatever the form.
    const QRect place = fullScreen ? w.screen()->geometry() : QRect(w.pos(), QSize());
    const auto at = [&w] {
        return QRect(w.isFullScreen() ? w.geometry().topLeft() : w.pos(), w.size());
    };

    const auto where = [&](const rt::FormDef &shown) {
        return fullScreen ? place : QRect(place.topLeft(), clientAt(shown, zoom));
    };

    forms.click("Next");
    checkShows(w, Second, First);
    QCOMPARE(w.isFullScreen(), fullScreen);
    QCOMPARE(at(), where(Second));
    QCOMPARE(w.zoom(), zoom);

    forms.key(Qt::Key_F2);
    checkShows(w, First, Second);
    QCOMPARE(w.isFullScreen(), fullScreen);
    QCOMPARE(at(), where(First));
    QCOMPARE(w.zoom(), zoom);
}

void FormSwitchTest::eachFormComesBackAsItWasLeft() {
    TwoForms forms;
    rt::qt::Window &w = forms.window;
    // The first form's start focus is its first control; the pupil moves it to the box, types
    // into it, and the form prints on its board.
    QCOMPARE(QApplication::focusWidget(), forms.widget("Next"));
    forms.click("Box");
    QTest::keyClicks(forms.widget("Box"), QStringLiteral("12"));
    forms.first.setCurrentX(20);
    forms.first.setCurrentY(150);
    forms.first.Print("printed");
    const QRect printed(20, 150, 60, 20);
    QVERIFY(anyOtherThan(presented(w), printed, bgr(GreenBoard)));

    // A key from inside the box: the second form takes its own start focus, and its controls
    // take real clicks and keys.
    forms.key(Qt::Key_F2);
    checkShows(w, Second, First);
    QCOMPARE(QApplication::focusWidget(), forms.widget("Tick"));
    forms.click("Tick");
    QCOMPARE(forms.second.control<rt::CheckBox>("Tick").Value(), 1);
    forms.key(Qt::Key_Space);
    QCOMPARE(forms.second.control<rt::CheckBox>("Tick").Value(), 0);
    forms.key(Qt::Key_Space);

    // Back: the box's text, the focus in it and the printed text are the first form's still.
    forms.key(Qt::Key_F2);
    checkShows(w, First, Second);
    QCOMPARE(qobject_cast<QLineEdit *>(forms.widget("Box"))->text(), QStringLiteral("12"));
    QCOMPARE(forms.first.control<rt::TextBox>("Box").Text(), "12");
    QCOMPARE(QApplication::focusWidget(), forms.widget("Box"));
    QVERIFY(anyOtherThan(presented(w), printed, bgr(GreenBoard)));

    // And the second form again, still ticked, the focus where it was.
    forms.click("Next");
    checkShows(w, Second, First);
    QCOMPARE(forms.second.control<rt::CheckBox>("Tick").Value(), 1);
    QVERIFY(qobject_cast<QAbstractButton *>(forms.widget("Tick"))->isChecked());
    QCOMPARE(QApplication::focusWidget(), forms.widget("Tick"));
}

QTEST_MAIN(FormSwitchTest)
#include "tst_formswitch.moc"
