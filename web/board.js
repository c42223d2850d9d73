// The board: the program paints the whole form, area by area, in device pixels; each
// command is drawn straight into the pieces of the canvas that show the area, moved by whole
// device pixels. (Copying from a canvas off screen instead costs a whole upload of it for every
// area on a machine that draws the canvas with a graphics processor, even in software.)
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const ctx = P.$("board").getContext("2d");
  const measuring = P.make("canvas").getContext("2d");
  // Bold is drawn as the runtime defines it, the plain outline stroked a share of the em wide:
  // the same in every engine, also where the font has no bold face and the engine would not
  // thicken it.
  const font = (size) => `${size}px ${P.FONTS}`;
  const pen = (P.boldPen = (size, bold) => (bold ? size * P.defs.metric.boldStrokePerEm : 0));
  let drawn = false;
  let targets = []; // [left, top, right, bottom, dx, dy]: the area in a piece, and its move

  P.beginPaint = (x, y, w, h) => {
    targets = [];
    for (const [fromX, fromY, pw, ph, toX, toY] of P.pieces) {
      const l = Math.max(x, fromX), t = Math.max(y, fromY);
      const r = Math.min(x + w, fromX + pw), b = Math.min(y + h, fromY + ph);
      if (r > l && b > t) targets.push([l, t, r, b, toX - fromX, toY - fromY]);
    }
  };
  // Runs `draw` once for each piece the area shows in, clipped to the area there.
  const each = (draw) => {
    for (const [l, t, r, b, dx, dy] of targets) {
      ctx.save();
      ctx.translate(dx, dy);
      ctx.beginPath();
      ctx.rect(l, t, r - l, b - t);
      ctx.clip();
      draw();
      ctx.restore();
    }
  };
  P.endPaint = () => {
    targets = [];
    if (drawn) return;
    drawn = true;
    document.body.classList.remove("loading");
    document.body.dataset.ready = "1";
    performance.mark("board-drawn");
  };
  P.fill = (x, y, w, h, colour) => each(() => {
    ctx.fillStyle = P.colour(colour);
    ctx.fillRect(x, y, w, h);
  });
  P.text = (str, x, y, size, bold, colour, clipX, clipY, clipW, clipH) => each(() => {
    if (clipW > 0 && clipH > 0) {
      ctx.beginPath();
      ctx.rect(clipX, clipY, clipW, clipH);
      ctx.clip();
    }
    ctx.font = font(size);
    ctx.fillStyle = ctx.strokeStyle = P.colour(colour);
    ctx.fillText(str, x, y);
    if (bold) {
      ctx.lineWidth = pen(size, bold);
      ctx.lineJoin = "round";
      ctx.strokeText(str, x, y);
    }
  });
  // Setting a font parses it: the measuring context keeps the last size.
  let measuringSize = 0;
  const measureAt = (size) => {
    if (size !== measuringSize) measuring.font = font((measuringSize = size));
  };
  P.measure = (str, size, bold) => {
    measureAt(size);
    const m = measuring.measureText(str);
    const ascent = m.fontBoundingBoxAscent ?? size * 0.88;
    return { width: m.width + pen(size, bold), ascent,
      height: ascent + (m.fontBoundingBoxDescent ?? size * 0.12) };
  };
  // The width of plain text in CSS px, for the boxes.
  P.textWidth = (str, size) => {
    measureAt(size);
    return measuring.measureText(str).width;
  };
  // The first text measured loads the fonts, a long pause on a slow device: in a task of its
  // own while the program is still on its way, not in the middle of the first board.
  setTimeout(() => P.textWidth("0.表ｙ（）", 16), 0);
})();
