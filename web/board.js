// The board: the program paints the whole form, area by area, in device pixels, on a canvas
// off screen; each area painted is copied to the pieces of the shown canvas that hold it.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const sheet = (P.sheet = P.make("canvas")), ctx = sheet.getContext("2d");
  const shown = P.$("board").getContext("2d");
  const measuring = P.make("canvas").getContext("2d");
  // Bold is drawn as the runtime defines it, the plain outline stroked a share of the em wide:
  // the same in every engine, also where the font has no bold face and the engine would not
  // thicken it.
  const font = (size) => `${size}px ${P.FONTS}`;
  const pen = (P.boldPen = (size, bold) => (bold ? size * P.defs.metric.boldStrokePerEm : 0));
  let drawn = false, area = null;

  // Pixel for pixel: the pieces are shown at the scale the program paints at.
  function show([x, y, w, h]) {
    for (const [fromX, fromY, pw, ph, toX, toY] of P.pieces) {
      const l = Math.max(x, fromX), t = Math.max(y, fromY);
      const r = Math.min(x + w, fromX + pw, sheet.width);
      const b = Math.min(y + h, fromY + ph, sheet.height);
      if (r > l && b > t)
        shown.drawImage(sheet, l, t, r - l, b - t, l - fromX + toX, t - fromY + toY, r - l, b - t);
    }
  }

  P.beginPaint = (x, y, w, h) => {
    area = [x, y, w, h];
    ctx.save();
    ctx.beginPath();
    ctx.rect(x, y, w, h);
    ctx.clip();
  };
  P.endPaint = () => {
    ctx.restore();
    show(area);
    if (drawn) return;
    drawn = true;
    document.body.classList.remove("loading");
    document.body.dataset.ready = "1";
    performance.mark("board-drawn");
  };
  P.fill = (x, y, w, h, colour) => {
    ctx.fillStyle = P.colour(colour);
    ctx.fillRect(x, y, w, h);
  };
  P.text = (str, x, y, size, bold, colour, clipX, clipY, clipW, clipH) => {
    ctx.save();
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
    ctx.restore();
  };
  P.measure = (str, size, bold) => {
    measuring.font = font(size);
    const m = measuring.measureText(str);
    const ascent = m.fontBoundingBoxAscent ?? size * 0.88;
    return { width: m.width + pen(size, bold), ascent,
      height: ascent + (m.fontBoundingBoxDescent ?? size * 0.12) };
  };
  // The width of plain text in CSS px, for the boxes.
  P.textWidth = (str, size) => {
    measuring.font = font(size);
    return measuring.measureText(str).width;
  };
})();
