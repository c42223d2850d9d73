#include "lessons/proportion/proportionlesson.h"

#include "lessons/proportion/proportionlayout.h"
#include "lessons/shared/design.h"
#include "lessons/shared/scales.h"

using namespace design;

Form1::Form1()
    : rt::Form(mainWindowDefinition()), Command1(control<rt::CommandButton>("Command1")),
      Command2(control<rt::CommandButton>("Command2")),
      Command5(control<rt::CommandButton>("Command5")),
      Command6(control<rt::CommandButton>("Command6")),
      Command7(control<rt::CommandButton>("Command7")), Command4(*this, "Command4"),
      Check1(control<rt::CheckBox>("Check1")), Check2(control<rt::CheckBox>("Check2")),
      Check3(control<rt::CheckBox>("Check3")), Text1(control<rt::TextBox>("Text1")),
      Combo2(control<rt::ComboBox>("Combo2")), Shape11(control<rt::Shape>("Shape11")),
      Shape9(*this, "Shape9"), Line5(*this, "Line5"), Line10(*this, "Line10"),
      Line11(*this, "Line11"), Line12(*this, "Line12"), Shape12(*this, "Shape12"),
      Label8(control<rt::Label>("Label8")), pace_(Combo2.Text()) {
    Command1.setClickHandler([this] { Command1_Click(); });
    Command2.setClickHandler([this] { rt::start(Command2_Click()); });
    Command5.setClickHandler([this] { Command5_Click(); });
    Command6.setClickHandler([this] { Command6_Click(); });
    Command7.setClickHandler([this] { Command7_Click(); });
    for (rt::Integer i = 0; i <= 1; ++i)
        Command4(i).setClickHandler([this, i] { rt::start(Command4_Click(i)); });
    Check1.setClickHandler([this] { Check1_Click(); });
    Check2.setClickHandler([this] { Check2_Click(); });
    Check3.setClickHandler([this] { Check3_Click(); });
    bindKey(rt::Key::F1, [this] { ShowKeys(); });
    // A new delay sets the pace, and is kept with the lesson.
    Combo2.setChangeHandler([this] {
        pace_.follow(Combo2.Text());
        if (StateChanged) StateChanged();
    });
}

void Form1::Form_Load() {
    setHeight(ShortHeight);
    for (rt::Integer i = 1; i <= Minutes; ++i) {
        Line5.Load(i);
        Line5(i).ZOrder(0);
        Line5(i).setY1(Floor - ScaleSpacing * i);
        Line5(i).setY2(Line5(i).Y1());
        Line5(i).setVisible(true);
        Shape9.Load(i);
        Shape9(i).ZOrder(1);
        Shape9(i).setVisible(true);

        Line10.Load(i);
        Line10(i).setY1(graph::y(graph::LitresPerTick * i));
        Line10(i).setY2(Line10(i).Y1());
        Line10(i).setVisible(true);
        Line11.Load(i);
        Line11(i).setX1(graph::x(i));
        Line11(i).setX2(Line11(i).X1());
        Line11(i).setVisible(true);
        // Segments lie behind the points. Each starts at the point of the minute before it.
        Shape12.Load(i);
        if (i < Minutes) {
            Line12.Load(i);
            Line12(i).ZOrder(1);
            Line12(i).setX1(graph::x(i));
            Line12(i).setY1(graph::y(LitresPerMinute * i));
        }
    }
    Progress = 0;
    Text1.setText("0.00");
    ResetScreen();
}

void Form1::ResetScreen() {
    ++ResetCount;
    setFontSize(14);
    StopRequested = 0;
    Cls();
    setForeColor(rt::QBColor(15));
    printContainerScale(*this);
    printGraphScale(*this);
    for (rt::Integer i = 0; i <= Minutes; ++i) {
        Shape9(i).setHeight(0);
        Shape9(i).setTop(Floor);
        if (i > 0) Shape12(i).setVisible(false);
        if (i < Minutes) Line12(i).setVisible(false);
    }
    Label8.setVisible(false);
    Shape11.setHeight(0);
    Command4(0).setEnabled(true);
    Command4(1).setEnabled(false);
    Command5.setEnabled(false);
    Command2.setEnabled(true);
    setFontSize(20);
    setCurrentX(TableX);
    setCurrentY(MinutesRowY);
    Print("0");
    setCurrentX(TableX);
    setCurrentY(LitresRowY);
    Print("0");
    AnnounceState();
}

void Form1::AnnounceState() {
    // The picture, then the pairs of the table, which holds every minute up to the one shown,
    // and, while it is open, the points of the graph.
    const int minutes = Progress / 2;
    std::string pairs;
    std::string points;
    for (int m = 0; m <= minutes; ++m) {
        const std::string x = std::to_string(m), y = std::to_string(5 * m);
        if (m > 0) {
            pairs += "、";
            points += "、";
        }
        pairs += x + " 分 " + y + " L";
        points += "(" + x + ", " + y + ")";
    }
    const std::string litres = std::to_string(5 * minutes);
    std::string text = std::to_string(minutes) + " 分後、水は " + litres + " L。表: " + pairs;
    if (Check3.Value() == 1) {
        text += "。グラフの点: " + points;
        if (Label8.Visible()) text += "。" + Label8.Caption();
    }
    setStatusText(text, std::to_string(minutes) + " 分後、" + litres + " L");
    if (StateChanged) StateChanged();
}

Form1::BusyScope::BusyScope(Form1 &form) : form_(form) {
    if (form_.Busy++ == 0) form_.Command7.setEnabled(false);
}

Form1::BusyScope::~BusyScope() {
    if (--form_.Busy == 0) form_.Command7.setEnabled(true);
}

void Form1::ShowKeys() {
    static constexpr rt::NoteRow rows[] = {
        {"Page Down または →", "進む"},
        {"Page Up または ←", "戻る"},
        {"F5", "自動"},
        {"Esc、B または .", "停止"},
        {"Home", "初期画面"},
        {"H", "Hint (色分け)"},
        {"T", "表"},
        {"G", "グラフ"},
        {"F2", "反比例へ"},
        {"Ctrl + + / Ctrl + -", "拡大 / 縮小"},
        {"Ctrl + 0", "元の大きさ"},
        {"F11", "全画面 / 元の画面"},
        {"F1", "この一覧"},
    };
    showNote("キー操作", rows);
}
