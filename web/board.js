// The board: the program paints it on the canvas, area by area, in device pixels.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const ctx = P.$("board").getContext("2d");
  const measuring = P.make("canvas").getContext("2d");
  const font = (size, bold) => `${bold ? "bold " : ""}${size}px ${P.FONTS}`;
  let drawn = false;

  P.beginPaint = (x, y, w, h) => {
    ctx.save();
    ctx.beginPath();
    ctx.rect(x, y, w, h);
    ctx.clip();
  };
  P.endPaint = () => {
    ctx.restore();
    if (drawn) return;
    drawn = true;
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
    ctx.font = font(size, bold);
    ctx.fillStyle = P.colour(colour);
    ctx.fillText(str, x, y);
    ctx.restore();
  };
  P.measure = (str, size, bold) => {
    measuring.font = font(size, bold);
    const m = measuring.measureText(str);
    const ascent = m.fontBoundingBoxAscent ?? size * 0.88;
    return { width: m.width, ascent, height: ascent + (m.fontBoundingBoxDescent ?? size * 0.12) };
  };
  // The width of plain text in CSS px, for the boxes.
  P.textWidth = (str, size) => {
    measuring.font = font(size, false);
    return measuring.measureText(str).width;
  };
})();
