// The combo box's list: the focus stays in its field, the entries are pointed at.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const px = P.px, make = P.make;

  P.makeList = (c) => {
    const ul = make("ul", "list"), btn = make("button"), input = c.el;
    const entries = (c.entries = []);
    c.open = false;
    c.active = -1;
    ul.id = c.def.id + "-list";
    ul.setAttribute("role", "listbox");
    ul.setAttribute("aria-label", c.def.name || c.def.id);
    ul.hidden = true;
    btn.type = "button";
    btn.tabIndex = -1;
    btn.setAttribute("aria-label", P.defs.word.openList);
    btn.addEventListener("click", () => (c.open ? close() : open()));
    P.pressable(btn);
    for (const el of [ul, btn]) {
      for (const t of ["pointerdown", "mousedown"])
        el.addEventListener(t, (e) => { e.preventDefault(); if (!input.disabled) input.focus(); });
    }
    input.setAttribute("role", "combobox");
    input.setAttribute("aria-autocomplete", "none");
    input.setAttribute("aria-expanded", "false");
    input.setAttribute("aria-controls", ul.id);
    input.addEventListener("blur", () => close());
    // Keys the program leaves to the box: they open, walk and pick from the list.
    input.addEventListener("keydown", (e) => {
      const down = e.key === "ArrowDown", up = e.key === "ArrowUp";
      if ((e.altKey && (down || up)) || e.key === "F4") {
        c.open ? close() : open();
      } else if ((down || up) && !e.ctrlKey && !e.metaKey) {
        c.open ? activate(c.active + (down ? 1 : -1)) : open();
      } else if (e.key === "Enter" && c.open) {
        c.active >= 0 ? choose(c.active) : close();
      } else {
        return;
      }
      e.preventDefault();
    });

    // Below the box, or above it when only there the whole list shows.
    function open() {
      const r = c.r;
      Object.assign(ul.style, { left: px(r.x), top: px(r.y + r.h), minWidth: px(r.w),
        fontSize: px(c.fontPx) });
      if (!c.open) activate(entries.findIndex((v) => v.trim() === input.value.trim()));
      c.open = true;
      ul.hidden = false;
      input.setAttribute("aria-expanded", "true");
      const top = P.$("stage").getBoundingClientRect().top, h = ul.offsetHeight;
      const below = document.documentElement.clientHeight - (top + r.y + r.h);
      if (h > below && top + r.y > below) ul.style.top = px(r.y - h);
    }
    function close() {
      if (!c.open) return;
      c.open = false;
      ul.hidden = true;
      input.setAttribute("aria-expanded", "false");
      input.removeAttribute("aria-activedescendant");
    }
    function activate(i) {
      const items = ul.children;
      c.active = Math.max(-1, Math.min(items.length - 1, i));
      for (let k = 0; k < items.length; k++) {
        items[k].classList.toggle("active", k === c.active);
        items[k].setAttribute("aria-selected", String(k === c.active));
      }
      if (c.active >= 0) input.setAttribute("aria-activedescendant", items[c.active].id);
      else input.removeAttribute("aria-activedescendant");
    }
    function choose(i) {
      input.value = entries[i];
      close();
      P.send("choose", c.handle, { value: i });
    }

    c.addEntry = (text) => {
      const li = make("li"), i = entries.length;
      li.id = `${c.def.id}-${i}`;
      li.setAttribute("role", "option");
      li.textContent = text;
      li.addEventListener("click", () => choose(i));
      entries.push(text);
      ul.append(li);
    };
    c.closeList = close;
    c.layout = (r) => {
      // In the panel, a square for a finger.
      const arrow = P.panel ? r.h : Math.max(10, Math.round(15 * r.k));
      btn.style.width = px(arrow);
      btn.style.setProperty("--reach-r", px(2 * P.reach(arrow)));
      // iPads zoom into a field whose font is under 16 px: draw a larger font scaled down.
      const pad = Math.max(1, Math.round(c.fontPx / 16)), size = Math.max(16, c.fontPx);
      const k = c.fontPx / size;
      Object.assign(input.style, { left: px(2 + pad),
        width: px(Math.max(1, r.w - 2 - pad - arrow) / k), fontSize: px(size),
        transform: `scale(${k})` });
      if (c.open) open();
    };
    c.btn = btn;
    c.list = ul; // outside the box: it goes with the control
    c.box.append(btn);
    P.$("stage").append(ul);
  };

  P.addEntry = (handle, text) => P.controls.get(handle).addEntry(text);
})();
