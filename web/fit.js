// Fit and layout: the board as large as the window allows, centred, its edges on whole
// device pixels; or at a fixed scale (?scale=2) from the page's corner.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const stage = P.$("stage"), board = P.$("board"), px = P.px;
  const fixedScale = (() => {
    const v = parseFloat(new URLSearchParams(location.search).get("scale"));
    return v > 0 && isFinite(v) ? v : 0;
  })();
  let W = 810, H = 506, repaint = false;
  P.css = 1; // CSS px per form px
  P.dpr = 1; // device px per CSS px

  // Edges on whole device pixels keep bevels and text sharp.
  const snap = (P.snap = (v) => Math.round(v * P.dpr) / P.dpr);

  function fit() {
    const dpr = (P.dpr = window.devicePixelRatio || 1);
    const vw = document.documentElement.clientWidth, vh = document.documentElement.clientHeight;
    const s = fixedScale || Math.max(0.05, Math.min(vw / W, vh / H));
    const bw = Math.max(1, Math.round(W * s * dpr)), bh = Math.max(1, Math.round(H * s * dpr));
    const left = fixedScale ? 0 : Math.max(0, snap((vw - bw / dpr) / 2));
    const top = fixedScale ? 0 : Math.max(0, snap((vh - bh / dpr) / 2));
    Object.assign(stage.style, { left: px(left), top: px(top), width: px(bw / dpr),
      height: px(bh / dpr) });
    Object.assign(board.style, { width: px(bw / dpr), height: px(bh / dpr) });
    document.body.classList.toggle("fixed", !!fixedScale);
    if (board.width !== bw || board.height !== bh || s !== P.css) {
      board.width = bw;
      board.height = bh;
      P.css = s;
      repaint = true;
      P.wake();
    }
    if (P.placeAll) P.placeAll();
  }

  // A control's box in CSS px of the stage, its edges on whole device pixels.
  P.rect = ([l, t, w, h]) => {
    const x = snap(l * P.css), y = snap(t * P.css);
    return { x, y, w: snap((l + w) * P.css) - x, h: snap((t + h) * P.css) - y };
  };

  // Browser zoom and moving to another screen change the device pixel ratio.
  function watchRatio() {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
      .addEventListener("change", () => { fit(); watchRatio(); }, { once: true });
  }

  P.init = (caption, width, height, back) => {
    document.title = caption;
    stage.setAttribute("aria-label", caption);
    document.body.style.background = stage.style.background = P.colour(back);
    W = width;
    H = height;
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
