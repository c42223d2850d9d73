// Input: the page translates what the user does into the program's input records. Which key
// does what is the program's answer, asked while the key is down; the page only names the
// key, the modifiers, the kind of control with the focus and whether the user is editing it.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const stage = P.$("stage");

  // Pressed look for touch too, where :active is unreliable.
  P.pressable = (el) => {
    el.addEventListener("pointerdown", (e) => { if (e.button === 0) el.classList.add("down"); });
    for (const t of ["pointerup", "pointercancel", "pointerleave"])
      el.addEventListener(t, () => el.classList.remove("down"));
  };

  // A control's own events: typing, and the pressed look.
  P.watch = (c) => {
    if (c.el.tagName === "BUTTON") return P.pressable(c.el);
    if (c.el.type !== "text") return;
    const el = c.el;
    const typed = () => P.send("text", c.handle, { text: el.value });
    el.addEventListener("focus", () => { c.typed = false; });
    el.addEventListener("input", (e) => {
      c.typed = true;
      if (c.refit) c.refit();
      if (!e.isComposing) typed();
    });
    el.addEventListener("compositionend", typed);
    // A press on the frame edits, as on the desktop.
    c.box.addEventListener("mousedown", (e) => {
      if (e.target === c.box && !el.disabled) {
        e.preventDefault();
        el.focus();
      }
    });
  };

  function keyOf(e) {
    const names = P.defs.key, name = e.key.length === 1 ? e.key.toLowerCase() : e.key;
    if (Object.prototype.hasOwnProperty.call(names, name) && name !== "text" && name !== "none")
      return names[name];
    return [...e.key].length === 1 ? names.text : names.none;
  }

  function onKey(e) {
    if (P.ended || e.isComposing || e.keyCode === 229) return;
    const d = P.defs, m = d.modifier;
    const mods = (e.shiftKey ? m.shift : 0) | (e.ctrlKey ? m.ctrl : 0) |
      (e.altKey ? m.alt : 0) | (e.metaKey ? m.meta : 0);
    const c = P.owner(document.activeElement);
    const where = !c ? d.focus.board : c.open ? d.focus.list : c.focusKind;
    const editing = !!(c && c.typed);
    const key = keyOf(e);
    const take = P.program ? P.program.route(key, mods, where, editing ? 1 : 0) : 0;
    if (!take) return;
    e.preventDefault();
    if (take === 1) return;
    if (c && c.closeList) c.closeList();
    P.send("key", -1, { value: key, modifiers: mods, where, editing });
  }

  document.addEventListener("focusin", () => {
    const active = document.activeElement, c = P.owner(active);
    if (c && active === c.el) P.send("focus", c.handle);
    else if (active === stage) P.send("focus", -1);
  });
  window.addEventListener("keydown", onKey, true);
})();
