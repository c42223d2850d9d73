"""The lesson's page in headless Chromium, driven by real mouse and key events and read back
from screenshots, at ?scale=1 so one form pixel is one CSS pixel.

usage: /usr/bin/python3 test_lesson.py --site build-web/site [--screenshot build/water-screenshot]
       [unittest arguments, e.g. -k Hint]"""

import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image, ImageChops, ImageDraw

from chromium import SHIFT, Browser, PageError, Site, rgb

HERE = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(HERE, "..", "scenarios", "initialscreen.json"), encoding="utf-8") as f:
    SCENARIO = json.load(f)
CAPTION = "量の変化と比例，反比例　　by Quorvel"
BOARD, WATER = rgb("#008000"), rgb("#00FFFF")
BUTTONS = ["quit", "run", "forward", "back", "stop", "initialScreen"]
CONTROLS = BUTTONS + ["hint", "table", "graph", "time", "delay"]
STARTED = "parseFloat(document.getElementById('time').value) >= 0.1"
FLOOR, MINUTE = 460, 30  # the container's floor and one minute of water, in form px
SHORT, TALL = SCENARIO["short"]["size"], SCENARIO["tall"]["size"]

args = None
site = browser = None


def setUpModule():
    global site, browser
    site = Site(args.site)
    try:
        browser = Browser(1280, 800)
    except BaseException:
        site.close()
        raise


def tearDownModule():
    browser.close()
    site.close()


def hint(i):
    """Hint's colour of minute i's water."""
    return (0, 135 + 10 * i, 135 + 10 * i)


def uniform(image, rect):
    """The one colour filling rect, or None when it holds several."""
    l, t, w, h = rect
    colours = image.crop((l, t, l + w, t + h)).getcolors(1)
    return colours[0][1] if colours else None


def count(image, rect, colour, tolerance=0):
    l, t, w, h = rect
    return sum(all(abs(a - b) <= tolerance for a, b in zip(p, colour))
               for p in image.crop((l, t, l + w, t + h)).getdata())


def probe_failures(image, section, dpr=1, counts=True):
    """What differs from a section of the shared initial-screen scenario; at a device pixel
    ratio of 2 each form pixel's 2 x 2 device pixels are probed and the text counts skipped."""
    bad = []
    for p in section["pixels"]:
        x, y = p["at"]
        for dx in range(dpr):
            got = image.getpixel((x * dpr + dx, y * dpr + dx))
            if got != rgb(p["colour"]):
                bad.append(f"{p['what']} at {x},{y}: {got} instead of {p['colour']}")
    for a in section["areas"]:
        got = uniform(image, [v * dpr for v in a["rect"]])
        if got != rgb(a["colour"]):
            bad.append(f"{a['what']}: not all {a['colour']} in {a['rect']}")
    for c in section["counts"] if counts else []:
        n = count(image, c["rect"], rgb(c["colour"]), c.get("tolerance", 0))
        if n < c.get("min", 0) or n > c.get("max", n):
            bad.append(f"{c['what']}: {n} px of {c['colour']} in {c['rect']}, "
                       f"expected {c.get('min', 0)}..{c.get('max', '')}")
    return bad


class Lesson(unittest.TestCase):
    b = property(lambda self: browser)

    def assertLooksRight(self, image, section, **how):
        bad = probe_failures(image, section, **how)
        if bad:
            self.fail(f"{len(bad)} probes differ:\n  " + "\n  ".join(bad))

    def setUp(self):
        self.b.resize(1280, 800)
        self.b.open(site.url + "?scale=1")

    def tearDown(self):
        self.assertEqual(self.b.errors, [], "the page reported errors")
        # A run-time error also shows its note: none may stand at the end of a test.
        self.assertNotEqual(self.b.evaluate(
            "(n => n && !n.hidden ? n.querySelector('h2').textContent : '')"
            "(document.getElementById('note'))"), "実行時エラー", "a run-time error's note")

    # Reading the page.
    def value(self, element_id):
        return self.b.evaluate(f"document.getElementById('{element_id}').value")

    def enabled(self, element_id):
        return not self.b.evaluate(f"document.getElementById('{element_id}').disabled")

    def states(self):
        """Which controls are enabled, e.g. {'run': True, ...}."""
        return self.b.evaluate("Object.fromEntries(%s.map(i => [i, !document.getElementById(i)"
                               ".disabled]))" % json.dumps(CONTROLS))

    def board_size(self):
        return self.b.evaluate("(() => { const r = document.getElementById('board')"
                               ".getBoundingClientRect(); return [r.left, r.top, r.width, "
                               "r.height]; })()")

    def canvas_size(self):
        return self.b.evaluate("(e => [e.width, e.height])(document.getElementById('board'))")

    def board(self):
        """The canvas as shown, one pixel per form pixel at scale 1 and DPR 1."""
        left, top, w, h = self.board_size()
        self.assertEqual((left, top), (0, 0), "at ?scale=1 the board starts at the page's corner")
        return self.b.screenshot([0, 0, w, h])

    def wait_until(self, condition, what, timeout=None):
        return self.b.wait(condition, what, timeout)

    def wait_step_done(self, minutes, timeout=20):
        """Until the time box shows the whole minute and 進む or 戻る can be clicked again."""
        self.wait_until(f"document.getElementById('time').value == '{minutes}.00' && "
                        "(!document.getElementById('forward').disabled || "
                        "!document.getElementById('back').disabled)",
                        f"the step to end at {minutes}.00", timeout)

    def wait_for_board(self, test, what="the board to change", timeout=5):
        deadline = time.monotonic() + timeout
        while True:
            shot = self.board()
            if test(shot):
                return shot
            if time.monotonic() > deadline:
                raise PageError(f"timed out after {timeout} s waiting for {what}")
            time.sleep(0.05)

    def set_delay(self, ms):
        self.b.type_into("delay", str(ms))

    def steps(self, n, start=0):
        for m in range(start + 1, start + n + 1):
            self.b.click_id("forward")
            self.wait_step_done(m)

    def assert_water(self, image, minutes, colour=lambda i: WATER):
        """Minute i's water fills its 30 px band of the container; above the surface the board."""
        for i in range(minutes):
            top = FLOOR - MINUTE * (i + 1)
            self.assertEqual(uniform(image, [158, top + 2, 300, 26]), colour(i),
                             f"water of minute {i + 1}")
        surface = FLOOR - MINUTE * minutes
        if minutes < 12:
            self.assertEqual(uniform(image, [158, 100, 300, surface - 2 - 100]), BOARD,
                             f"above the water of {minutes} minutes")

    # The cases.
    def test_initial_screen(self):
        self.assertEqual(self.b.evaluate("document.title"), CAPTION)
        self.assertEqual(self.b.evaluate("document.documentElement.lang"), "ja")
        self.assertEqual(site.strays, [], "the page asked for files outside its own folder")
        self.assertEqual(self.board_size(), [0, 0, *SHORT])
        self.assertEqual(self.canvas_size(), SHORT)
        self.assertLooksRight(self.board(), SCENARIO["short"])
        self.assertEqual(self.value("time"), "0.00")
        self.assertEqual(self.value("delay"), "20")
        self.assertEqual(self.states(), {
            "quit": True, "run": True, "forward": True, "back": False,
            "stop": False, "initialScreen": True, "hint": True, "table": True,
            "graph": True, "time": True, "delay": True})
        self.assertEqual(self.b.evaluate("document.activeElement.id"), "forward")

    def test_icons_for_home_screens(self):
        sizes = self.b.evaluate(
            "Promise.all(['apple-touch-icon.png', 'icon-192.png', 'icon-512.png'].map(u => new "
            "Promise(r => { const i = new Image(); i.onload = () => r(i.naturalWidth); "
            "i.onerror = () => r(0); i.src = u; })))", await_promise=True)
        self.assertEqual(sizes, [180, 192, 512])

    def test_single_file_from_disk(self):
        single = os.path.abspath(os.path.join(args.site, "..", "water-proportion.html"))
        self.b.open("file://" + single + "?scale=1")
        self.assertLooksRight(self.board(), SCENARIO["short"])
        self.set_delay(1)
        self.steps(1)
        self.assert_water(self.board(), 1)
        # Reopened in the same tab, from disk too, it comes back as it was.
        before = self.shown()
        self.reload()
        self.assert_same(before, self.shown(), "the single file reloaded")

    def axe_violations(self):
        if not self.b.evaluate("typeof axe != 'undefined'"):
            self.b.evaluate(AXE)
        return self.b.evaluate(
            "axe.run(document, {resultTypes: ['violations']}).then(r => r.violations.map(v => "
            "`${v.id} (${v.impact}): ${v.nodes.map(n => n.target.join(' ')).join(', ')}`))",
            await_promise=True)

    def test_no_accessibility_violations(self):
        def key_list():
            self.b.key("F1")
            self.wait_until("document.getElementById('note') && "
                            "!document.getElementById('note').hidden", "the key list")

        def delay_list():
            self.b.click_id("delay")
            self.b.key("ArrowDown")

        def second_lesson():  # the rest in the second lesson
            self.b.click_id("toInverse")
            self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
            for box in ("table", "graph"):
                self.b.click_id(box)

        def ended():
            self.b.evaluate("document.querySelector('#note button').click()")
            self.b.click_id("quit")
            self.wait_until("!!document.getElementById('over')", "the ended overlay")

        for name, act in [("at the start", lambda: None),
                          ("one minute, 表 and グラフ open",
                           lambda: [self.b.click_id(i) for i in ("table", "graph")] and
                           self.steps(1)),
                          ("the second lesson, 表 and グラフ open", second_lesson),
                          ("the delay list open", delay_list), ("the key list", key_list),
                          ("ended", ended)]:
            with self.subTest(name):
                act()
                self.assertEqual(self.axe_violations(), [])

    def test_crisp_at_two_device_pixels_per_pixel(self):
        self.b.resize(1280, 800, 2)
        self.b.open(site.url + "?scale=1")
        self.assertEqual(self.canvas_size(), [2 * v for v in SHORT])
        shot = self.b.screenshot([0, 0, *SHORT])
        self.assertLooksRight(shot, SCENARIO["short"], dpr=2, counts=False)

    def test_step_forward_and_back(self):
        self.set_delay(1)
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.assert_water(self.board(), 1)
        # A screen reader hears the minute; the whole table stays in the board's description.
        self.wait_until("document.getElementById('status').textContent == '1 分後、5 L'",
                        "the minute to be announced")
        self.assertEqual(self.b.evaluate("document.getElementById(document.getElementById("
                                         "'stage').getAttribute('aria-describedby')).textContent"),
                         "1 分後、水は 5 L。表: 0 分 0 L、1 分 5 L")
        self.assertTrue(self.enabled("back"))
        self.b.click_id("back")
        self.wait_step_done(0)
        shot = self.board()
        self.assert_water(shot, 0)
        self.assertLooksRight(shot, SCENARIO["short"])
        self.assertFalse(self.enabled("back"))
        self.assertTrue(self.enabled("run"))

    def test_keys_of_a_remote(self):
        self.set_delay(1)  # the focus stays in the delay box: a remote's keys act there too
        self.b.key("PageDown")
        self.wait_step_done(1)
        self.assert_water(self.board(), 1)
        self.b.key("PageUp")
        self.wait_step_done(0)
        self.assert_water(self.board(), 0)

    def test_run_and_stop_at_a_whole_minute(self):
        self.set_delay(5)
        self.b.click_id("run")
        self.wait_until("parseFloat(document.getElementById('time').value) >= 1.2",
                        "the run to pass 1.2 minutes")
        self.assertFalse(self.enabled("forward"), "an automatic run keeps 進む off")
        self.assertFalse(self.enabled("back"), "an automatic run keeps 戻る off")
        self.b.click_id("stop")
        self.wait_until("!document.getElementById('run').disabled", "自動 to come back")
        shown = self.value("time")
        self.assertRegex(shown, r"^\d+\.00$", "the run stops at a whole minute")
        minutes = int(float(shown))
        self.assertTrue(2 <= minutes < 12, shown)
        time.sleep(0.2)
        self.assertEqual(self.value("time"), shown, "nothing moves after the stop")
        self.assert_water(self.board(), minutes)
        self.assertEqual([self.enabled(i) for i in ("forward", "back", "stop")],
                         [True, True, False])

    def test_full_run_with_hint(self):
        self.set_delay(1)
        self.b.click_id("hint")
        self.wait_until("document.getElementById('hint').checked", "Hint to be on")
        self.b.click_id("run")
        self.wait_until("document.getElementById('time').value == '12.00' && "
                        "!document.getElementById('run').disabled", "the run to end", 30)
        self.assert_water(self.board(), 12, hint)
        self.assertEqual([self.enabled(i) for i in ("forward", "back", "stop")],
                         [False, True, False])
        # Hint off: every minute in the one water colour again.
        self.b.click_id("hint")
        self.assert_water(self.wait_for_board(lambda s: s.getpixel((300, 445)) == WATER), 12)

    def test_hint_colours_each_minute(self):
        self.set_delay(1)
        self.steps(3)
        self.b.click_id("hint")
        shot = self.wait_for_board(lambda s: s.getpixel((300, 445)) == hint(0), "Hint colours")
        self.assert_water(shot, 3, hint)
        self.b.click_id("hint")
        self.assert_water(self.wait_for_board(lambda s: s.getpixel((300, 445)) == WATER), 3)

    def test_table_and_graph(self):
        self.b.click_id("table")
        self.wait_until("document.getElementById('board').getBoundingClientRect().height == %d" % TALL[1],
                        "the board to grow to %d px" % TALL[1])
        shot = self.board()
        self.assertEqual(list(shot.size), TALL)
        self.assertLooksRight(shot, SCENARIO["tall"])
        self.assertLooksRight(shot, SCENARIO["short"])
        self.set_delay(1)
        self.steps(1)
        shot = self.board()
        self.assertGreater(count(shot, [165, 556, 40, 40], (255, 255, 255)), 20, "minutes: 1")
        self.assertGreater(count(shot, [165, 610, 40, 40], (255, 255, 255)), 20, "litres: 5")
        self.b.click_id("graph")
        self.wait_until("document.getElementById('board').getBoundingClientRect().width == 1215",
                        "the board to widen to 1215 px for the graph")
        shot = self.board()
        white = (255, 255, 255)
        self.assertEqual([shot.getpixel(p) for p in ((860, 300), (1000, 460))], [white, white],
                         "the graph's axes")
        # 初期画面 closes the table and the graph.
        self.b.click_id("initialScreen")
        self.wait_until("document.getElementById('board').getBoundingClientRect().height == %d "
                        "&& document.getElementById('board').getBoundingClientRect().width == %d"
                        % (SHORT[1], SHORT[0]),
                        "the board to shrink back")
        self.assertFalse(self.b.evaluate("document.getElementById('table').checked"))
        self.assertLooksRight(self.board(), SCENARIO["short"])

    def test_initial_screen_clicked_during_a_step(self):
        self.set_delay(100)  # 4 s a minute: the click lands inside one of the step's waits
        self.b.click_id("forward")
        self.wait_until(STARTED, "the step to start")
        shot = self.board()
        # Four frames in, the water's top is at 457, just above the floor line.
        self.assertEqual(shot.getpixel((300, 457)), WATER, "the water has begun to rise")
        self.assertEqual(shot.getpixel((300, 435)), BOARD, "not yet a whole minute")
        self.b.click_id("initialScreen")
        self.wait_until("document.getElementById('time').value == '0.00' && "
                        "!document.getElementById('forward').disabled", "minute 0 to return")
        time.sleep(0.5)  # five frames: the broken-off step must not go on
        self.assertEqual(self.value("time"), "0.00")
        self.assertLooksRight(self.board(), SCENARIO["short"])
        self.set_delay(1)
        self.steps(1)
        self.assert_water(self.board(), 1)

    def test_hint_clicked_during_a_step(self):
        self.set_delay(100)
        self.b.click_id("forward")
        self.wait_until(STARTED, "the step to start")
        self.b.click_id("hint")
        shot = self.wait_for_board(lambda s: s.getpixel((300, 455)) == hint(0),
                                   "the rising water to take Hint's colour")
        self.assertEqual(shot.getpixel((300, 435)), BOARD)
        self.set_delay(1)  # the step's remaining frames go quickly
        self.wait_step_done(1)
        self.assert_water(self.board(), 1, hint)

    def test_end_during_a_run(self):
        self.b.click_id("run")
        self.wait_until("parseFloat(document.getElementById('time').value) >= 0.5",
                        "the run to pass half a minute")
        self.b.click_id("quit")
        self.wait_until("[...document.querySelectorAll('button')].some(b => "
                        "b.textContent.trim() == 'もう一度' && b.getClientRects().length)",
                        "the ended overlay with もう一度")
        self.assertEqual([i for i, on in self.states().items() if on], [],
                         "every control disabled")
        shown, first = self.value("time"), self.b.screenshot([0, 0, *SHORT])
        time.sleep(0.5)
        self.assertEqual(self.value("time"), shown, "the time stands still")
        self.assertIsNone(ImageChops.difference(first, self.b.screenshot([0, 0, *SHORT]))
                          .getbbox(), "the animation stopped")

    def focused(self):
        return self.b.evaluate("document.activeElement.id")

    def retype(self, element_id, text):
        """Selects what a box holds and types `text` over it, key by key."""
        self.b.click_id(element_id)
        self.b.evaluate(f"document.getElementById('{element_id}').select()")
        for key in text or ["Backspace"]:
            self.b.key(key)

    def type_full_width(self, element_id, text):
        """Types `text` as an input method commits it, replacing what the box holds."""
        self.b.click_id(element_id)
        self.b.evaluate(f"document.getElementById('{element_id}').select()")
        self.b.send("Input.insertText", text=text)

    def test_remote_keys_in_the_delay_box(self):
        self.b.click_id("delay")
        self.b.key(".")  # nothing typed yet: the remote's 停止, which has nothing to stop
        self.assertEqual(self.value("delay"), "20")
        self.b.key("End")
        for key in ["Backspace", "Backspace", "2", ".", "5"]:
            self.b.key(key)
        self.assertEqual(self.value("delay"), "2.5", '"." types once the delay is edited')
        for key in ["ArrowDown", "ArrowDown", "Enter"]:  # opens the list, picks its first entry
            self.b.key(key)
        first = self.b.evaluate("document.getElementById('delay-list').firstChild.textContent")
        self.wait_until(f"document.getElementById('delay').value == {json.dumps(first)}",
                        "the chosen entry")
        self.b.key("End")
        for key in ["Backspace"] * len(first) + ["2", ".", "5"]:
            self.b.key(key)
        self.b.key("PageDown")
        self.wait_step_done(1)
        self.b.key("b")  # types nothing: the remote's black-out key is the lesson's
        self.assertEqual(self.value("delay"), "2.5")
        self.b.key("Enter")
        self.wait_until("document.activeElement.id == 'stage'", "Enter to hand the keys back")
        self.b.key("PageUp")
        self.wait_step_done(0)
        # Back in the box, nothing typed on this visit yet: "." is the remote's again.
        self.b.click_id("delay")
        self.wait_until("document.activeElement.id == 'delay'", "the delay box")
        self.b.key(".")
        time.sleep(0.2)
        self.assertEqual(self.value("delay"), "2.5", '"." typed after coming back to the box')

    def test_typed_text_stays_and_full_width_figures_count(self):
        self.b.type_into("time", "7")
        self.b.click_id("hint")  # the board repaints; the box keeps the pupil's text
        self.wait_for_board(lambda s: s.getpixel((300, 300)) == BOARD)
        time.sleep(0.2)
        self.assertEqual(self.value("time"), "7")
        self.type_full_width("delay", "１０")
        self.wait_until("document.getElementById('delay').value == '10'",
                        "full-width figures to become ASCII")
        started = time.monotonic()
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.assertGreater(time.monotonic() - started, 0.35, "40 frames of 10 ms, not of 0")

    def test_fitted_layout_centred_and_as_large_as_fits(self):
        self.b.send("Page.addScriptToEvaluateOnNewDocument", source=(
            "window.shifted = 0; new PerformanceObserver(l => l.getEntries().forEach(e => "
            "window.shifted += e.value)).observe({type: 'layout-shift', buffered: true});"))
        for width, height, dpr in [(700, 900, 1), (700, 900, 2), (1500, 620, 2), (390, 844, 3)]:
            with self.subTest(f"{width} x {height} at {dpr}"):
                self.b.resize(width, height, dpr)
                self.b.open(site.url)
                self.assertEqual(self.b.evaluate("window.shifted"), 0, "the page moved on loading")
                if width < 600:
                    continue  # the controls' panel takes its share of the height
                left, top, w, h = self.board_size()
                scale = min(width / SHORT[0], height / SHORT[1])
                near = 1 / dpr + 1e-6
                self.assertLessEqual(abs(w - SHORT[0] * scale), near)
                self.assertLessEqual(abs(h - SHORT[1] * scale), near)
                self.assertLessEqual(abs(left - (width - w) / 2), near, "centred across")
                self.assertLessEqual(abs(top - (height - h) / 2), near, "centred down")
                self.assertEqual(self.canvas_size(), [round(w * dpr), round(h * dpr)])
                for edge in (left * dpr, top * dpr):
                    self.assertAlmostEqual(edge, round(edge), 6, "on whole device pixels")

    # Screens with 表 and グラフ open: [width, height, device pixel ratio, the picture's least
    # scale, whether the controls' text must be readable (upright screens are held close)].
    SCREENS = [(768, 1024, 1, 0.84, True), (390, 844, 2, None, True),
               (430, 932, 2, None, True), (1024, 768, 1, None, False),
               (1024, 600, 1, None, False), (1366, 768, 1, None, False)]
    ARROW = "document.getElementById('delay').parentElement.querySelector('button')"
    # Where a press lands on each control, measured from its middle outwards, [left, top, width,
    # height] in CSS px, and the size of its text; the delay box's list arrow on its own.
    TARGETS = """(() => {
        const hits = (target, except) => (x, y) => {
            const e = document.elementFromPoint(x, y);
            return !!e && target.contains(e) && !(except && except.contains(e));
        };
        const extent = (hit, e) => {
            const r = e.getBoundingClientRect(), x = r.left + r.width / 2, y = r.top + r.height / 2;
            const far = (dx, dy) => {
                let d = 0;
                while (d < 600 && hit(x + dx * (d + 1), y + dy * (d + 1))) d += 1;
                for (let step = 0.5; step > 0.01; step /= 2)
                    if (hit(x + dx * (d + step), y + dy * (d + step))) d += step;
                return d;
            };
            // Chromium takes a point up to a pixel before a box's left and top edges as in it.
            const left = far(-1, 0) - 1, up = far(0, -1) - 1;
            return [x - left, y - up, left + far(1, 0), up + far(0, 1)];
        };
        const textPx = (e) => parseFloat(getComputedStyle(e).fontSize) *
            e.getBoundingClientRect().height / e.offsetHeight;
        const out = {};
        // Every control of the lesson shown: a button is its own box, the others hold an input.
        for (const ctl of document.querySelectorAll("#stage .ctl")) {
            const el = ctl.id ? ctl : ctl.querySelector("input"), check = el.type == "checkbox";
            const id = el.id;
            const box = check ? el.labels[0] : el.type == "text" ? el.parentElement : el;
            const arrow = box.querySelector("button");
            const face = (e) => (r => [r.left, r.top, r.width, r.height])(e.getBoundingClientRect());
            // A delay box's own face ends where its arrow starts, less the pixel of its frame
            // that the arrow's target covers (page.css).
            const own = face(box);
            if (arrow) own[2] = arrow.getBoundingClientRect().left - 1 - own[0];
            out[id] = [...extent(hits(box, arrow), check ? box : el), textPx(check ? box : el),
                own];
            if (arrow) out[id + " arrow"] = [...extent(hits(arrow), arrow), textPx(el), face(arrow)];
        }
        return out;
    })()"""

    def test_upright_and_small_screens(self):
        for width, height, dpr, least_scale, readable in self.SCREENS:
            with self.subTest(f"{width} x {height}"):
                self.b.resize(width, height, dpr)
                self.b.open(site.url)
                for box in ("table", "graph"):
                    self.b.click_id(box)
                    self.wait_until(f"document.getElementById('{box}').checked", box)
                self.set_delay(1)
                self.steps(1)
                scale = self.wait_for_pieces(width, height, dpr)
                if least_scale:
                    self.assertGreaterEqual(scale, least_scale, "the picture's scale")
                self.assert_targets(width, height, readable)
                self.assert_panel_where_narrow(width, height)
                self.assert_finger_sized_list(width, height)
                # Turned mid-lesson and back: the minute, the typed delay and the focus stay.
                self.b.type_into("delay", "3")
                for w, h in [(height, width), (width, height)]:
                    self.b.resize(w, h, dpr)
                    self.wait_for_pieces(w, h, dpr)
                    self.assertEqual([self.value("time"), self.value("delay"), self.focused()],
                                     ["1.00", "3", "delay"], f"turned to {w} x {h}")
                # The second lesson, with its eight rate buttons, in the same layout.
                self.b.click_id("toInverse")
                self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
                for box in ("table", "graph"):
                    self.b.click_id(box)
                    self.wait_until(f"document.getElementById('{box}').checked", box)
                self.assert_targets(width, height, readable)
                self.assert_panel_where_narrow(width, height)

    def assert_panel_where_narrow(self, width, height):
        """Upright, a board drawn narrower than 600 CSS px leaves its controls to the panel below
        the picture, however wide the graph beside it would make the form; a wider board keeps
        them."""
        deadline = time.monotonic() + 5  # the page lays out again once the form has grown
        while True:
            left, top, w, h = self.board_size()
            boxes = self.b.evaluate(self.BOXES)
            below = sorted(n for n, b in boxes.items() if b[1] >= top + h - 0.5)
            expected = sorted(boxes) if height > width and w < 600 else []
            if below == expected or time.monotonic() > deadline:
                break
            time.sleep(0.05)
        self.assertEqual(below, expected, f"the controls below a board {w:.1f} px wide")

    # The first lesson's panel on a phone, row by row, each left to right.
    PHONE_ROWS = [["initialScreen", "time", "run"], ["stop", "delay"], ["back", "forward"],
                  ["toConstant", "toInverse", "hint"], ["table", "graph", "quit"]]
    RATE_BUTTONS = [f"rate_{i}" for i in range(8)]
    RATES_HEADING = "1 分間に入れる水（L）"
    # Each control's box [left, top, width, height] in CSS px and its text size.
    BOXES = """(() => {
        const out = {};
        for (const ctl of document.querySelectorAll("#stage .ctl")) {
            const el = ctl.id ? ctl : ctl.querySelector("input"), r = ctl.getBoundingClientRect();
            out[el.id] = [r.left, r.top, r.width, r.height, parseFloat(getComputedStyle(ctl).fontSize)];
        }
        return out;
    })()"""
    # The rate buttons' group: its heading's text, box, text size and whether the text shows
    # whole, and its buttons.
    RATE_GROUP = """(() => {
        const g = document.getElementById("rate_0").closest("[role=group]");
        const h = g && document.getElementById(g.getAttribute("aria-labelledby"));
        if (!h) return null;
        const r = h.getBoundingClientRect();
        return [h.textContent, [r.left, r.top, r.width, r.height],
                parseFloat(getComputedStyle(h).fontSize), h.scrollWidth <= h.clientWidth,
                [...g.querySelectorAll("button")].map(b => b.id)];
    })()"""

    @staticmethod
    def rows_of(boxes):
        """The controls row by row (one top each), each row left to right."""
        rows = {}
        for name, (left, top, *_) in boxes.items():
            rows.setdefault(round(top), []).append((left, name))
        return [[name for _, name in sorted(row)] for _, row in sorted(rows.items())]

    def test_phone_panel(self):
        """On a phone the controls stand in a panel below the board: the first lesson's rows as
        they always were; the second lesson's rate buttons in one grid of equal cells in their
        order, under their heading at the panel's text size."""
        near = 0.5 + 1e-6  # cells share a row's width on whole device pixels
        self.b.resize(390, 844, 2)
        self.b.open(site.url)
        left, top, w, h = self.board_size()
        boxes = self.b.evaluate(self.BOXES)
        self.assertEqual(self.rows_of(boxes), self.PHONE_ROWS)
        for row in self.PHONE_ROWS:
            widths = [boxes[n][2] for n in row]
            self.assertLessEqual(max(widths) - min(widths), near, f"the cells of {row}")
        self.assertGreaterEqual(min(b[1] for b in boxes.values()), top + h, "below the board")

        self.b.open(site.url + "?lesson=inverse")
        self.assert_rate_grid(self.RATE_BUTTONS, self.RATES_HEADING)
        self.b.open(site.url + "?lesson=constant")
        # As on the board: 1 to 5 above, −1 to −5 below.
        self.assert_rate_grid([f"rate_{i}" for i in (5, 6, 7, 8, 9, 4, 3, 2, 1, 0)],
                              "1 分間にかわる水（L）")

    def assert_rate_grid(self, buttons, heading):
        """The rate buttons in one grid of equal cells in their order, under their heading at
        the panel's text size."""
        near = 0.5 + 1e-6
        left, top, w, h = self.board_size()
        boxes = self.b.evaluate(self.BOXES)
        rates = [boxes[n] for n in buttons]
        for n, b in zip(buttons, rates):
            self.assertLessEqual(abs(b[2] - rates[0][2]) + abs(b[3] - rates[0][3]), near,
                                 f"{n}'s cell {b[2]:.2f} x {b[3]:.2f} as 1's")
        # In order, a row at a time, the columns one below the other.
        rows = [row for row in self.rows_of(boxes) if set(row) & set(buttons)]
        self.assertEqual(sum(rows, []), buttons, "the rates in reading order, by themselves")
        columns = [boxes[n][0] for n in rows[0]]
        self.assertGreater(len(columns), 1, "a grid, not a column")
        for row in rows:
            self.assertEqual([round(boxes[n][0], 2) for n in row],
                             [round(x, 2) for x in columns[:len(row)]], f"the columns of {row}")
        text, (hl, ht, hw, hh), font, whole, members = self.b.evaluate(self.RATE_GROUP)
        self.assertEqual((text, sorted(members)), (heading, sorted(buttons)))
        self.assertTrue(whole, "the heading shows whole")
        first = boxes[rows[0][0]]
        self.assertGreaterEqual(ht, top + h, "the heading in the panel, below the board")
        self.assertTrue(-near <= first[1] - (ht + hh) <= 8, "the heading just above the rates")
        self.assertTrue(hl <= first[0] + near and hl + hw >= first[0] + first[2],
                        "the heading over the rates")
        self.assertGreaterEqual(hh, font, "the heading's line holds its text")
        self.assertEqual(font, rates[0][4], "the heading at the rates' text size")
        self.assertGreaterEqual(font, 16, "the panel's text size")

    def pressed_rates(self):
        """The rate buttons a screen reader hears as pressed, by name, and the names it hears
        in the group named by the rates' heading."""
        self.b.send("Accessibility.enable")
        nodes = self.b.send("Accessibility.getFullAXTree")["nodes"]
        by_id = {n["nodeId"]: n for n in nodes}

        def value(n, what):
            return n.get(what, {}).get("value")

        def prop(n, name):
            return next((p["value"].get("value") for p in n.get("properties", [])
                         if p["name"] == name), None)

        def names(n):
            here = [value(n, "name")] if value(n, "role") in ("button", "toggleButton") else []
            return here + sum((names(by_id[c]) for c in n.get("childIds", []) if c in by_id), [])

        groups = [n for n in nodes if value(n, "role") == "group" and
                  value(n, "name") == self.RATES_HEADING and not n.get("ignored")]
        pressed = [value(n, "name") for n in nodes
                   if not n.get("ignored") and prop(n, "pressed") == "true"]
        return pressed, [names(g) for g in groups]

    def test_chosen_rate_pressed_for_screen_readers(self):
        """The chosen rate is pressed in the accessibility tree, the others not, inside a group
        named by their heading; it follows clicks and keys, and a click on it keeps it."""
        self.b.open(site.url + "?scale=1&lesson=inverse")
        rate_names = [f"毎分 {r} L" for r in (1, 2, 3, 4, 5, 6, 10, 12)]
        for what, act, rate in [
                ("at the start", lambda: None, 5),
                ("a click on 2", lambda: self.b.click_id("rate_1"), 2),
                ("a click on the chosen 2", lambda: self.b.click_id("rate_1"), 2),
                ("key 3", lambda: self.b.key("3"), 3),
                ("key 6", lambda: self.b.key("6"), 6),
                ("↑", lambda: self.b.key("ArrowUp"), 10),
                ("a click on 12", lambda: self.b.click_id("rate_7"), 12),
                ("初期画面", lambda: self.b.click_id("initialScreen"), 5)]:
            with self.subTest(what):
                act()
                i = rate_names.index(f"毎分 {rate} L")
                self.wait_until(f"document.getElementById('rate_{i}')"
                                ".getAttribute('aria-pressed') == 'true'", f"rate {rate}")
                self.assertEqual(self.pressed_rates(), ([f"毎分 {rate} L"], [rate_names]))

    def wait_for_pieces(self, width, height, dpr, timeout=5):
        """Until minute 1 shows on the board, in the table and on the graph, where they belong:
        side by side on a wide screen; stacked on an upright one, the graph centred at the
        bottom. Returns the picture's scale."""
        wide, white = 1215, (255, 255, 255)
        deadline = time.monotonic() + timeout
        while True:
            left, top, w, h = self.board_size()
            upright = height > width
            s = w / (SHORT[0] if upright else wide)

            def at(x, y):  # a form pixel on screen, in device px
                if upright and x >= SHORT[0]:
                    x, y = x - SHORT[0] + (2 * SHORT[0] - wide) / 2, h / s - (SHORT[1] - y)
                return (left + x * s) * dpr, (top + y * s) * dpr

            def counted(rect, colour, tolerance):
                x, y = at(*rect[:2])
                return count(shot, [round(x), round(y), max(1, round(rect[2] * s * dpr)),
                                    max(1, round(rect[3] * s * dpr))], colour, tolerance)

            shot = self.b.screenshot()
            wrong = [what for what, right in [
                ("on screen", left >= 0 and top >= 0 and left + w <= width and top + h <= height),
                ("the water", shot.getpixel(tuple(map(round, at(300, 445)))) == WATER),
                ("the board above it", shot.getpixel(tuple(map(round, at(300, 300)))) == BOARD),
                ("the table's minute 1", counted([165, 556, 40, 40], white, 60) > 0),
                ("the graph's litre axis", counted([856, 150, 8, 250], white, 0) > 200 * s * dpr),
                ("the graph's point", counted([879, 424, 12, 12], WATER, 40) > 0)] if not right]
            if not wrong:
                return s
            if time.monotonic() > deadline:
                self.fail(f"at {width} x {height}: wrong {wrong}")
            time.sleep(0.05)

    def assert_targets(self, width, height, readable):
        """Every control is hit over at least 24 x 24 CSS px, and over all its face, on screen and
        by itself."""
        targets = list(self.b.evaluate(self.TARGETS).items())
        near = 1 / 16
        for i, (name, (left, top, w, h, text, face)) in enumerate(targets):
            self.assertGreaterEqual(min(w, h), 24 - near, f"{name}'s target: {w:.2f} x {h:.2f}")
            fl, ft, fw, fh = face
            self.assertTrue(left <= fl + near and top <= ft + near and
                            left + w >= fl + fw - near and top + h >= ft + fh - near,
                            f"{name}'s target {[left, top, w, h]} short of its face {face}")
            if readable:
                self.assertGreaterEqual(text, 12, f"{name}'s text")
            self.assertTrue(left >= 0 and top >= 0 and left + w <= width and top + h <= height,
                            f"{name} on screen")
            for other, (l, t, ow, oh, _, _) in targets[i + 1:]:
                across = min(left + w, l + ow) - max(left, l)
                down = min(top + h, t + oh) - max(top, t)
                self.assertFalse(across > 0.1 and down > 0.1, f"{name} overlaps {other}")

    def assert_finger_sized_list(self, width, height):
        """On a touch screen, the delay list's rows are a finger high, and the list shows whole."""
        self.b.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
        try:
            left, top, w, h = self.b.evaluate(f"(r => [r.left, r.top, r.width, r.height])"
                                              f"({self.ARROW}.getBoundingClientRect())")
            self.b.click(left + w / 2, top + h / 2)
            self.wait_until("!document.getElementById('delay-list').hidden", "the list to open")
            rows, (l, t, r, b) = self.b.evaluate(
                "(ul => [[...ul.children].map(li => li.getBoundingClientRect().height), (r => "
                "[r.left, r.top, r.right, r.bottom])(ul.getBoundingClientRect())])"
                "(document.getElementById('delay-list'))")
            self.assertGreaterEqual(min(rows), 44, "the list's rows")
            self.assertTrue(l >= 0 and t >= 0 and r <= width and b <= height, "the list on screen")
            self.b.click(left + w / 2, top + h / 2)
            self.wait_until("document.getElementById('delay-list').hidden", "the list to close")
        finally:
            self.b.send("Emulation.setTouchEmulationEnabled", enabled=False)

    def test_keys_on_a_focused_button(self):
        self.set_delay(1)
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.wait_until("document.activeElement.id == 'forward'", "the focus to come back")
        for key, minutes in [("ArrowDown", 1), ("ArrowUp", 1), ("ArrowRight", 2), ("Enter", 3),
                             (" ", 4), ("ArrowLeft", 3)]:
            self.b.key(key)
            self.wait_step_done(minutes)
            self.wait_until("document.activeElement.id == 'forward'",
                            f"the focus to stay on 進む after {key!r}")
        self.assert_water(self.board(), 3)

    def test_nesting_150_levels_deep(self):
        self.set_delay(1000)
        self.b.click_id("forward")
        for _ in range(150):  # each step starts inside a wait of the one before
            self.b.click_id("initialScreen")
            self.b.click_id("forward")
        self.set_delay(1)
        self.wait_until("document.getElementById('time').value.endsWith('.00') && "
                        "!document.getElementById('forward').disabled &&"
                        "document.getElementById('stop').disabled", "the steps to unwind", 60)
        shown = int(float(self.value("time")))
        self.steps(1, shown)
        self.assert_water(self.board(), shown + 1)

    def test_huge_delay_put_right_during_a_run(self):
        self.set_delay(300)
        self.b.click_id("run")
        self.wait_until(STARTED, "the run to start")
        self.retype("delay", "99999999999")
        stuck = self.value("time")
        time.sleep(0.5)
        self.assertEqual(self.value("time"), stuck, "a frame of 99999999999 ms")
        self.retype("delay", "5")
        self.wait_until(f"document.getElementById('time').value != '{stuck}'",
                        "the running frame to follow the delay box")
        self.b.click_id("stop")
        self.wait_until("!document.getElementById('run').disabled", "自動 to come back")
        shown = self.value("time")
        self.assertRegex(shown, r"^\d+\.00$", "the run stops at a whole minute")
        self.assert_water(self.board(), int(float(shown)))

    def test_clearing_the_delay_keeps_the_pace(self):
        """A pupil selects the delay and clears it to type another during a run or a fill: a
        text with no figure keeps the pace, and the run does not rush to its end."""
        for lesson, start, cleared in (("", "run", ""), ("&lesson=inverse", "pour", "-"),
                                       ("&lesson=constant", "run", "-")):
            with self.subTest(lesson=lesson or "first", cleared=cleared):
                self.b.open(site.url + "?scale=1" + lesson)
                self.set_delay(30)  # 1.2 s a minute
                self.b.click_id(start)  # 自　動, or 入れる
                self.wait_until(STARTED, "the run to start")
                self.retype("delay", cleared)
                time.sleep(0.6)
                shown = float(self.value("time"))
                self.assertLess(shown, 2, f"{shown} minutes 0.6 s after the delay was cleared")
                self.assertTrue(self.enabled("stop"), "still running")
                self.b.click_id("stop")
                self.wait_until(f"!document.getElementById('{start}').disabled",
                                "the stop at a whole minute")
                self.assertEqual(self.value("delay"), cleared)

    def test_remote_keys_in_the_second_lesson(self):
        """Every key of a remote is the lesson's own: the browser neither scrolls, nor goes
        back, nor reloads. F5 pours; Page Up and ← have nothing to do in a fill."""
        self.b.open(site.url + "?scale=1&lesson=inverse")
        self.set_delay(0)
        self.b.evaluate("window.__taken = []; addEventListener('keydown', "
                        "e => __taken.push([e.key, e.defaultPrevented]))")
        self.b.click_id("rate_7")  # 12 L a minute: full after 5 minutes
        for key in ["PageUp", "ArrowLeft"]:
            self.b.key(key)
        self.assertEqual(self.value("time"), "0.00")
        self.b.key("F5")
        self.wait_until("document.getElementById('time').value == '5.00' && "
                        "!document.getElementById('pour').disabled", "the fill to end")
        self.assertEqual(self.b.evaluate("__taken"),
                         [["PageUp", True], ["ArrowLeft", True], ["F5", True]])

    def test_full_width_figures_typed_one_at_a_time(self):
        self.b.click_id("delay")
        self.b.evaluate("document.getElementById('delay').select()")
        for figure in "１０":
            self.b.send("Input.insertText", text=figure)
        self.wait_until("document.getElementById('delay').value == '10'", "１ then ０ as 10")
        # Typed in front of the figures: the cursor stays behind what was typed, not at the end.
        self.b.key("Home")
        self.b.send("Input.insertText", text="５")
        self.wait_until("document.getElementById('delay').value == '510'", "５ in front as 510")
        self.assertEqual(self.b.evaluate("document.getElementById('delay').selectionStart"), 1)
        self.b.send("Input.insertText", text="０")
        self.wait_until("document.getElementById('delay').value == '5010'", "then ０ as 5010")
    # The remote's B stops a run in the first lesson and a fill in the second, also typed as a
    # capital with Shift or Caps Lock.
    STOP_KEYS = [("B with Shift", "B", SHIFT), ("B with Caps Lock", "B", 0), ("b", "b", 0)]

    def test_capital_b_stops_a_run_and_a_fill(self):
        for lesson, start in (("", "run"), ("&lesson=inverse", "pour"), ("&lesson=constant", "run")):
            for name, key, modifiers in self.STOP_KEYS:
                with self.subTest(f"{name}{lesson}"):
                    self.b.open(site.url + "?scale=1" + lesson)
                    self.set_delay(5)
                    self.b.click_id(start)  # 自　動, or 入れる at 5 L a minute
                    self.wait_until("parseFloat(document.getElementById('time').value) >= 1.2",
                                    "the water to pass 1.2 minutes")
                    self.b.key(key, modifiers)
                    self.wait_until(f"!document.getElementById('{start}').disabled",
                                    f"{name} to stop the water")
                    shown = self.value("time")
                    self.assertRegex(shown, r"^\d+\.00$", "stopped at a whole minute")
                    self.assertLess(int(float(shown)), 6 if "constant" in lesson else 12,
                                    f"{name} stopped nothing")
                    time.sleep(0.1)
                    self.assertEqual(self.value("time"), shown, "nothing moves after the stop")

    # Past the first entry ↑ points at none, and Enter keeps what the box holds.
    LIST_WALKS = [("↑ past the first", "ArrowUp", None), ("↓ past the last entry", "ArrowDown", -1)]

    def test_delay_list_walked_past_its_ends(self):
        """The arrows stop at the list's ends; Enter then leaves an entry in the box."""
        entries = self.b.evaluate(
            "[...document.getElementById('delay-list').children].map(li => li.textContent)")
        self.assertEqual(len(entries), 6)
        for name, arrow, end in self.LIST_WALKS:
            with self.subTest(name):
                self.b.click_id("delay")
                for _ in range(len(entries) + 3):  # the first opens the list
                    self.b.key(arrow)
                self.b.key("Enter")
                self.wait_until("document.getElementById('delay-list').hidden", "the list shut")
                if end is not None:
                    self.wait_until(f"document.getElementById('delay').value.trim() == "
                                    f"{json.dumps(entries[end].strip())}",
                                    f"the entry {entries[end]!r}")
                self.assertIn(self.value("delay").strip(), [e.strip() for e in entries])
                self.assertEqual(self.b.evaluate("document.getElementById('delay')"
                                                 ".getAttribute('aria-expanded')"), "false")
        # The box holds what the lesson paces by: a step of 40 frames of 100 ms.
        started = time.monotonic()
        self.b.click_id("forward")
        self.wait_step_done(1, 20)
        self.assertGreater(time.monotonic() - started, 3.5)

    def ax_expanded(self, element_id):
        """Whether the accessibility tree holds the element as expanded (None: not said)."""
        node = self.b.send("DOM.querySelector", nodeId=self.b.send("DOM.getDocument")["root"]
                           ["nodeId"], selector="#" + element_id)["nodeId"]
        tree = self.b.send("Accessibility.getPartialAXTree", nodeId=node, fetchRelatives=False)
        for prop in tree["nodes"][0].get("properties", []):
            if prop["name"] == "expanded":
                return prop["value"]["value"]
        return None

    def test_delay_box_expanded_only_while_its_list_shows(self):
        def told():
            return [self.b.evaluate("document.getElementById('delay').getAttribute("
                                    "'aria-expanded')"), self.ax_expanded("delay"),
                    not self.b.evaluate("document.getElementById('delay-list').hidden")]

        closed, opened = ["false", False, False], ["true", True, True]
        self.assertEqual(told(), closed)
        self.b.click_id("delay")
        self.assertEqual(told(), closed)
        for name, act in [("↓ opens", lambda: self.b.key("ArrowDown")),
                          ("Enter picks", lambda: self.b.key("Enter")),
                          ("↓ opens again", lambda: self.b.key("ArrowDown")),
                          ("Esc, the remote's 停止", lambda: self.b.key("Escape")),
                          ("the arrow button opens",
                           lambda: self.b.evaluate(f"{self.ARROW}.click()")),
                          ("the arrow button closes",
                           lambda: self.b.evaluate(f"{self.ARROW}.click()")),
                          ("↓ opens once more", lambda: self.b.key("ArrowDown")),
                          ("a click elsewhere", lambda: self.b.click_id("hint"))]:
            with self.subTest(name):
                act()
                expect = opened if "opens" in name else closed
                self.wait_until(f"document.getElementById('delay').getAttribute("
                                f"'aria-expanded') == '{expect[0]}'", name)
                self.assertEqual(told(), expect)

    # Everything a reference in the page's ARIA attributes names exists, the delay box's list
    # is the page's only one, and the box and its list point at each other.
    REFERENCES = """(() => {
        const bad = [];
        for (const a of ["aria-controls", "aria-activedescendant", "aria-labelledby",
                         "aria-describedby", "aria-owns", "aria-details", "aria-errormessage"])
            for (const e of document.querySelectorAll(`[${a}]`))
                for (const id of e.getAttribute(a).split(/\\s+/).filter(Boolean))
                    if (!document.getElementById(id)) bad.push(`${e.id || e.tagName} ${a} ${id}`);
        const lists = document.querySelectorAll("[role=listbox]");
        if (lists.length != 1) bad.push(`${lists.length} lists`);
        const box = document.getElementById("delay");
        if (lists.length && box.getAttribute("aria-controls") != lists[0].id)
            bad.push("delay controls " + box.getAttribute("aria-controls"));
        const active = box.getAttribute("aria-activedescendant");
        if (active && !(lists[0] && lists[0].contains(document.getElementById(active))))
            bad.push("delay's active entry " + active + " outside its list");
        if (document.querySelectorAll("[id]").length !=
            new Set([...document.querySelectorAll("[id]")].map(e => e.id)).size)
            bad.push("an id twice");
        return bad;
    })()"""

    def switch(self, how, to_inverse):
        """The other lesson, by its button or F2; waits for it. From the second, F2 goes on
        through the third."""
        if how == "F2":
            self.b.key("F2")
            if not to_inverse:
                self.wait_until("!!document.getElementById('rate_9')", "the third lesson")
                self.b.key("F2")
        else:
            self.b.click_id("toInverse" if to_inverse else "toProportion")
        self.wait_until("!!document.getElementById('%s')" % ("rate_0" if to_inverse
                                                              else "forward"),
                        "the second lesson" if to_inverse else "the first lesson")

    def test_switch_leaves_the_address_one_list_and_the_lesson_told(self):
        """Each switch replaces the address in place, adding no history entry to go Back to;
        the page holds one delay list, references that resolve, and the board's description
        tells the lesson shown."""
        first = "0 分後、水は 0 L。表: 0 分 0 L"
        second = "毎分 5 L。0 分後、水は 0 L。表: まだありません"
        entries = self.b.evaluate("history.length")
        for how in ("button", "F2"):
            with self.subTest(how):
                for n, inverse in enumerate([True, False, True, False]):
                    self.switch(how, inverse)
                    self.assertEqual(self.b.evaluate("location.search"),
                                     "?scale=1&lesson=inverse" if inverse else "?scale=1")
                    self.assertEqual(self.b.evaluate("history.length"), entries,
                                     f"switch {n + 1} added a history entry")
                    self.assertEqual(self.b.evaluate(self.REFERENCES), [])
                    self.assertEqual(self.b.evaluate("document.getElementById(document."
                                                     "getElementById('stage').getAttribute("
                                                     "'aria-describedby')).textContent"),
                                     second if inverse else first)
                    # The list opened: its active entry is one of its own.
                    self.b.click_id("delay")
                    self.b.key("ArrowDown")
                    self.wait_until("!document.getElementById('delay-list').hidden", "the list")
                    self.assertEqual(self.b.evaluate(self.REFERENCES), [])
                    self.b.key("Enter")
                    self.b.key("Enter")  # out of the box: the keys are the lesson's again
                    self.wait_until("document.activeElement.id == 'stage'", "the board's keys")

    def ring_on(self):
        """The id of the control the yellow ring surrounds, or None."""
        return self.b.evaluate("""(() => {
            const ring = document.getElementById('ring');
            if (ring.hidden) return null;
            const r = ring.getBoundingClientRect(), x = r.left + r.width / 2,
                  y = r.top + r.height / 2;
            const on = document.querySelector('#stage .ctl.focus');
            if (!on) return null;
            const b = on.getBoundingClientRect();
            return Math.abs(b.left + b.width / 2 - x) < 1 && Math.abs(b.top + b.height / 2 - y) < 1
                ? (on.id || on.querySelector('input').id) : null;
        })()""")

    def test_focus_comes_back_with_its_ring(self):
        """Back in the first lesson the focus is where the ring shows it, and Enter clicks
        that control."""
        for how, left in [("F2", "forward"), ("button", "toInverse")]:
            with self.subTest(how):
                self.setUp()
                self.set_delay(1)
                self.b.click_id("forward")
                self.wait_step_done(1)
                self.switch(how, True)
                self.switch(how, False)
                self.wait_until(f"document.activeElement.id == '{left}'", f"the focus on {left}")
                self.assertEqual(self.ring_on(), left)
                self.b.key("Enter")
                if left == "forward":
                    self.wait_step_done(2)
                else:
                    self.wait_until("!!document.getElementById('rate_0')",
                                    "Enter on 反比例へ to switch")

    def test_key_list_closed_by_a_click_leaves_the_focus_where_it_was(self):
        """The key list's 閉じる, clicked with the mouse, gives the focus back to the control the
        ring shows it on, in either lesson; Enter then clicks that control."""
        for lesson in ["first", "second"]:
            with self.subTest(lesson):
                if lesson == "second":
                    self.switch("F2", True)
                self.wait_until("document.activeElement.id != ''", "the focus on a control")
                control = self.focused()
                self.assertEqual(self.ring_on(), control)
                self.b.key("F1")
                self.wait_until("document.getElementById('note') && "
                                "!document.getElementById('note').hidden", "the key list")
                x, y = self.b.evaluate("(r => [r.left + r.width / 2, r.top + r.height / 2])"
                                       "(document.querySelector('#note button')"
                                       ".getBoundingClientRect())")
                self.b.click(x, y)
                self.wait_until("document.getElementById('note').hidden", "the key list shut")
                self.wait_until(f"document.activeElement.id == '{control}'",
                                f"the focus back on {control}")
                self.assertEqual(self.ring_on(), control)
                if control == "forward":
                    self.b.key("Enter")
                    self.wait_step_done(1)

    # Keys in the second lesson from its initial screen at 5 L a minute: the rate they choose;
    # keys bound to nothing there change nothing.
    RATE_KEYS = [(["ArrowUp"], 6), (["ArrowUp", "ArrowUp"], 10), (["ArrowDown"], 4),
                 (["ArrowUp"] * 4, 12), (["ArrowDown"] * 5, 1), (["3"], 3),
                 (["6", "ArrowUp"], 10), (["1", "ArrowDown"], 1), (["7"], 5), (["a"], 5),
                 (["ArrowLeft"], 5), (["PageUp"], 5), (["0"], 5), (["End"], 5)]

    def test_keys_of_the_second_lesson(self):
        self.b.open(site.url + "?scale=1&lesson=inverse")
        state = "document.getElementById('state').textContent"
        for keys, rate in self.RATE_KEYS:
            with self.subTest(" ".join(keys)):
                self.b.key("Home")
                self.wait_until(f"{state}.startsWith('毎分 5 L。')", "the initial screen")
                for key in keys:
                    self.b.key(key)
                self.wait_until(f"{state}.startsWith('毎分 {rate} L。')", f"{rate} L a minute")
                time.sleep(0.05)
                self.assertTrue(self.b.evaluate(f"{state}.startsWith('毎分 {rate} L。0 分後')"),
                                self.b.evaluate(state))
                self.assertEqual(self.value("time"), "0.00")
                self.assertEqual(self.b.evaluate("location.search"), "?scale=1&lesson=inverse")
                self.assertEqual(self.b.errors, [])

    def test_curve_reaches_both_end_points(self):
        """Once all eight rates are poured the curve is drawn from the point of 1 to the point
        of 12 litres a minute: its ink shows just beside each, outside the point's disc."""
        self.b.open(site.url + "?scale=1&lesson=inverse")
        self.set_delay(0)
        self.b.click_id("graph")
        for r in self.RATES:
            self.b.click_id(f"rate_{self.RATES.index(r)}")
            self.b.click_id("pour")
            self.wait_until(f"document.getElementById('time').value == '{60 // r}.00' && "
                            "!document.getElementById('pour').disabled",
                            f"the fill at {r} L a minute", 30)
        curve = (255, 255, 0)
        shot = self.wait_for_board(lambda s: count(s, [1030, 250, 100, 40], curve, 40) > 50,
                                   "the curve's formula")
        self.assertGreater(count(shot, [884, 105, 4, 6], curve, 40), 0, "the end at 1 L a minute")
        self.assertGreater(count(shot, [1155, 426, 1, 8], curve, 40), 0,
                           "the end at 12 L a minute")

    # A pupil doing anything, in any order, during steps and runs: at every rest the picture,
    # the buttons, the table and the graph all tell the same minute. WATER_WEB_RANDOM=seeds
    # or seed:actions replays one run; a failure names its seed.
    DELAYS = ["0", "1", "2.5", "abc", "", "-5", "99999999999", "１０"]
    CLICKS = BUTTONS[1:] + ["hint", "table", "graph"]  # all but 終了
    KEYS = ["PageDown", "PageUp", ".", "b", "B", "Escape", "Home", "h", "t", "g", "ArrowRight",
            "ArrowLeft", "ArrowDown", "Enter", " ", "F2"]
    # The same pupil in the second lesson, which a click on 反比例へ or F2 brings.
    INVERSE_CLICKS = ["pour", "stop", "initialScreen", "hint", "table", "graph",
                      "toProportion"] + [f"rate_{i}" for i in range(8)] * 2
    INVERSE_KEYS = ["PageDown", "ArrowRight", "ArrowUp", "ArrowDown", "1", "2", "3", "4", "5",
                    "6", ".", "b", "B", "Escape", "Home", "h", "t", "g", "F2"]
    RATES = [1, 2, 3, 4, 5, 6, 10, 12]
    # The same pupil in the third lesson.
    CONSTANT_CLICKS = ["forward", "back", "run", "stop", "initialScreen", "hint", "table",
                       "graph", "toProportion", "toInverse"] + [f"rate_{i}" for i in range(10)]
    CONSTANT_KEYS = ["PageDown", "PageUp", "F5", ".", "b", "Escape", "Home", "h", "t", "g",
                     "ArrowUp", "ArrowDown", "1", "3", "5", "-", "F2"]
    CONSTANT_RATES = [-5, -4, -3, -2, -1, 1, 2, 3, 4, 5]

    def test_random_pupil(self):
        runs = os.environ.get("WATER_WEB_RANDOM", "3")
        seeds = ([int(runs.split(":")[0])] if ":" in runs else range(1, int(runs) + 1))
        actions = int(runs.split(":")[1]) if ":" in runs else 24
        for seed in seeds:
            with self.subTest(seed=seed):
                self.setUp()
                try:
                    self.pupil(random.Random(seed), actions)
                except BaseException:
                    print(f"\nthe random pupil failed: WATER_WEB_RANDOM={seed}:{actions}")
                    raise

    def inverse_shown(self):
        return self.b.evaluate("!!document.getElementById('pour')")

    def constant_shown(self):
        return self.b.evaluate("!!document.getElementById('rate_9')")

    def pupil(self, rng, actions):
        self.history = self.b.evaluate("history.length")
        for n in range(actions):
            what = rng.random()
            inverse = self.inverse_shown()
            if self.constant_shown() and what < 0.8:
                if what < 0.45:
                    self.b.click_id(rng.choice(self.CONSTANT_CLICKS))
                else:
                    self.b.key(rng.choice(self.CONSTANT_KEYS))
            elif what < 0.45:
                self.b.click_id(rng.choice(self.INVERSE_CLICKS if inverse else
                                           self.CLICKS + ["toInverse"]))
            elif what < 0.8:
                self.b.key(rng.choice(self.INVERSE_KEYS if inverse else self.KEYS))
            else:
                delay = rng.choice(self.DELAYS)
                if delay.isascii():
                    self.retype("delay", delay)
                else:
                    self.type_full_width("delay", delay)
            time.sleep(rng.choice([0, 0.05, 0.2]))
            if n % 8 == 7 or n == actions - 1:
                self.check_rest()

    def check_rest(self):
        # Whatever the switches: the address names the lesson shown, no history entry was
        # added, one delay list, and every reference resolves.
        inverse = self.inverse_shown()
        constant = self.constant_shown()
        self.assertEqual(self.b.evaluate("new URLSearchParams(location.search).get('lesson')"),
                         "inverse" if inverse else "constant" if constant else None)
        self.assertEqual(self.b.evaluate("history.length"), self.history)
        self.assertEqual(self.b.evaluate(self.REFERENCES), [])
        if inverse:
            self.check_inverse_rest()
            return
        if constant:
            self.check_constant_rest()
            return
        self.retype("delay", "1")
        if self.enabled("stop"):
            self.b.click_id("stop")
        self.wait_until("/^\\d+\\.00$/.test(document.getElementById('time').value) && "
                        "document.getElementById('stop').disabled && "
                        "!document.getElementById('run').disabled", "a rest", 30)
        shown = self.value("time")
        time.sleep(0.2)
        self.assertEqual(self.value("time"), shown, "at rest")
        k = int(float(shown))
        shot = self.board()
        if k > 0:
            self.assertNotEqual(shot.getpixel((300, FLOOR - MINUTE * k + 3)), BOARD, "surface")
        if k < 12:
            self.assertEqual(shot.getpixel((300, FLOOR - MINUTE * k - 3)), BOARD, "surface")
        self.assertEqual({i: on for i, on in self.states().items() if i in BUTTONS},
                         {"quit": True, "run": True, "forward": k < 12,
                          "back": k > 0, "stop": False, "initialScreen": True})
        checked = lambda box: self.b.evaluate(f"document.getElementById('{box}').checked")
        white = (255, 255, 255)
        for m in range(13):
            if checked("table"):
                for row in (556, 610):
                    shows = count(shot, [115 + 50 * m, row, 40, 40], white) > 20
                    self.assertEqual(shows, m <= k, f"the table's minute {m} at {k}")
            if checked("graph") and m > 0:
                point = shot.getpixel((860 + 25 * m, FLOOR - MINUTE * m))
                self.assertEqual(point != BOARD, m <= k, f"the graph's point {m} at {k}")
        self.assert_reload_keeps()

    def assert_reload_keeps(self):
        """At rest, a reload brings back the same picture, controls and state."""
        before = self.shown()
        self.reload()
        self.assert_same(before, self.shown(), "a reload at rest")

    def check_constant_rest(self):
        """At rest the third lesson's water stands at 30 + a·x litres: water just below that
        level unless the container is empty, and the board above it while it is above now."""
        self.retype("delay", "0")
        if self.enabled("stop"):
            self.b.click_id("stop")
        self.wait_until("/^\u2212?\d\.00$/.test(document.getElementById('time').value) && "
                        "document.getElementById('stop').disabled && "
                        "!document.getElementById('initialScreen').disabled", "a rest", 30)
        x = int(float(self.value("time").replace("\u2212", "-")))
        pressed = self.b.evaluate("[...Array(10).keys()].filter(i => document.getElementById("
                                  "'rate_' + i).getAttribute('aria-pressed') == 'true')")
        self.assertEqual(len(pressed), 1, f"one rate pressed: {pressed}")
        a = self.CONSTANT_RATES[pressed[0]]
        y = 280 - 6 * a * x
        shot = self.board()
        if y < 457:
            self.assertNotEqual(shot.getpixel((300, y + 3)), BOARD, f"water below {y} px")
        if a * x >= 0 and y > 103:
            self.assertEqual(shot.getpixel((300, y - 3)), BOARD, f"nothing above {y} px")
        self.assert_reload_keeps()

    def check_inverse_rest(self):
        """At rest the second lesson holds rate × minutes litres, and its table and graph
        exactly the pairs it has recorded, each a full container."""
        self.retype("delay", "0")
        if self.enabled("stop"):
            self.b.click_id("stop")
        self.wait_until("/^\\d+\\.00$/.test(document.getElementById('time').value) && "
                        "document.getElementById('stop').disabled && "
                        "!document.getElementById('pour').disabled", "a rest", 30)
        minutes = int(float(self.value("time")))
        faces = self.b.evaluate("[...Array(8).keys()].map(i => getComputedStyle("
                                "document.getElementById('rate_' + i)).backgroundColor)")
        chosen = [i for i, face in enumerate(faces) if faces.count(face) == 1]
        self.assertEqual(len(chosen), 1, f"one rate chosen: {faces}")
        # What the yellow face shows, a screen reader hears: that rate pressed, no other.
        pressed = self.b.evaluate("[...Array(8).keys()].filter(i => document.getElementById("
                                  "'rate_' + i).getAttribute('aria-pressed') == 'true')")
        self.assertEqual(pressed, chosen, "the rate pressed is the rate shown chosen")
        rate = self.RATES[chosen[0]]
        state = self.b.evaluate("document.getElementById('state').textContent")
        pairs = {int(x): int(y) for x, y in re.findall(r"毎分 (\d+) L で (\d+) 分", state)}
        self.assertTrue(all(x * y == 60 for x, y in pairs.items()), state)
        if rate * minutes == 60:
            self.assertIn(rate, pairs, f"a full container at {rate} L a minute recorded")
        shot = self.board()
        surface = FLOOR - 6 * rate * minutes
        if minutes > 0:
            self.assertNotEqual(shot.getpixel((300, surface + 3)), BOARD, state)
        if rate * minutes < 60:
            self.assertEqual(shot.getpixel((300, surface - 3)), BOARD, state)
        if self.b.evaluate("document.getElementById('graph').checked"):
            for x in self.RATES:
                point = shot.getpixel((860 + 25 * x, FLOOR - 6 * (60 // x)))
                self.assertEqual(point == WATER, x in pairs, f"the graph's point of {x}: {state}")
        self.assert_reload_keeps()

    # The same states drawn by the desktop program and by the page agree on every pixel of the
    # lines, rectangles and water; text (labels, printed numbers) and the windowed controls
    # differ by design and are masked.
    STATES = [("initial", [], 0), ("7 minutes with Hint", ["hint"], 7),
              ("表 at 7 minutes", ["tall"], 7), ("グラフ at 7 minutes", ["graph"], 7),
              ("表 and グラフ, full, Hint", ["tall", "graph", "hint"], 12)]
    INVERSE_STATES = [("the second lesson, 表, グラフ and Hint, three rates",
                       ["inverse", "tall", "graph", "hint"], [12, 5, 1]),
                      ("the second lesson, all eight rates", ["inverse", "graph"],
                       [1, 2, 3, 4, 5, 6, 10, 12])]
    # The third lesson: a rate, minutes back, then forward.
    CONSTANT_STATES = [("the third lesson, −3 L, every minute, 表, グラフ and Hint",
                        ["constant", "tall", "graph", "hint"], (-3, 6, 12)),
                       ("the third lesson, 2 L, 4 minutes ago", ["constant", "graph"],
                        (2, 6, 2))]

    def test_second_lesson_and_the_switch(self):
        """?lesson=inverse opens the unit's second lesson, which fills the container at the
        chosen rate until full; its button and F2 switch, each lesson keeps its state, and the
        address follows, other parameters kept."""
        self.b.open(site.url + "?scale=1&lesson=inverse")
        self.set_delay(0)
        self.b.click_id("rate_6")  # 10 L a minute
        self.b.click_id("pour")  # 入れる
        self.wait_until("document.getElementById('time').value == '6.00' && "
                        "!document.getElementById('pour').disabled", "the fill to end", 30)
        self.wait_for_board(lambda s: s.getpixel((300, 101)) == WATER and
                            s.getpixel((300, 98)) == BOARD, "the container full to 60 L")
        self.b.click_id("toProportion")  # 比例へ
        self.wait_until("!!document.getElementById('forward')", "the first lesson")
        self.assertEqual(self.b.evaluate("location.search"), "?scale=1")
        self.assertEqual(self.value("time"), "0.00")
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.b.key("F2")
        self.wait_until("!!document.getElementById('rate_6')", "the second lesson again")
        self.assertEqual(self.b.evaluate("location.search"), "?scale=1&lesson=inverse")
        self.assertEqual(self.value("time"), "6.00", "the second lesson as it was left")
        self.b.key("F2")  # on through the third lesson
        self.wait_until("!!document.getElementById('rate_9')", "the third lesson")
        self.b.key("F2")
        self.wait_until("!!document.getElementById('forward')", "the first lesson again")
        self.wait_step_done(1)
        self.assertEqual(self.b.errors, [])

    # A reload: the browser discarding a background tab and loading it again, a pupil's reload.
    def reload(self):
        self.b.evaluate("window.beforeReload = true")
        self.b.send("Page.reload")
        self.wait_until('!window.beforeReload && document.body && '
                        'document.body.dataset.ready == "1"', "the reloaded page's board")

    def shown(self):
        """What a pupil sees and hears: the board, each control's look and the whole state read
        out, and the address. The controls' places (with room for the focus ring, which starts
        where it starts) are masked in the picture: their looks are read from the page."""
        looks = self.b.evaluate(
            "[...lessonPage.controls.values()].map(c => [c.el.id, c.el.disabled, "
            "!!c.el.checked, c.el.tagName == 'BUTTON' ? c.el.textContent : c.el.value, "
            "getComputedStyle(c.el).backgroundColor, "
            "(r => [r.left, r.top, r.width, r.height])(c.box.getBoundingClientRect())])")
        # The delay's list, open or not, is no state of the lesson.
        boxes = [look[5] for look in looks] + self.b.evaluate(
            "[...document.querySelectorAll('#delay-list')].filter(e => e.getClientRects()"
            ".length).map(e => (r => [r.left, r.top, r.width, r.height])"
            "(e.getBoundingClientRect()))")
        return {"board": self.board(), "masked": boxes, "controls": [look[:5] for look in looks],
                "state": self.b.evaluate("document.getElementById('state').textContent"),
                "address": self.b.evaluate("location.search")}

    def assert_same(self, before, after, what):
        self.assertEqual(before["address"], after["address"], what)
        self.assertEqual(before["state"], after["state"], what)
        self.assertEqual(before["controls"], after["controls"], what)
        self.assertEqual(before["board"].size, after["board"].size, what)
        shots = [before["board"].copy(), after["board"].copy()]
        for shot in shots:
            draw = ImageDraw.Draw(shot)
            for l, t, w, h in before["masked"] + after["masked"]:
                draw.rectangle([l - 8, t - 8, l + w + 7, t + h + 7], fill=(0, 0, 0))
        where = ImageChops.difference(*shots).getbbox()
        if where:
            out = tempfile.mkdtemp(prefix="water-reload-")
            shots[0].save(os.path.join(out, "before.png"))
            shots[1].save(os.path.join(out, "after.png"))
            self.fail(f"{what}: the board differs within {where}; pictures in {out}")

    def fill(self, rate, stop_at=None):
        """Fills at `rate` litres a minute, or stops the fill once it shows `stop_at`."""
        self.b.click_id(f"rate_{self.RATES.index(rate)}")
        self.b.click_id("pour")
        if stop_at:
            self.wait_until(f"parseFloat(document.getElementById('time').value) >= {stop_at}",
                            f"the fill to pass {stop_at}")
            self.b.click_id("stop")
        self.wait_until("!document.getElementById('pour').disabled", "the fill to end", 60)

    def test_reload_brings_back_both_lessons(self):
        """A reload in the middle of each lesson brings back exactly what was shown: the
        water, the table, the graph, the options, the delay as typed and the lesson."""
        for box in ("hint", "table", "graph"):
            self.b.click_id(box)
        self.retype("delay", "3")
        self.steps(3)
        before = self.shown()
        self.reload()
        self.assert_same(before, self.shown(), "the first lesson at 3 minutes")

        self.b.key("F2")
        self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
        self.b.click_id("table")
        self.b.click_id("graph")
        self.set_delay(0)
        for rate in (12, 1, 4):
            self.fill(rate)
        self.set_delay(40)  # 1.6 s a minute: 停止 lands inside the first minute
        self.fill(10, stop_at=0.2)
        self.assertEqual(self.value("time"), "1.00", "stopped at the next whole minute")
        before = self.shown()
        self.reload()
        after = self.shown()
        self.assertIn("lesson=inverse", after["address"])
        self.assert_same(before, after, "the second lesson after three fills and one stopped")
        self.b.key("F2")
        self.wait_until("!!document.getElementById('rate_9')", "the third lesson")
        # −3 L a minute: every minute shown, so its line is drawn; then 2 minutes ago.
        self.set_delay(0)
        self.b.click_id("graph")
        self.b.click_id("rate_2")
        for key, times in (("PageUp", 6), ("PageDown", 12), ("PageUp", 8)):
            for _ in range(times):
                self.b.key(key)
        self.wait_until("document.getElementById('time').value == '\u22122.00'",
                        "two minutes ago")
        before = self.shown()
        self.reload()
        after = self.shown()
        self.assertIn("lesson=constant", after["address"])
        self.assert_same(before, after, "the third lesson, a line drawn, two minutes ago")
        self.b.key("F2")
        self.wait_until("!!document.getElementById('forward') && "
                        "!document.getElementById('rate_9')", "the first lesson")
        self.assertEqual(self.value("time"), "3.00", "the first lesson kept too")
        self.assertEqual(self.value("delay"), "3")

    def test_reload_during_a_step_or_a_fill(self):
        """A step or fill the reload cut off comes back at the last whole minute it reached,
        at rest."""
        self.set_delay(1)
        self.steps(2)
        self.set_delay(100)  # 4 s a minute
        before = self.shown()
        self.b.click_id("forward")
        self.wait_until("parseFloat(document.getElementById('time').value) >= 2.2",
                        "the step to be under way")
        self.reload()
        self.assert_same(before, self.shown(), "the step cut off at 2 minutes")

        self.b.key("F2")
        self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
        self.set_delay(3)  # 1 L a minute, 0.12 s a minute
        self.b.click_id("rate_0")
        self.b.click_id("pour")
        self.wait_until("parseFloat(document.getElementById('time').value) >= 3.5",
                        "the fill to pass 3 minutes")
        self.reload()
        self.assertTrue(self.enabled("pour"), "at rest")
        minutes = float(self.value("time"))
        self.assertEqual(minutes, int(minutes), "a whole minute")
        self.assertGreaterEqual(minutes, 3)
        self.check_inverse_rest()

    # A record the page kept, altered as anyone could in the tab's storage: each is ignored
    # whole, and the page starts at its initial screen.
    ALTERED = [("another version", "water-lessons 2", "water-lessons 3"),
               ("a rate that does not exist", "inverse.rate=10", "inverse.rate=7"),
               ("minutes out of range", "inverse.minutes=1", "inverse.minutes=99"),
               ("a huge number", "proportion.progress=6", "proportion.progress=99999999999"),
               ("a delay absurdly long", "proportion.delay=3", "proportion.delay=" + "9" * 500),
               ("a control character in the delay", "proportion.delay=3",
                "proportion.delay=3\u0007"),
               ("cut short", "inverse.delay=40\n", "inverse.delay=4"),
               ("foreign JSON", None, '{"shown": "inverse", "progress": 6}')]

    def test_altered_record_ignored_and_storage_refused(self):
        self.b.click_id("hint")
        self.retype("delay", "3")
        self.steps(3)
        self.b.key("F2")
        self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
        self.set_delay(40)
        self.fill(10, stop_at=0.2)
        kept = self.b.evaluate("sessionStorage.getItem('water-proportion')")
        self.assertIsNotNone(kept, "the page keeps a record for its tab")
        for what, old, new in self.ALTERED:
            with self.subTest(what):
                altered = new if old is None else kept.replace(old, new)
                self.assertNotEqual(altered, kept)
                self.b.evaluate("sessionStorage.setItem('water-proportion', %s)"
                                % json.dumps(altered))
                self.reload()
                # The lesson the address names, as on a first visit, and the other at its
                # initial screen too.
                self.assertTrue(self.inverse_shown(), "the lesson the address names")
                self.assertEqual([self.value("time"), self.value("delay")], ["0.00", "20"])
                self.assertIn("0 分後、水は 0 L。表: まだありません",
                              self.b.evaluate("document.getElementById('state').textContent"))
                self.b.key("F2")  # on through the third lesson
                self.wait_until("!!document.getElementById('rate_9')", "the third lesson")
                self.b.key("F2")
                self.wait_until("!!document.getElementById('forward')", "the first lesson")
                self.assertEqual([self.value("time"), self.value("delay")], ["0.00", "20"])
                self.assertFalse(self.b.evaluate("document.getElementById('hint').checked"))
                self.assertLooksRight(self.board(), SCENARIO["short"])
                self.b.key("F2")
                self.wait_until("!!document.getElementById('rate_0')", "the second lesson")
        # Storage refused, as in some private modes: the lesson goes on, and a reload starts
        # afresh.
        script = self.b.send("Page.addScriptToEvaluateOnNewDocument", source=(
            "Object.defineProperty(window, 'sessionStorage', {get() { throw new DOMException("
            "'refused', 'SecurityError'); }});"))["identifier"]
        try:
            self.reload()
            self.b.key("F2")  # on through the third lesson
            self.wait_until("!!document.getElementById('rate_9')", "the third lesson")
            self.b.key("F2")
            self.wait_until("!!document.getElementById('forward')", "the first lesson")
            self.set_delay(1)
            self.steps(1)
            self.reload()
            self.assertEqual(self.value("time"), "0.00")
            self.steps(1)
        finally:
            self.b.send("Page.removeScriptToEvaluateOnNewDocument", identifier=script)

    def test_a_new_tab_starts_afresh(self):
        """What a tab keeps is its own: a new tab, or the installed app opened afresh, starts
        at the initial screen, and the tab goes on with its own after a reload."""
        for box in ("hint", "table"):
            self.b.click_id(box)
        self.set_delay(1)
        self.steps(2)
        self.assertEqual(self.b.in_new_tab(site.url + "?scale=1", (
            "[document.getElementById('time').value, document.getElementById('delay').value, "
            "document.getElementById('hint').checked, document.getElementById('table')"
            ".checked]")), ["0.00", "20", False, False])
        before = self.shown()
        self.reload()
        self.assert_same(before, self.shown(), "this tab's own lesson")

    def test_desktop_and_page_agree(self):
        if not args.screenshot:
            self.skipTest("no --screenshot: the desktop's water-screenshot is needed")
        for name, flags, minutes in self.STATES:
            with self.subTest(name):
                self.setUp()
                self.agree(name, flags, minutes)
        for name, flags, rates in self.INVERSE_STATES:
            with self.subTest(name):
                self.setUp()
                self.agree(name, flags, rates=rates)
        for name, flags, moves in self.CONSTANT_STATES:
            with self.subTest(name):
                self.setUp()
                self.agree(name, flags, moves=moves)

    def agree(self, name, flags, minutes=0, rates=(), moves=None):
        """The desktop's picture of a state beside the page's; `rates` are poured in the
        second lesson (flag "inverse"), `minutes` stepped in the first, `moves` (a rate, the
        minutes back, then forward) in the third (flag "constant")."""
        out = tempfile.mkdtemp(prefix="water-agree-")
        desk_png = os.path.join(out, "desktop.png")
        inverse = "inverse" in flags
        try:
            actions = [a for r in rates for a in ("pour", str(r))] if inverse else \
                ["steps", str(minutes)]
            if moves:
                actions = ["rate", str(moves[0]), "back", str(moves[1]), "steps", str(moves[2])]
            subprocess.run([args.screenshot, desk_png, *flags, *actions],
                           check=True, timeout=60, capture_output=True,
                           env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            desk = Image.open(desk_png).convert("RGB")
            if inverse:
                self.b.open(site.url + "?scale=1&lesson=inverse")
            if moves:
                self.b.open(site.url + "?scale=1&lesson=constant")
            self.set_delay(0)
            for flag, box in (("hint", "hint"), ("tall", "table"), ("graph", "graph")):
                if flag in flags:
                    self.b.click_id(box)
                    self.wait_until(f"document.getElementById('{box}').checked", box)
            if inverse:
                for r in rates:
                    self.b.click_id(f"rate_{self.RATES.index(r)}")
                    self.b.click_id("pour")
                    self.wait_until(f"document.getElementById('time').value == '{60 // r}.00' "
                                    "&& !document.getElementById('pour').disabled",
                                    f"the fill at {r} L a minute", 30)
            elif moves:
                rate, back, forward = moves
                self.b.click_id(f"rate_{self.CONSTANT_RATES.index(rate)}")
                for key, times in (("PageUp", back), ("PageDown", forward)):
                    for _ in range(times):
                        self.b.key(key)
                x = forward - back
                self.wait_until("document.getElementById('time').value == '%s%d.00'"
                                % ("\\u2212" if x < 0 else "", abs(x)), "the minute reached")
            else:
                self.steps(minutes)
            self.wait_until("(r => r.width == %d && r.height == %d)(document.getElementById("
                            "'board').getBoundingClientRect())" % desk.size,
                            f"the board at the desktop's size {desk.size}")
            page = self.board()
            # The windowed controls are the page's own elements: masked with their focus rings.
            boxes = self.b.evaluate("[...document.querySelectorAll('#stage .ctl')].map(e => "
                                    "(r => [r.left, r.top, r.width, r.height])"
                                    "(e.getBoundingClientRect()))")
        except BaseException:
            shutil.rmtree(out)
            raise
        mask = Image.new("L", desk.size, 0)
        draw = ImageDraw.Draw(mask)
        texts = TEXT_AREAS + (INVERSE_TEXT_AREAS if inverse else []) + \
            (CONSTANT_TEXT_AREAS if moves else [])
        for l, t, w, h in texts + [[l - 8, t - 8, w + 16, h + 16] for l, t, w, h in boxes]:
            draw.rectangle([l, t, l + w - 1, t + h - 1], fill=255)
        diff = ImageChops.difference(desk, page).convert("L").point(lambda v: 255 if v else 0)
        diff = ImageChops.subtract(diff, mask)
        where = diff.getbbox()
        if where:
            page.save(os.path.join(out, "page.png"))
            Image.composite(Image.new("RGB", desk.size, (255, 0, 0)), desk, diff).save(
                os.path.join(out, "differs.png"))
            n = sum(1 for v in diff.getdata() if v)
            self.fail(f"{name}: {n} px differ within {where}; pictures in {out}")
        shutil.rmtree(out)


# Where text stands on the board, in form px [left, top, width, height], with room for a label
# sized by other font metrics: the title, the scale's labels, 分後, （１秒ごと）, the table's
# headings and values, the graph's labels and numbers.
TEXT_AREAS = [[0, 0, 240, 50], [497, 84, 50, 396], [738, 82, 70, 36], [642, 212, 90, 24],
              [10, 550, 84, 48], [10, 604, 84, 50], [100, 548, 710, 50], [100, 604, 710, 50],
              [826, 84, 29, 396], [850, 466, 330, 26], [820, 62, 80, 28], [1169, 444, 46, 30],
              [1044, 92, 130, 32]]
# The third lesson's own: the 0 line's label, the rates' heading, the formula, the graph's
# axis labels and numbers, and the lines' labels right of their ends.
CONSTANT_TEXT_AREAS = [[40, 266, 60, 24], [570, 228, 140, 20], [860, 40, 90, 28],
                       [1010, 66, 50, 24], [978, 86, 34, 386], [845, 286, 330, 24],
                       [1165, 252, 50, 28], [1155, 90, 60, 380],
                       [495, 456, 3, 10]]  # the minus of "−30", over the floor's corner
# The second lesson's own: the rates' heading, the curve's formula, the graph's minutes.
INVERSE_TEXT_AREAS = [[0, 0, 300, 50], [570, 228, 150, 24], [990, 250, 170, 44],
                      [1130, 476, 85, 32]]


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--site", default=os.path.join(HERE, "..", "..", "build-web", "site"))
    parser.add_argument("--screenshot")
    parser.add_argument("--axe", required=True, help="axe.min.js, fetched by fetchaxe.py")
    args, rest = parser.parse_known_args()
    with open(args.axe, encoding="utf-8") as f:
        AXE = f.read()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
