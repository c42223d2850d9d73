"""The page's essential cases in the three engines pupils' browsers are built on: Chromium
(DevTools protocol), WebKit (WebKitWebDriver) and Firefox (WebDriver BiDi). One browser per
engine, real pointer and key input, pixels read back from screenshots at ?scale=1.

usage: /usr/bin/python3 test_engines.py --site build-web/site [unittest arguments, e.g. -k WebKit]"""

import argparse
import os
import sys
import time
import unittest

import chromium
import webdriver
from test_lesson import (BOARD, FLOOR, MINUTE, SCENARIO, SHORT, TALL, WATER, probe_failures,
                         uniform)

ENGINES = {"Chromium": chromium.Browser, "WebKit": webdriver.WebKit,
           "Firefox": webdriver.Firefox}
CONTROLS = ["quit", "run", "forward", "back", "stop", "initialScreen",
            "hint", "table", "graph", "time", "delay"]
WHITE = (255, 255, 255)

args = None
site = None


def setUpModule():
    global site
    site = chromium.Site(args.site)


def tearDownModule():
    site.close()


class EssentialCases:
    """Run once per engine: the subclasses below name the engine."""

    engine = None

    @classmethod
    def setUpClass(cls):
        cls.b = ENGINES[cls.engine](1280, 800)

    @classmethod
    def tearDownClass(cls):
        cls.b.close()

    def setUp(self):
        self.b.open(site.url + "?scale=1")

    def tearDown(self):
        self.assertEqual(self.b.errors, [], f"{self.engine}: the page reported errors")

    # Reading the page.
    def value(self, element_id):
        return self.b.evaluate(f"document.getElementById('{element_id}').value")

    def enabled(self, element_id):
        return not self.b.evaluate(f"document.getElementById('{element_id}').disabled")

    def board_rect(self):
        return self.b.evaluate("(r => [r.left, r.top, r.width, r.height])"
                               "(document.getElementById('board').getBoundingClientRect())")

    def board(self):
        """The board as shown, one pixel per form pixel."""
        left, top, w, h = self.board_rect()
        self.assertEqual((left, top), (0, 0), "at ?scale=1 the board starts at the page's corner")
        shot = self.b.screenshot([0, 0, w, h])
        if shot.size != (w, h):  # more than one device pixel per CSS pixel
            shot = shot.resize((int(w), int(h)), 0)
        return shot

    def settled(self, check, timeout=2):
        """The board once `check(shot)` passes. An engine may show the canvas a few frames
        late (WebKit, when the machine is busy), so the last frames get a moment to come."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.board()
            try:
                check(shot)
                return shot
            except AssertionError:
                if time.monotonic() > deadline:
                    raise
            time.sleep(0.05)

    def assertLooksRight(self, section):
        def check(shot):
            bad = probe_failures(shot, section)
            if bad:
                self.fail(f"{self.engine}: {len(bad)} probes differ:\n  " + "\n  ".join(bad))
        return self.settled(check)

    def assert_water(self, minutes):
        """Each minute's water fills its 30 px band of the container; above it the board."""
        def check(image):
            for i in range(minutes):
                top = FLOOR - MINUTE * (i + 1)
                self.assertEqual(uniform(image, [158, top + 2, 300, 26]), WATER,
                                 f"water of minute {i + 1}")
            surface = FLOOR - MINUTE * minutes
            if minutes < 12:
                self.assertEqual(uniform(image, [158, 100, 300, surface - 2 - 100]), BOARD,
                                 f"above the water of {minutes} minutes")
        return self.settled(check)

    def wait_step_done(self, minutes, timeout=20):
        self.b.wait(f"document.getElementById('time').value == '{minutes}.00' && "
                    "(!document.getElementById('forward').disabled || "
                    "!document.getElementById('back').disabled)",
                    f"the step to end at {minutes}.00", timeout)

    def wait_size(self, axis, px):
        self.b.wait(f"document.getElementById('board').getBoundingClientRect().{axis} == {px}",
                    f"the board's {axis} to become {px} px")

    # The cases.
    def test_load(self):
        self.assertEqual(self.board_rect(), [0, 0, *SHORT])
        self.assertLooksRight(SCENARIO["short"])
        self.assertEqual(self.value("time"), "0.00")
        self.assertEqual(self.value("delay"), "20")
        self.assertEqual([c for c in CONTROLS if not self.enabled(c)], ["back", "stop"])

    def test_step_forward_and_back(self):
        self.b.type_into("delay", "1")
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.assertEqual(self.assert_water(1).getpixel((300, 445)), WATER)
        self.b.click_id("back")
        self.wait_step_done(0)
        self.assertEqual(self.assert_water(0).getpixel((300, 445)), BOARD)
        self.assertFalse(self.enabled("back"))

    def test_keys_of_a_remote(self):
        self.b.type_into("delay", "1")  # the focus stays in the box: the keys act there too
        self.b.key("PageDown")
        self.wait_step_done(1)
        self.assert_water(1)
        self.b.key("PageUp")
        self.wait_step_done(0)
        self.assert_water(0)

    def test_table_and_graph(self):
        self.b.click_id("table")
        self.wait_size("height", TALL[1])
        self.assertEqual(list(self.assertLooksRight(SCENARIO["tall"]).size), TALL)
        self.b.click_id("graph")
        self.wait_size("width", 1215)
        self.settled(lambda shot: self.assertEqual(
            [shot.getpixel(p) for p in ((860, 300), (1000, 460))], [WHITE, WHITE],
            "the graph's axes"))

    def test_run_stopped_then_run_to_the_end(self):
        self.b.type_into("delay", "5")
        self.b.click_id("run")
        self.b.wait("parseFloat(document.getElementById('time').value) >= 1.2",
                    "the run to pass 1.2 minutes")
        self.assertFalse(self.enabled("forward"), "a run keeps 進む off")
        self.b.click_id("stop")
        self.b.wait("!document.getElementById('run').disabled", "自動 to come back")
        shown = self.value("time")
        self.assertRegex(shown, r"^\d+\.00$", "the run stops at a whole minute")
        self.assert_water(int(float(shown)))
        self.b.type_into("delay", "1")
        self.b.click_id("run")
        self.b.wait("document.getElementById('time').value == '12.00' && "
                    "!document.getElementById('run').disabled", "the run to end", 30)
        self.assert_water(12)
        self.assertFalse(self.enabled("forward"), "nothing left to step")

    def test_end(self):
        self.b.click_id("quit")
        self.b.wait("[...document.querySelectorAll('button')].some(b => "
                    "b.textContent.trim() == 'もう一度' && b.getClientRects().length)",
                    "the ended overlay with もう一度")
        self.assertEqual([c for c in CONTROLS if self.enabled(c)], [], "every control disabled")

    def test_capital_b_stops_a_fill(self):
        """B typed as a capital, as with Caps Lock, is the remote's 停止 in every engine."""
        self.b.open(site.url + "?scale=1&lesson=inverse")
        self.b.type_into("delay", "5")
        self.b.click_id("pour")  # 入れる at 5 L a minute: 12 minutes
        self.b.wait("parseFloat(document.getElementById('time').value) >= 1.2",
                    "the fill to pass 1.2 minutes")
        self.b.key("B")
        self.b.wait("!document.getElementById('pour').disabled", "入れる to come back")
        shown = self.value("time")
        self.assertRegex(shown, r"^\d+\.00$", "the fill stops at a whole minute")
        self.assertLess(int(float(shown)), 12, "B stopped nothing")

    def test_second_lesson(self):
        self.b.open(site.url + "?scale=1&lesson=inverse")
        entries = self.b.evaluate("history.length")
        self.b.type_into("delay", "1")
        self.b.click_id("rate_7")  # 12 L a minute
        self.b.key("F5")  # the remote's start key pours; the page must not reload
        self.b.wait("document.getElementById('time').value == '5.00' && "
                    "!document.getElementById('pour').disabled", "the fill to end", 30)
        self.settled(lambda shot: self.assertEqual(
            [shot.getpixel((300, 101)), shot.getpixel((300, 98))], [WATER, BOARD],
            "the container full to 60 L"))
        self.b.click_id("toProportion")  # 比例へ
        self.b.wait("!!document.getElementById('forward')", "the first lesson")
        self.assertEqual(self.b.evaluate("location.search"), "?scale=1")
        self.assertEqual(self.b.evaluate("history.length"), entries, "the switch added a "
                         "history entry: Back would show the other lesson's address")
        self.assertEqual(self.b.evaluate("document.querySelectorAll('[role=listbox]').length"),
                         1, "the delay lists")

    def test_bold_is_bold(self):
        """Bold is drawn as a stroke around the plain outline, so it is bold in every engine,
        also where the font has no bold face and the engine would not thicken it."""
        def ink():
            self.b.evaluate("new Promise(r => requestAnimationFrame(() => "
                            "requestAnimationFrame(r)))", await_promise=True)
            shot = self.b.screenshot(self.b.box("time"))
            return sum(1 for p in shot.getdata() if sum(p) < 200)

        bold = ink()
        self.b.evaluate("Object.assign(document.getElementById('time').style, "
                        "{webkitTextStrokeWidth: '0px', fontWeight: 'normal'})")
        plain = ink()
        self.assertGreater(plain, 0, "the time box shows its figures")
        self.assertGreater(bold, plain * 1.2, f"{self.engine}: the bold figures as thick as "
                           "plain ones")

    def test_single_file_from_disk(self):
        single = os.path.abspath(os.path.join(args.site, "..", "water-proportion.html"))
        self.b.open("file://" + single + "?scale=1")
        self.assertLooksRight(SCENARIO["short"])
        self.b.type_into("delay", "1")
        self.b.click_id("forward")
        self.wait_step_done(1)
        self.assert_water(1)


for _engine in ENGINES:
    globals()["In" + _engine] = type("In" + _engine, (EssentialCases, unittest.TestCase),
                                     {"engine": _engine})


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--site", default=os.path.join(here, "..", "..", "build-web", "site"))
    args, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
