// The windowed controls: real HTML controls over the board, or in the panel below it, made by
// kind from a table, and rendered from the looks the program sends, field by field, whatever
// their kind.
"use strict";
(() => {
  const P = globalThis.lessonPage;
  const stage = P.$("stage"), ring = P.$("ring"), px = P.px, make = P.make;
  const controls = (P.controls = new Map()); // by handle, in tab order
  // Controls that belong together, in an element of their own headed by the label the program
  // names: by that label's name.
  const groups = (P.groups = new Map());
  const descriptions = make("div");
  descriptions.hidden = true;
  document.body.append(descriptions);
  P.focused = -1; // the handle the program gave the focus to; -1 the board
  let ringOwner = null, panelStale = false;

  // The control that holds `node`, or null.
  P.owner = (node) => {
    for (const c of controls.values()) if (node && c.box.contains(node)) return c;
    return null;
  };

  // What each kind is made of; every kind shows a text, and the check box a value.
  const button = (c) => {
    c.box = c.el = make("button", "ctl");
    c.el.type = "button";
    c.showText = (text) => { c.el.textContent = text; };
    c.el.addEventListener("click", () => P.send("click", c.handle));
  };
  const check = (c) => {
    c.box = make("label", "ctl");
    c.el = make("input");
    c.el.type = "checkbox";
    const caption = make("span");
    c.box.append(c.el, caption);
    c.showText = (text) => { caption.textContent = text; };
    c.showValue = (value) => { c.el.checked = value !== 0; };
    c.layout = (r) => {
      const size = Math.max(8, Math.round(14 * r.k));
      Object.assign(c.el.style, { width: px(size), height: px(size),
        marginRight: px(Math.round(6 * r.k)) });
    };
    c.el.addEventListener("change", () => P.send("check", c.handle,
      { value: c.el.checked ? 1 : 0 }));
  };
  const field = (c) => {
    c.box = make("div", "ctl field");
    c.el = make("input");
    c.el.type = "text";
    for (const [k, v] of [["autocomplete", "off"], ["autocapitalize", "off"],
      ["spellcheck", "false"], ["inputmode", "decimal"]]) c.el.setAttribute(k, v);
    c.box.append(c.el);
    c.showText = (text) => {
      const el = c.el;
      if (el.value === text) return;
      // Figures typed in full width come back in ASCII, one for one: the cursor stays.
      const at = el.selectionStart;
      el.value = text;
      if (document.activeElement === el && at !== null) {
        const to = Math.min(at, text.length);
        el.setSelectionRange(to, to);
      }
      if (c.refit) c.refit();
    };
  };
  // The time box never scrolls: its figures are condensed as the runtime measures them, and
  // squeezed further when too wide.
  const text = (c) => {
    field(c);
    c.refit = () => {
      const r = c.r, f = c.fontPx, m = P.defs.metric;
      const left = m.boxBorder + Math.max(1, Math.round(f * m.boxPaddingPerEm)) + 1;
      const room = Math.max(1, r.w - 2 * left);
      const pen = c.def.bold ? f * m.boldStrokePerEm : 0;
      const natural = P.textWidth(c.el.value, f) + pen + Math.max(2, f / 32);
      const width = Math.max(room / m.boxStretch, natural);
      // The time changes every other frame, mostly within the same width: only a new fit is
      // written, and the box is put back to its start only when it may have scrolled.
      const fit = [left, width, room / width, pen].join();
      if (fit === c.fit) return;
      const placed = c.fit !== undefined; // a new box has not scrolled
      c.fit = fit;
      Object.assign(c.el.style, { left: px(left), width: px(width),
        transform: `scaleX(${room / width})`, fontWeight: "normal",
        webkitTextStrokeWidth: px(pen) });
      if (placed) c.el.scrollLeft = 0;
    };
    c.layout = c.refit;
  };
  const combo = (c) => {
    field(c);
    P.makeList(c);
  };
  const makers = () => {
    const k = P.defs.kind;
    return { [k.button]: button, [k.check]: check, [k.text]: text, [k.combo]: combo };
  };

  // A face smaller than a target reaches further, unseen (page.css).
  function place(c) {
    const r = (c.r = P.where(c)), st = c.box.style;
    Object.assign(st, { left: px(r.x), top: px(r.y), width: px(r.w), height: px(r.h) });
    const reachX = P.reach(r.w), reachY = P.reach(r.h);
    st.setProperty("--reach-x", px(reachX));
    st.setProperty("--reach-y", px(reachY));
    c.box.classList.toggle("reach", reachX > 0 || reachY > 0);
    c.fontPx = r.font;
    st.fontSize = px(c.fontPx);
    // Bold as on the board: a stroke, which every engine draws.
    st.fontWeight = "normal";
    st.webkitTextStrokeWidth = px(P.boldPen(c.fontPx, c.def.bold));
    if (c.layout) c.layout(r);
  }
  P.placeAll = () => {
    for (const c of controls.values()) place(c);
    for (const g of groups.values()) placeHeading(g);
    ringAround(ringOwner);
  };

  // The group `id`, made with its first member. Its heading is drawn on the board, and read
  // from here; in the panel it shows here, above its members.
  function groupOf(id, heading, fontPx) {
    let g = groups.get(id);
    if (g) return g;
    g = { id, fontPx, el: make("div", "group"), heading: make("div", "heading sr") };
    g.el.setAttribute("role", "group");
    g.heading.id = id + "-heading";
    g.heading.textContent = heading;
    g.el.setAttribute("aria-labelledby", g.heading.id);
    g.el.append(g.heading);
    stage.insertBefore(g.el, ring);
    groups.set(id, g);
    return g;
  }

  function placeHeading(g) {
    const r = P.whereHeading(g), st = g.heading.style;
    g.heading.classList.toggle("sr", !r);
    if (!r) {
      for (const k of ["left", "top", "width", "height", "fontSize", "lineHeight"]) st[k] = "";
      return;
    }
    Object.assign(st, { left: px(r.x), top: px(r.y), width: px(r.w), height: px(r.h),
      fontSize: px(r.font), lineHeight: px(r.h) });
  }

  P.createControl = (handle, kind, focusKind, box, fontPx, bold, tabIndex, id, name,
    description, group, heading, toggle) => {
    const c = { handle, focusKind, def: { box, fontPx, bold, id, name, group, toggle },
      typed: false };
    makers()[kind](c);
    c.el.id = id;
    if (name) c.el.setAttribute("aria-label", name);
    if (toggle) c.el.setAttribute("aria-pressed", "false");
    if (description) {
      const d = make("span");
      d.id = id + "-about";
      d.textContent = description;
      descriptions.append(d);
      c.el.setAttribute("aria-describedby", d.id);
    }
    // The program's controls come in tab order, which is the document's order; a group's
    // members follow one another.
    if (group) groupOf(group, heading, fontPx).el.append(c.box);
    else stage.insertBefore(c.box, ring);
    controls.set(handle, c);
    P.watch(c);
    place(c);
    if (P.panel && !panelStale) {
      // The panel makes room for the new controls, once for all made together.
      panelStale = true;
      queueMicrotask(() => {
        panelStale = false;
        P.fit();
      });
    }
  };

  // Another form takes the page. The board keeps the focus meanwhile, so that the focus moves
  // nowhere the user did not send it; what the user aimed at the old controls is dropped, and
  // keys stay for the new form.
  P.removeControls = () => {
    const active = document.activeElement;
    if (!active || active === document.body || P.owner(active)) stage.focus({ preventScroll: true });
    for (const c of controls.values()) {
      if (c.closeList) c.closeList();
      c.box.remove();
      if (c.list) c.list.remove();
    }
    controls.clear();
    for (const g of groups.values()) g.el.remove();
    groups.clear();
    descriptions.replaceChildren();
    ringAround(null);
    P.focused = -1;
    const note = P.$("note");
    if (note) note.hidden = true;
    const keys = P.inputs.filter((i) => i.type === P.defs.input.key);
    P.inputs.splice(0, P.inputs.length, ...keys);
  };

  P.enable = (c, on) => {
    if (c.el.disabled === !on) return;
    c.el.disabled = !on;
    if (c.btn) c.btn.disabled = !on;
    if (!on && c.closeList) c.closeList();
    c.box.classList.toggle("off", !on);
    c.el.classList.remove("down");
  };

  P.apply = (handle, changed, text, back, fore, value, enabled, visible, focused, pressed) => {
    const c = controls.get(handle), bit = P.defs.changed;
    if (!c) return;
    // Text the user typed since is on its way to the program, which will answer it.
    if (changed & bit.text &&
      !P.inputs.some((i) => i.control === handle && i.type === P.defs.input.text))
      c.showText(text);
    if (changed & bit.colours) {
      c.box.style.background = P.colour(back);
      c.box.style.color = P.colour(fore);
    }
    if (changed & bit.value && c.showValue) c.showValue(value);
    if (changed & bit.pressed && c.def.toggle) c.el.setAttribute("aria-pressed", String(pressed));
    if (changed & bit.enabled) P.enable(c, enabled);
    if (changed & bit.visible) {
      if (!visible && c.closeList) c.closeList();
      c.box.hidden = !visible;
      if (ringOwner === c) ringAround(c);
    }
    if (changed & bit.focused) ringAround(focused ? c : ringOwner === c ? null : ringOwner);
  };

  P.focus = (handle) => {
    P.focused = handle;
    const c = controls.get(handle);
    const target = c ? c.el : stage;
    if (document.activeElement !== target && !P.ended) target.focus({ preventScroll: true });
  };

  // The ring around the control with the focus, drawn as the runtime measures it.
  function ringAround(c) {
    if (ringOwner) ringOwner.box.classList.remove("focus");
    ringOwner = c;
    if (!c || c.box.hidden) {
      ring.hidden = true;
      return;
    }
    c.box.classList.add("focus");
    const m = P.defs.metric, r = c.r, w = Math.round(m.focusRing * r.k);
    const edge = Math.max(1, Math.floor(w / m.focusRingEdgeShare));
    Object.assign(ring.style, { left: px(r.x - w), top: px(r.y - w), width: px(r.w + 2 * w),
      height: px(r.h + 2 * w), borderWidth: px(w - edge), boxShadow: `inset 0 0 0 ${edge}px #000` });
    ring.hidden = false;
  }
})();
