// The bridge between the compiled program and the page. The program calls only the entry
// points below, from runtime/web/page.cpp; the other scripts fill them in. All the page's
// scripts share the one namespace globalThis.lessonPage, loaded in order: bridge, board, fit,
// controls, list, input.
//
//   C++ (rt::web::page)                        JavaScript (lessonPage.…)
//   init(form)                                 define(group, name, value) for every definition
//                                              the page shares with the runtime,
//                                              palette(colour, css) for every system colour,
//                                              then init(caption, width, height, back, areas):
//                                              areas [[x, y, w, h], …] an upright screen
//                                              stacks, the board first
//                                              (again for another form: no definitions)
//   removeControls()                           removeControls(): every control, the ring and
//                                              the note go, and the queued input that names
//                                              a control; keys stay queued
//   createControl(control)                     createControl(handle, kind, focusKind,
//                                              [x, y, w, h], fontPx, bold, tabIndex, id,
//                                              name, description, group, heading, toggle),
//                                              addEntry(handle, text)
//   apply(handle, changed, look)               apply(handle, changed, text, back, fore, value,
//                                              enabled, visible, focused, pressed)
//   focus(handle)                              focus(handle)
//   resize(width, height)                      resize(width, height)
//   scale() -> double                          scale() -> device px per form px
//   repaintNeeded() -> bool                    repaintNeeded() -> boolean
//   beginPaint(clip), endPaint()               beginPaint(x, y, w, h), endPaint()
//   fill(pixels, colour)                       fill(x, y, w, h, colour)
//   text(text, x, y, pixelSize, bold,          text(text, x, y, size, bold, colour,
//        colour, clip)                              clipX, clipY, clipW, clipH)
//   measure(text, pixelSize, bold)             measure(text, size, bold) -> {width, ascent,
//                                              height}
//   wakeAt(ms)                                 wakeAt(ms): program.wake() once
//                                              performance.now() reaches ms; none at -1
//   later()                                    later(): program.later() once the page has had
//                                              the thread
//   takeInput() -> optional<Input>             peekInput() -> record or null, shiftInput()
//   setStatus(text, announcement)              setStatus(text, announcement)
//   beginNote(title), noteRow(keys, does)      beginNote(title), noteRow(keys, does)
//   end()                                      end()
//   query() -> std::string                     query() -> location.search
//   replaceQuery(query)                        replaceQuery(query): the address in place
//   reportError(title, text)                   reportError(title, text)
//   keep(record)                               keep(record): into the tab's sessionStorage
//   kept() -> std::string                      kept() -> what keep() put there, or ""
//
// The page calls the program only from its own event loop, through lessonPage.program (set at
// init): wake() when the alarm rings, pump() when input was queued, later() for each later(),
// route(key, modifiers, where, editing) while a key is down: 0 leaves it to the browser, 1
// takes it, 2 takes it and queues it.
//
// Colours are numbers, 0x00BBGGRR, or a system colour of the palette. An input record is
// {type, control, value, modifiers, where, editing, text}, the fields of rt::Input.
"use strict";
(() => {
  const P = (globalThis.lessonPage = {});
  const $ = (P.$ = (id) => document.getElementById(id));
  P.make = (tag, cls) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    return e;
  };
  P.px = (v) => v + "px";
  P.FONTS = '"IPAPGothic", "Noto Sans CJK JP", "Yu Gothic", "Meiryo", "MS PGothic", ' +
    '"Hiragino Sans", "Hiragino Kaku Gothic ProN", sans-serif';
  P.ended = false;

  // The runtime's definitions: input types, focus kinds, control kinds, key names, modifier
  // bits, what the page does with each key outcome, the controls' measurements, and the
  // words the page shows of its own (defs.word).
  const defs = (P.defs = {});
  P.define = (group, name, value) => {
    (defs[group] || (defs[group] = {}))[name] = value;
  };

  const palette = new Map(), colours = new Map();
  P.palette = (colour, css) => palette.set(colour, css);
  P.colour = (n) => {
    let css = colours.get(n);
    if (css === undefined) {
      css = palette.get(n) ||
        "#" + [n & 0xff, (n >> 8) & 0xff, (n >> 16) & 0xff]
          .map((v) => v.toString(16).padStart(2, "0")).join("");
      colours.set(n, css);
    }
    return css;
  };

  // A macrotask that does not wait for the 4 ms timer clamp.
  const soon = [];
  const channel = new MessageChannel();
  channel.port1.onmessage = () => soon.shift()();
  const yieldNow = (f) => {
    soon.push(f);
    channel.port2.postMessage(0);
  };

  // The user's input, oldest first, until the program takes it: handed over as soon as the
  // event that queued it is over, never from inside a call of the program's.
  const inputs = (P.inputs = []);
  let pumping = false;
  P.send = (type, control, fields) => {
    if (P.ended) return;
    inputs.push(Object.assign({ type: defs.input[type], control, value: 0, modifiers: 0,
      where: 0, editing: false, text: "" }, fields));
    if (pumping) return;
    pumping = true;
    queueMicrotask(() => {
      pumping = false;
      if (P.program && !P.ended) P.program.pump();
    });
  };
  P.peekInput = () => inputs[0] || null;
  P.shiftInput = () => inputs.shift();

  // The program's alarm: one at a time, each call in place of the one before. Timers count
  // whole milliseconds and fire some tenths of one late. Waking the program any time within
  // the millisecond its pause ends keeps frames from drifting: the timer aims as early as
  // timers have lately been late, and a fifth of a millisecond more; short yields wait out
  // what is left when it rings too soon, without calling the program.
  let alarm = 0, rings = 0, late = 0.3;
  P.wakeAt = (at) => {
    clearTimeout(alarm);
    const ring = ++rings;
    if (at < 0 || P.ended) return;
    const check = () => {
      if (ring !== rings || P.ended) return;
      const now = performance.now(), left = at - now;
      if (left > late + 0.2) {
        const ms = Math.ceil(left - late - 0.2), due = now + ms;
        alarm = setTimeout(() => {
          late += (Math.min(1, Math.max(0, performance.now() - due)) - late) / 8;
          check();
        }, ms);
      } else if (left > 0) yieldNow(check);
      else P.program.wake();
    };
    check();
  };
  P.later = () => yieldNow(() => {
    if (!P.ended) P.program.later();
  });
  // The page changed under the board: the program draws it again at once.
  P.refresh = () => yieldNow(() => {
    if (P.program && !P.ended) P.program.wake();
  });

  // The whole state is the board's description, read on demand; the live region says only
  // what changed.
  P.setStatus = (text, announcement) => {
    $("state").textContent = text;
    $("status").textContent = announcement;
  };

  // The key list: beside the lesson, which keeps the focus and the keys.
  P.beginNote = (title) => {
    let note = $("note");
    if (!note) {
      note = P.make("div");
      note.id = "note";
      note.setAttribute("role", "dialog");
      note.setAttribute("aria-labelledby", "note-title");
      document.body.append(note);
    }
    const h = P.make("h2"), table = P.make("table"), close = P.make("button");
    h.id = "note-title";
    h.textContent = title;
    close.type = "button";
    close.textContent = defs.word.close;
    close.addEventListener("click", () => {
      note.hidden = true;
      P.focus(P.focused); // keys go on reaching the lesson
    });
    note.replaceChildren(h, table, close);
    note.hidden = false;
  };
  P.noteRow = (keys, does) => {
    const tr = $("note").querySelector("table").insertRow();
    tr.insertCell().textContent = keys;
    tr.insertCell().textContent = does;
  };

  // The program's arguments live in the address's query: a bookmark opens the same lesson.
  P.query = () => location.search;
  P.replaceQuery = (query) => {
    try {
      history.replaceState(history.state, "", location.pathname + query + location.hash);
    } catch (e) {
      // A page opened from disk may not change its address; the lesson goes on all the same.
    }
  };

  // The lesson's record for this tab alone, which a reload or a discarded tab finds again and
  // a new tab does not. Storage may be refused (private modes, pages from disk, a full quota):
  // the lesson goes on all the same. The program checks what comes back.
  const KEPT = "water-proportion";
  P.keep = (record) => {
    try {
      sessionStorage.setItem(KEPT, record);
    } catch (e) {
      // Nothing kept: a reload starts at the initial screen.
    }
  };
  P.kept = () => {
    try {
      const r = sessionStorage.getItem(KEPT);
      return typeof r === "string" && r.length <= 4096 ? r : "";
    } catch (e) {
      return "";
    }
  };

  P.reportError = (title, text) => {
    console.error(text);
    P.beginNote(title);
    P.noteRow(text, "");
  };

  P.end = () => {
    for (const c of P.controls.values()) P.enable(c, false);
    P.ended = true;
    inputs.length = 0;
    P.wakeAt(-1);
    const over = P.make("div"), panel = P.make("div"), p = P.make("p"), again = P.make("button");
    over.id = "over";
    panel.setAttribute("role", "alertdialog");
    panel.setAttribute("aria-labelledby", "over-text");
    p.id = "over-text";
    p.textContent = defs.word.ended;
    again.type = "button";
    again.textContent = defs.word.again;
    again.addEventListener("click", () => location.reload());
    panel.append(p, again);
    over.append(panel);
    document.body.append(over);
    again.focus();
  };
})();
