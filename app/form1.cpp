#include "app/form1.h"

#include "app/layout.h"

namespace {

constexpr int ShortHeight = 7965;  // twips: the table lies below the window
constexpr int Copies = 12;         // run-time scale marks and water layers
constexpr float Floor = 460;       // the container's bottom line
constexpr float ScaleSpacing = 30; // pixels per minute
constexpr float LabelLift = 8;     // scale label top above its mark
constexpr float TableX = 130;      // the table's first column
constexpr float MinutesRowY = 560;
constexpr float LitresRowY = 615;

} // namespace

Form1::Form1(QWidget *parent)
    : rt::Form(mainWindowDefinition(), parent), Command1(control<rt::CommandButton>(u"Command1")),
      Command2(control<rt::CommandButton>(u"Command2")),
      Command5(control<rt::CommandButton>(u"Command5")),
      Command6(control<rt::CommandButton>(u"Command6")),
      Command4(*this, QStringLiteral("Command4")), Check1(control<rt::CheckBox>(u"Check1")),
      Check2(control<rt::CheckBox>(u"Check2")), Text1(control<rt::TextBox>(u"Text1")),
      Combo2(control<rt::ComboBox>(u"Combo2")), Shape11(control<rt::Shape>(u"Shape11")),
      Shape9(*this, QStringLiteral("Shape9")), Line5(*this, QStringLiteral("Line5")) {
    Command1.setClickHandler([this] { Command1_Click(); });
    Command2.setClickHandler([this] { Command2_Click(); });
    Command5.setClickHandler([this] { Command5_Click(); });
    Command6.setClickHandler([this] { Command6_Click(); });
    for (rt::Integer i = 0; i <= 1; ++i)
        Command4(i).setClickHandler([this, i] { Command4_Click(i); });
    Check1.setClickHandler([this] { Check1_Click(); });
    Check2.setClickHandler([this] { Check2_Click(); });
    bindKey(Qt::Key_F1, [this] { ShowKeys(); });
}

void Form1::Form_Load() {
    setHeight(ShortHeight);
    for (rt::Integer i = 1; i <= Copies; ++i) {
        Line5.Load(i);
        Line5(i).ZOrder(0);
        Line5(i).setY1(Floor - ScaleSpacing * i);
        Line5(i).setY2(Line5(i).Y1());
        Line5(i).setVisible(true);
        Shape9.Load(i);
        Shape9(i).ZOrder(1);
        Shape9(i).setVisible(true);
    }
    Progress = 0;
    Text1.setText(QStringLiteral("0.00"));
    ResetScreen();
}

void Form1::ResetScreen() {
    ++ResetCount;
    setFontSize(14);
    StopRequested = 0;
    Cls();
    setForeColor(rt::QBColor(15));
    for (rt::Integer i = 0; i <= Copies; ++i) {
        setCurrentX(i < 2 ? 510 : 498); // one-digit labels stand further right
        setCurrentY(Line5(i).Y1() - LabelLift);
        Print(5.0 * i);
    }
    for (rt::Integer i = 0; i <= Copies; ++i) {
        Shape9(i).setHeight(0);
        Shape9(i).setTop(Floor);
    }
    Shape11.setHeight(0);
    Command4(0).setEnabled(true);
    Command4(1).setEnabled(false);
    Command5.setEnabled(false);
    Command2.setEnabled(true);
    setFontSize(20);
    setCurrentX(TableX);
    setCurrentY(MinutesRowY);
    Print(QStringLiteral("0"));
    setCurrentX(TableX);
    setCurrentY(LitresRowY);
    Print(QStringLiteral("0"));
    AnnounceState();
}

void Form1::AnnounceState() {
    const int minutes = Progress / 2;
    setStatusText(QStringLiteral("%1 分後、水は %2 L").arg(minutes).arg(5 * minutes));
}

void Form1::ShowKeys() {
    struct Row {
        const char *keys;
        const char *does;
    };
    static constexpr Row rows[] = {
        {"Page Down または →", "進む"},
        {"Page Up または ←", "戻る"},
        {"F5", "自動"},
        {"Esc、B または .", "停止"},
        {"Home", "初期画面"},
        {"H", "Hint (色分け)"},
        {"T", "表"},
        {"Ctrl + + / Ctrl + -", "拡大 / 縮小"},
        {"Ctrl + 0", "元の大きさ"},
        {"F11", "全画面 / 元の画面"},
        {"F1", "この一覧"},
    };
    QString table = QStringLiteral("<table cellspacing=\"6\">");
    for (const Row &row : rows)
        table += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                     .arg(QString::fromUtf8(row.keys), QString::fromUtf8(row.does));
    showNote(QStringLiteral("キー操作"), table + QStringLiteral("</table>"));
}
