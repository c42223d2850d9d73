// The page side of the lesson: the board canvas, native controls over it and the input queue
// that the compiled lesson reads through globalThis.lessonPage.
"use strict";
(() => {
  const FONTS = '"IPAPGothic", "Noto Sans CJK JP", "Yu Gothic", "Meiryo", "MS PGothic", ' +
    '"Hiragino Sans", "Hiragino Kaku Gothic ProN", sans-serif';
  const LESSON_KEYS = new Set(["PageDown", "PageUp", "ArrowRight", "ArrowLeft", "F5", "Escape",
    "b", ".", "Home", "h", "t", "g", "F1"]);
  // Presentation remotes send these; they reach the lesson wherever the focus is.
  const REMOTE = new Set(["PageDown", "PageUp", "F5", "Escape", "b", "."]);
  const CONDENSED = 0.85; // the time box's figures are narrowed, as on the desktop
  const RING = 6; // focus ring width in form px

  const $ = (id) => document.getElementById(id);
  const make = (tag, cls) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    return e;
  };
  const stage = $("stage"), board = $("board"), ring = $("ring"), status = $("status");
  const ctx = board.getContext("2d");
  const measure = make("canvas").getContext("2d");
  const descriptions = make("div");
  descriptions.hidden = true;
  document.body.append(descriptions);
  const fixedScale = (() => {
    const v = parseFloat(new URLSearchParams(location.search).get("scale"));
    return v > 0 && isFinite(v) ? v : 0;
  })();

  let W = 810, H = 506;
  let css = 1, dpr = 1; // CSS px per form px; device px per CSS px
  let repaint = false, drawn = false, ended = false, focusTimer = 0;
  let parked = null; // the control that handed the focus to the board on being disabled
  let ringOwner = null;
  const controls = new Map();
  const events = [];
  const waiters = new Set();

  // Edges on whole device pixels keep bevels and text sharp.
  const snap = (v) => Math.round(v * dpr) / dpr;
  const px = (v) => v + "px";

  function wake() {
    for (const w of [...waiters]) w();
  }

  function queue(ev) {
    if (ended) return;
    events.push(ev);
    wake();
  }

  // A macrotask that does not wait for the 4 ms timer clamp.
  const soon = [];
  const channel = new MessageChannel();
  channel.port1.onmessage = () => soon.shift()();
  const yieldNow = (f) => {
    soon.push(f);
    channel.port2.postMessage(0);
  };

  function fit() {
    dpr = window.devicePixelRatio || 1;
    const vw = document.documentElement.clientWidth, vh = document.documentElement.clientHeight;
    const s = fixedScale || Math.max(0.05, Math.min(vw / W, vh / H));
    const bw = Math.max(1, Math.round(W * s * dpr)), bh = Math.max(1, Math.round(H * s * dpr));
    const left = fixedScale ? 0 : Math.max(0, snap((vw - bw / dpr) / 2));
    const top = fixedScale ? 0 : Math.max(0, snap((vh - bh / dpr) / 2));
    Object.assign(stage.style, { left: px(left), top: px(top), width: px(bw / dpr), height: px(bh / dpr) });
    Object.assign(board.style, { width: px(bw / dpr), height: px(bh / dpr) });
    document.body.classList.toggle("fixed", !!fixedScale);
    if (board.width !== bw || board.height !== bh || s !== css) {
      board.width = bw;
      board.height = bh;
      css = s;
      repaint = true;
      wake();
    }
    for (const c of controls.values()) place(c);
    ringAround(ringOwner);
  }

  // Browser zoom and moving to another screen change the device pixel ratio.
  function watchRatio() {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
      .addEventListener("change", () => { fit(); watchRatio(); }, { once: true });
  }

  // The control's box in CSS px of the stage.
  function rect(c) {
    const [l, t, w, h] = c.def.box;
    const x = snap(l * css), y = snap(t * css);
    return { x, y, w: snap((l + w) * css) - x, h: snap((t + h) * css) - y };
  }

  function place(c) {
    const r = rect(c), st = c.box.style;
    Object.assign(st, { left: px(r.x), top: px(r.y), width: px(r.w), height: px(r.h) });
    c.fontPx = (c.def.font?.px || 19) * css;
    st.fontSize = px(c.fontPx);
    st.fontWeight = c.def.font?.bold ? "bold" : "normal";
    if (c.kind === "check") {
      const size = Math.max(8, Math.round(14 * css));
      Object.assign(c.el.style, { width: px(size), height: px(size), marginRight: px(Math.round(6 * css)) });
    } else if (c.kind === "text") {
      fitText(c);
    } else if (c.kind === "combo") {
      const arrow = Math.max(10, Math.round(15 * css));
      Object.assign(c.btn.style, { width: px(arrow) });
      // iPads zoom into a field whose font is under 16 px: draw a larger font scaled down.
      const pad = Math.max(1, Math.round(c.fontPx / 16)), size = Math.max(16, c.fontPx);
      const k = c.fontPx / size;
      Object.assign(c.el.style, { left: px(2 + pad), width: px(Math.max(1, r.w - 2 - pad - arrow) / k),
        fontSize: px(size), transform: `scale(${k})` });
      if (c.open) openList(c);
    }
  }

  // The time box never scrolls: its text is condensed, and squeezed further when too wide.
  function fitText(c) {
    const r = rect(c), f = c.fontPx;
    const left = 2 + Math.max(1, Math.round(f / 64)) + 1;
    const room = Math.max(1, r.w - 2 * left);
    // Bold as the desktop makes it: plain outlines stroked a twenty-fourth of the em wide.
    const pen = c.def.font?.bold ? f / 24 : 0;
    measure.font = `${f}px ${FONTS}`;
    const natural = measure.measureText(c.el.value).width + pen + Math.max(2, f / 32);
    const width = Math.max(room / CONDENSED, natural);
    // The time changes every other frame, mostly within the same width: only a new fit is
    // written, and the box is put back to its start only when it may have scrolled.
    const fit = [left, width, room / width, pen].join();
    if (fit === c.fit) return;
    c.fit = fit;
    Object.assign(c.el.style, { left: px(left), width: px(width), transform: `scaleX(${room / width})`,
      fontWeight: "normal", webkitTextStrokeWidth: px(pen) });
    c.el.scrollLeft = 0;
  }

  function ringAround(c) {
    if (ringOwner) ringOwner.box.classList.remove("focus");
    ringOwner = c;
    if (!c || c.box.hidden) {
      ring.hidden = true;
      return;
    }
    c.box.classList.add("focus");
    const r = rect(c), w = Math.round(RING * css), edge = Math.max(1, Math.floor(w / 3));
    Object.assign(ring.style, { left: px(r.x - w), top: px(r.y - w), width: px(r.w + 2 * w),
      height: px(r.h + 2 * w), borderWidth: px(w - edge), boxShadow: `inset 0 0 0 ${edge}px #000` });
    ring.hidden = false;
  }

  const owner = (node) => {
    for (const c of controls.values()) if (node && c.box.contains(node)) return c;
    return null;
  };

  function toBoard() {
    stage.focus({ preventScroll: true });
  }

  // Pressed look for touch too, where :active is unreliable.
  function pressable(el) {
    el.addEventListener("pointerdown", (e) => { if (e.button === 0) el.classList.add("down"); });
    for (const t of ["pointerup", "pointercancel", "pointerleave"])
      el.addEventListener(t, () => el.classList.remove("down"));
  }

  // The combo box's list: the focus stays in its input, the entries are pointed at.
  function makeList(c) {
    const id = c.def.id, ul = make("ul", "list"), btn = make("button");
    ul.id = id + "-list";
    ul.setAttribute("role", "listbox");
    ul.setAttribute("aria-label", c.def.name || id);
    ul.hidden = true;
    (c.def.list || []).forEach((v, i) => {
      const li = make("li");
      li.id = `${id}-${i}`;
      li.setAttribute("role", "option");
      li.textContent = v;
      li.addEventListener("click", () => choose(c, i));
      ul.append(li);
    });
    btn.type = "button";
    btn.tabIndex = -1;
    btn.setAttribute("aria-label", "一覧を開く");
    btn.addEventListener("click", () => (c.open ? closeList(c) : openList(c)));
    pressable(btn);
    for (const el of [ul, btn]) {
      for (const t of ["pointerdown", "mousedown"])
        el.addEventListener(t, (e) => { e.preventDefault(); if (!c.el.disabled) c.el.focus(); });
    }
    const input = c.el;
    input.setAttribute("role", "combobox");
    input.setAttribute("aria-autocomplete", "none");
    input.setAttribute("aria-expanded", "false");
    input.setAttribute("aria-controls", ul.id);
    input.addEventListener("blur", () => closeList(c));
    input.addEventListener("keydown", (e) => {
      const down = e.key === "ArrowDown", up = e.key === "ArrowUp";
      if ((e.altKey && (down || up)) || e.key === "F4") {
        c.open ? closeList(c) : openList(c);
      } else if ((down || up) && !e.ctrlKey && !e.metaKey) {
        c.open ? activate(c, c.active + (down ? 1 : -1)) : openList(c);
      } else {
        return;
      }
      e.preventDefault();
    });
    c.btn = btn;
    c.list = ul;
    c.box.append(btn);
    stage.append(ul);
  }

  function openList(c) {
    const r = rect(c);
    Object.assign(c.list.style, { left: px(r.x), top: px(r.y + r.h), minWidth: px(r.w),
      fontSize: px(c.fontPx) });
    if (!c.open) activate(c, (c.def.list || []).findIndex((v) => v.trim() === c.el.value.trim()));
    c.open = true;
    c.list.hidden = false;
    c.el.setAttribute("aria-expanded", "true");
  }

  function closeList(c) {
    if (!c.open) return;
    c.open = false;
    c.list.hidden = true;
    c.el.setAttribute("aria-expanded", "false");
    c.el.removeAttribute("aria-activedescendant");
  }

  function activate(c, i) {
    const items = c.list.children;
    c.active = Math.max(-1, Math.min(items.length - 1, i));
    for (let k = 0; k < items.length; k++) {
      items[k].classList.toggle("active", k === c.active);
      items[k].setAttribute("aria-selected", String(k === c.active));
    }
    if (c.active >= 0) c.el.setAttribute("aria-activedescendant", items[c.active].id);
    else c.el.removeAttribute("aria-activedescendant");
  }

  function choose(c, i) {
    c.el.value = c.def.list[i];
    closeList(c);
    queue({ type: "text", id: c.def.id, value: c.el.value });
  }

  function createControl(def) {
    const c = { def, kind: def.kind, typed: false, open: false, active: -1 };
    let box, el;
    if (def.kind === "button") {
      box = el = make("button", "ctl");
      el.type = "button";
      el.textContent = def.caption || "";
      el.addEventListener("click", () => queue({ type: "click", id: def.id }));
      pressable(el);
    } else if (def.kind === "check") {
      box = make("label", "ctl");
      el = make("input");
      el.type = "checkbox";
      c.cap = make("span");
      c.cap.textContent = def.caption || "";
      box.append(el, c.cap);
      el.addEventListener("change", () =>
        queue({ type: "check", id: def.id, value: el.checked ? 1 : 0 }));
    } else {
      box = make("div", "ctl field");
      el = make("input");
      el.type = "text";
      el.value = def.caption || "";
      for (const [k, v] of [["autocomplete", "off"], ["autocapitalize", "off"],
        ["spellcheck", "false"], ["inputmode", "decimal"]]) el.setAttribute(k, v);
      box.append(el);
      el.addEventListener("focus", () => { c.typed = false; });
      el.addEventListener("input", () => {
        c.typed = true;
        if (c.kind === "text") fitText(c);
        queue({ type: "text", id: def.id, value: el.value });
      });
      // A press on the frame edits, as on the desktop.
      box.addEventListener("mousedown", (e) => {
        if (e.target === box && !el.disabled) { e.preventDefault(); el.focus(); }
      });
    }
    el.id = def.id;
    if (def.name) el.setAttribute("aria-label", def.name);
    if (def.description) {
      const d = make("span");
      d.id = def.id + "-about";
      d.textContent = def.description;
      descriptions.append(d);
      el.setAttribute("aria-describedby", d.id);
    }
    box.style.background = def.back || "";
    box.style.color = def.fore || "#000";
    c.box = box;
    c.el = el;
    if (def.kind === "combo") makeList(c);
    // Document order is the tab order.
    const after = [...controls.values()].find((o) => (o.def.tabIndex ?? 0) > (def.tabIndex ?? 0));
    stage.insertBefore(box, after ? after.box : ring);
    controls.set(def.id, c);
    place(c);
    if (def.startFocus) {
      el.focus({ preventScroll: true });
    } else if (!focusTimer) {
      // Without a chosen control, the first in the tab order takes the focus.
      focusTimer = setTimeout(() => {
        if (owner(document.activeElement)) return;
        const first = [...controls.values()].sort((a, b) => a.def.tabIndex - b.def.tabIndex)
          .find((o) => !o.el.disabled && !o.box.hidden);
        if (first) first.el.focus({ preventScroll: true });
      });
    }
  }

  function setEnabled(c, on) {
    if (c.el.disabled === !on) return;
    if (!on && c.box.contains(document.activeElement)) {
      // Keys typed into a box or Space on a button would act unasked: the board takes them.
      parked = c;
      toBoard();
    }
    c.el.disabled = !on;
    if (c.btn) c.btn.disabled = !on;
    if (!on && c.open) closeList(c);
    c.box.classList.toggle("off", !on);
    c.el.classList.remove("down");
    if (on && parked === c && document.activeElement === stage) {
      parked = null;
      c.el.focus({ preventScroll: true });
    }
  }

  function set(id, prop, value) {
    const c = controls.get(id);
    if (!c) return;
    switch (prop) {
      case "caption":
        (c.cap || c.el).textContent = value;
        break;
      case "enabled":
        setEnabled(c, !!value);
        break;
      case "value":
        c.el.checked = Number(value) !== 0;
        break;
      case "text":
        if (c.el.value === String(value)) return;
        c.el.value = String(value);
        if (c.kind === "text") fitText(c);
        break;
      case "back":
        c.box.style.background = value;
        break;
      case "visible":
        if (!value && c.box.contains(document.activeElement)) toBoard();
        if (!value && c.open) closeList(c);
        c.box.hidden = !value;
        if (ringOwner === c) ringAround(c);
        break;
    }
  }

  function onKey(e) {
    if (ended || e.isComposing || e.ctrlKey || e.altKey || e.metaKey) return;
    const c = owner(document.activeElement);
    const box = c && (c.kind === "text" || c.kind === "combo") && document.activeElement === c.el;
    if (box && e.key === "Enter") {
      e.preventDefault();
      if (c.open && c.active >= 0) return choose(c, c.active);
      closeList(c);
      queue({ type: "enter", id: c.def.id });
      toBoard();
      return;
    }
    const key = e.key.length === 1 ? e.key.toLowerCase() : e.key;
    if (!LESSON_KEYS.has(key)) return;
    if (box) {
      // "." is typed while the user types into the combo box: a delay may be "2.5".
      if (REMOTE.has(key) ? key === "." && c.kind === "combo" && c.typed : key !== "F1") return;
    }
    e.preventDefault();
    if (c && c.open) closeList(c);
    queue({ type: "key", key });
  }

  function showNote(title, rows) {
    let note = $("note");
    if (!note) {
      note = make("div");
      note.id = "note";
      note.setAttribute("role", "dialog");
      note.setAttribute("aria-labelledby", "note-title");
      document.body.append(note);
    }
    note.replaceChildren();
    const h = make("h2"), table = make("table"), close = make("button");
    h.id = "note-title";
    h.textContent = title;
    for (const row of rows) {
      const tr = table.insertRow();
      for (const cell of row) tr.insertCell().textContent = cell;
    }
    close.type = "button";
    close.textContent = "閉じる";
    close.addEventListener("click", () => {
      note.hidden = true;
      if (!owner(document.activeElement)) toBoard(); // keys go on reaching the lesson
    });
    note.append(h, table, close);
    note.hidden = false; // the lesson keeps the focus and the keys
  }

  function end() {
    for (const c of controls.values()) setEnabled(c, false);
    ended = true;
    events.length = 0;
    const over = make("div"), panel = make("div"), p = make("p"), again = make("button");
    over.id = "over";
    panel.setAttribute("role", "alertdialog");
    panel.setAttribute("aria-labelledby", "over-text");
    p.id = "over-text";
    p.textContent = "授業は終わりました";
    again.type = "button";
    again.textContent = "もう一度";
    again.addEventListener("click", () => location.reload());
    panel.append(p, again);
    over.append(panel);
    document.body.append(over);
    again.focus();
    wake();
  }

  globalThis.lessonPage = {
    events,
    init({ caption, width, height, back }) {
      document.title = caption;
      stage.setAttribute("aria-label", caption);
      if (back) document.body.style.background = stage.style.background = back;
      W = width;
      H = height;
      fit();
    },
    createControl,
    set,
    resize(width, height) {
      if (width === W && height === H) return;
      W = width;
      H = height;
      fit();
    },
    scale: () => css * dpr,
    beginPaint(x, y, w, h) {
      ctx.save();
      ctx.beginPath();
      ctx.rect(x, y, w, h);
      ctx.clip();
    },
    endPaint() {
      ctx.restore();
      if (drawn) return;
      drawn = true;
      document.body.dataset.ready = "1";
      performance.mark("board-drawn");
    },
    fill(x, y, w, h, colour) {
      ctx.fillStyle = colour;
      ctx.fillRect(x, y, w, h);
    },
    text(str, x, y, size, bold, colour, clipX, clipY, clipW, clipH) {
      ctx.save();
      if (clipW > 0 && clipH > 0) {
        ctx.beginPath();
        ctx.rect(clipX, clipY, clipW, clipH);
        ctx.clip();
      }
      ctx.font = `${bold ? "bold " : ""}${size}px ${FONTS}`;
      ctx.fillStyle = colour;
      ctx.fillText(str, x, y);
      ctx.restore();
    },
    measure(str, size, bold) {
      measure.font = `${bold ? "bold " : ""}${size}px ${FONTS}`;
      const m = measure.measureText(str);
      const ascent = m.fontBoundingBoxAscent ?? size * 0.88;
      return [m.width, ascent, ascent + (m.fontBoundingBoxDescent ?? size * 0.12)];
    },
    repaintNeeded() {
      if ((window.devicePixelRatio || 1) !== dpr) fit(); // in case no media event came
      const r = repaint;
      repaint = false;
      return r;
    },
    takeEvent: () => events.shift() ?? null,
    waitForEvent(ms) {
      return new Promise((resolve) => {
        if (ms <= 0 || events.length) return yieldNow(resolve);
        const done = () => {
          clearTimeout(timer);
          waiters.delete(done);
          resolve();
        };
        const timer = setTimeout(done, ms);
        waiters.add(done);
      });
    },
    setStatus(text) {
      status.textContent = text;
    },
    showNote,
    end,
  };

  document.addEventListener("focusin", () => {
    const c = owner(document.activeElement);
    if (c) parked = null;
    ringAround(c);
  });
  window.addEventListener("keydown", onKey, true);
  window.addEventListener("resize", fit);
  watchRatio();
  fit();
})();
