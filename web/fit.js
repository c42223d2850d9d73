// Fit and layout. The canvas shows the form the program draws in pieces,
// as large as the window allows, centred, their edges on whole device pixels; or at a fixed
// scale (?scale=2) from the page's corner. A wide screen shows the form as it is. An upright
// one stacks the table and the graph below the board; a narrow upright one also takes the
// controls off the board into a panel below the picture, at finger size.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const stage = P.$("stage"), board = P.$("board"), px = P.px;
  const fixedScale = (() => {
    const v = parseFloat(new URLSearchParams(location.search).get("scale"));
    return v > 0 && isFinite(v) ? v : 0;
  })();
  // In CSS px: the least target a pointer or a finger hits, the least text of a control on an
  // upright screen; the panel's rows, gaps, narrowest cells and least and most text.
  const TARGET = 24, READABLE = 12, ROW = 44, GAP = 8, CELL = 110, PANEL_TEXT = [16, 26];
  // Upright, a board drawn narrower than this leaves its controls too small to use on it.
  const NARROW = 600;
  // The form's size, and the areas of it an upright screen stacks ([x, y, w, h] in form px),
  // as the program defines them: the first, the board, is the form at its smallest.
  let W = 0, H = 0, areas = [], repaint = false, upright = false, shape = "";
  let panelTop = 0;
  const slots = new Map(); // cells in the panel [x, y, w, h], by control or group
  P.css = 1; // CSS px per form px
  P.dpr = 1; // device px per CSS px
  P.panel = false; // the controls are in the panel
  P.pieces = []; // in device px: [x, y, w, h] of the form shown at [x, y] of the canvas

  // Edges on whole device pixels keep bevels and text sharp.
  const snap = (P.snap = (v) => Math.round(v * P.dpr) / P.dpr);

  // The board's width: the whole form's where the program defines no areas.
  const boardWidth = () => (areas.length ? Math.min(areas[0][2], W) : W);

  // The pieces in form px, [x, y, w, h, at x, at y], and the size they make. Upright: the
  // program's areas one below another, centred, each as far as the form has grown to take it
  // in (the program widens the form for the graph and lengthens it for the table).
  function arrange() {
    const shown = [];
    if (upright) {
      for (const [x, y, w, h] of areas) {
        const pw = Math.min(x + w, W) - x, ph = Math.min(y + h, H) - y;
        if (pw > 0 && ph > 0) shown.push([x, y, pw, ph]);
      }
    }
    if (!shown.length) return { w: W, h: H, pieces: [[0, 0, W, H, 0, 0]] };
    const w = Math.max(...shown.map((p) => p[2]));
    let h = 0;
    const pieces = shown.map(([x, y, pw, ph]) => {
      const at = h;
      h += ph;
      return [x, y, pw, ph, (w - pw) / 2, at];
    });
    return { w, h, pieces };
  }

  // The panel's cells: the controls in the board's order, top to bottom, those side by side on
  // the board kept together while a row has room; each row's cells share its width. A group
  // the program made of controls takes rows of its own: its heading across the panel, then
  // its members in their order, in equal cells, as many to a row as stand side by side on the
  // board while a cell stays a finger wide. Returns the panel's height.
  function layPanel(width) {
    const cols = Math.max(1, Math.floor((width - GAP) / (CELL + GAP)));
    const items = [], byGroup = new Map();
    for (const c of P.controls ? P.controls.values() : []) {
      const g = c.def.group && P.groups.get(c.def.group);
      if (!g) {
        items.push({ box: c.def.box, c });
        continue;
      }
      let item = byGroup.get(g);
      if (!item) {
        byGroup.set(g, (item = { g, members: [] }));
        items.push(item);
      }
      item.members.push(c);
    }
    for (const item of byGroup.values()) {
      const boxes = item.members.map((c) => c.def.box);
      const top = Math.min(...boxes.map((b) => b[1]));
      item.box = [0, top, 0, Math.max(...boxes.map((b) => b[1] + b[3])) - top];
    }
    const lines = [];
    for (const item of items.sort((a, b) => a.box[1] - b.box[1])) {
      const [, y, , h] = item.box, line = lines[lines.length - 1];
      if (item.g) lines.push(item);
      else if (line && !line.g && y < line.bottom) {
        line.push(item.c);
        line.bottom = Math.max(line.bottom, y + h);
      } else {
        lines.push(Object.assign([item.c], { bottom: y + h }));
      }
    }
    const rows = [];
    let row = null;
    for (const line of lines) {
      if (line.g) {
        rows.push(line);
        row = null;
        continue;
      }
      line.sort((a, b) => a.def.box[0] - b.def.box[0]);
      if (!row || row.length + line.length > cols) rows.push((row = []));
      for (const c of line) {
        if (row.length === cols) rows.push((row = []));
        row.push(c);
      }
    }
    slots.clear();
    let top = GAP;
    for (const r of rows) {
      if (r.g) {
        top = layGroup(r, width, top);
        continue;
      }
      const w = (width - GAP * (r.length + 1)) / r.length;
      r.forEach((c, j) => slots.set(c, [GAP + j * (w + GAP), top, w, ROW]));
      top += ROW + GAP;
    }
    return rows.length ? top : 0;
  }

  const panelText = (fontPx) => Math.min(PANEL_TEXT[1], Math.max(PANEL_TEXT[0], fontPx));

  // A group's heading, at its members' text size, and its grid; returns the top of what follows.
  function layGroup({ g, members }, width, top) {
    const font = panelText(g.fontPx), line = Math.ceil(font * 1.5);
    slots.set(g, [GAP, top, width - 2 * GAP, line]);
    top += line;
    let n = Math.min(members.length, new Set(members.map((c) => c.def.box[0])).size);
    while (n > 1 && (width - GAP * (n + 1)) / n < ROW) n -= 1;
    const w = (width - GAP * (n + 1)) / n;
    members.forEach((c, i) =>
      slots.set(c, [GAP + (i % n) * (w + GAP), top + Math.floor(i / n) * (ROW + GAP), w, ROW]));
    return top + Math.ceil(members.length / n) * (ROW + GAP);
  }

  function fit() {
    if (!W || !H) return; // until the program tells the form's size
    const dpr = (P.dpr = window.devicePixelRatio || 1);
    const vw = document.documentElement.clientWidth, vh = document.documentElement.clientHeight;
    upright = !fixedScale && vh > vw;
    const a = arrange();
    let s = fixedScale || Math.max(0.05, Math.min(vw / a.w, vh / a.h));
    const panel = (P.panel = upright && boardWidth() * s < NARROW);
    const panelH = panel ? layPanel(vw) : 0;
    if (panel) s = Math.max(0.05, Math.min(vw / a.w, (vh - panelH) / a.h));
    const dev = (v) => Math.round(v * s * dpr);
    const pieces = a.pieces.map(([x, y, w, h, toX, toY]) =>
      [dev(x), dev(y), dev(x + w) - dev(x), dev(y + h) - dev(y), dev(toX), dev(toY)]);
    const bw = Math.max(1, ...pieces.map((p) => p[4] + p[2]));
    const bh = Math.max(1, ...pieces.map((p) => p[5] + p[3]));
    const width = panel ? vw : bw / dpr, height = bh / dpr + panelH;
    const left = fixedScale ? 0 : Math.max(0, snap((vw - width) / 2));
    const top = fixedScale ? 0 : Math.max(0, snap((vh - height) / 2));
    Object.assign(stage.style, { left: px(left), top: px(top), width: px(width),
      height: px(height) });
    Object.assign(board.style, { left: px(snap((width - bw / dpr) / 2)), width: px(bw / dpr),
      height: px(bh / dpr) });
    panelTop = bh / dpr;
    document.body.classList.toggle("fixed", !!fixedScale);
    const now = pieces.join(";");
    if (board.width !== bw || board.height !== bh || s !== P.css || now !== shape) {
      // A new arrangement starts blank: the program paints it all again.
      board.width = bw;
      board.height = bh;
      P.pieces = pieces;
      shape = now;
      P.css = s;
      repaint = true;
      P.refresh();
    }
    if (P.placeAll) P.placeAll();
  }
  P.fit = fit;

  // A control's box in CSS px of the stage, its edges on whole device pixels.
  P.rect = ([l, t, w, h]) => {
    const x = snap(l * P.css), y = snap(t * P.css);
    return { x, y, w: snap((l + w) * P.css) - x, h: snap((t + h) * P.css) - y };
  };

  // A cell of the panel in CSS px of the stage, its edges on whole device pixels.
  function inPanel([l, t, w, h]) {
    const x = snap(l), y = snap(panelTop + t);
    return { x, y, w: snap(l + w) - x, h: snap(panelTop + t + h) - y };
  }
  // Where a group's heading shows in the panel, with its text size; null off the panel.
  P.whereHeading = (g) => {
    const cell = P.panel && slots.get(g);
    return cell ? Object.assign(inPanel(cell), { font: panelText(g.fontPx) }) : null;
  };

  // Where a control shows: its box in CSS px of the stage, with k, the scale of the page's own
  // measures of it, and its text size.
  P.where = (c) => {
    const cell = P.panel && slots.get(c);
    if (cell) return Object.assign(inPanel(cell), { k: 1, font: panelText(c.def.fontPx) });
    const r = P.rect(c.def.box), font = c.def.fontPx * P.css;
    return Object.assign(r, { k: P.css, font: upright ? Math.max(READABLE, font) : font });
  };
  // How far a face of `size` CSS px reaches, unseen, on either side to make a whole target.
  P.reach = (size) => Math.max(0, Math.ceil(((TARGET - size) / 2) * P.dpr) / P.dpr);

  // Browser zoom and moving to another screen change the device pixel ratio.
  function watchRatio() {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
      .addEventListener("change", () => { fit(); watchRatio(); }, { once: true });
  }

  P.init = (caption, width, height, back, stacked) => {
    document.title = caption;
    stage.setAttribute("aria-label", caption);
    document.body.style.background = stage.style.background = P.colour(back);
    W = width;
    H = height;
    areas = stacked;
    fit();
  };
  P.resize = (width, height) => {
    if (width === W && height === H) return;
    W = width;
    H = height;
    fit();
  };
  P.scale = () => P.css * P.dpr;
  P.repaintNeeded = () => {
    if ((window.devicePixelRatio || 1) !== P.dpr) fit(); // in case no media event came
    const r = repaint;
    repaint = false;
    return r;
  };

  window.addEventListener("resize", fit);
  watchRatio();
  fit();
})();
