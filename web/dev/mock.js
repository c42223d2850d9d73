// Stands in for the compiled lesson: the controls of the main window, a few drawings, and every
// queued event logged (window.log) so a headless browser can read them back.
"use strict";
(async () => {
  const P = globalThis.lessonPage;
  const f = (px, bold) => ({ px, bold });
  const B = "#008000";
  const list = [
    ["Command6", "button", [40, 56, 89, 33], "初期画面", "#ffff80", f(16, false), 9],
    ["Command2", "button", [576, 144, 129, 33], "自　動", "#ff8000", f(19, true), 2],
    ["Command5", "button", [632, 184, 73, 33], "停止", "#ffc080", f(16, true), 8],
    ["Command4_1", "button", [576, 264, 57, 33], "戻る", "#c0ffff", f(19, true), 7],
    ["Command4_0", "button", [648, 264, 57, 33], "進む", "#c0ffff", f(19, true), 3],
    ["Command1", "button", [688, 448, 105, 33], "終了", "#8080ff", f(19, true), 1],
    ["Check1", "check", [584, 352, 97, 25], "Hint", B, f(19, true), 14],
    ["Check2", "check", [584, 392, 121, 41], "表", B, f(19, true), 12],
    ["Check3", "check", [584, 440, 97, 25], "グラフ", B, f(19, true), 13],
    ["Text1", "text", [576, 40, 161, 73], "12.00", "#ffffff", f(64, true), 5],
    ["Combo2", "combo", [720, 195, 49, 21], "20", "#ffffff", f(13, false), 4],
  ];
  window.log = [];
  P.init({ caption: "量の変化と比例，反比例　　by Quorvel", width: 810, height: 506, back: B });
  for (const [id, kind, box, caption, back, font, tabIndex] of list)
    P.createControl({ id, kind, box, caption, back, font, tabIndex,
      fore: kind === "check" ? "#ffffff" : "#000000", name: caption.replace("　", ""),
      description: id + " の説明", list: kind === "combo" ? [" 1", " 5", "10", "20", "50", "100"] : [],
      startFocus: id === "Command4_0" });
  P.set("Command5", "enabled", false);
  P.set("Check2", "value", 1);
  const draw = () => {
    const s = P.scale();
    P.beginPaint();
    P.fill(0, 0, 2000 * s, 2000 * s, B);
    P.fill(8 * s, 8 * s, 197 * s, 29 * s, "#0000c0");
    P.text("空の容器に水を", 10 * s, 33 * s, 29 * s, false, "#ffffff", 0, 0, 0, 0);
    P.fill(152 * s, 250 * s, 344 * s, 210 * s, "#00ffff");
    P.fill(150 * s, 100 * s, 5 * s, 362 * s, "#ffc080");
    P.text("分後", 744 * s, 108 * s, 24 * s, false, "#ffffff", 0, 0, 0, 0);
    P.text("（１秒ごと）", 648 * s, 228 * s, 12 * s, false, "#ffffff", 0, 0, 0, 0);
    P.endPaint();
  };
  draw();
  for (;;) {
    await P.waitForEvent(1000);
    if (P.repaintNeeded()) draw();
    for (let e; (e = P.takeEvent()); ) {
      window.log.push(e);
      console.log(JSON.stringify(e));
      if (e.type === "click" && e.id === "Command1") P.end();
      if (e.type === "key" && e.key === "F1") P.showNote("キー", [["PageDown", "進む"], ["F1", "この一覧"]]);
    }
  }
})();
