"""What a screen reader on Linux meets: the desktop program on an X server of its own, with a
private D-Bus session and the AT-SPI bus that session starts, read and driven through AT-SPI as
Orca would, and through real keys sent by the X server. The second lesson's rate buttons are
toggles, the chosen rate alone checked; グラフ and 初期画面 tell what they do in the lesson
shown.

usage: /usr/bin/python3 test_atspi.py --program build/water-proportion [unittest arguments]
Needs Xvfb, dbus-daemon, at-spi2-core, xdotool and python3-gi with gir1.2-atspi-2.0 (the
Makefile's Debian packages). An AT-SPI bus that cannot be reached fails the test."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# Processes in groups of their own, as the page's tests start their browsers.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "web"))
from chromium import _own_group_dying_with_us  # noqa: E402
from webdriver import stop  # noqa: E402

RATES = [1, 2, 3, 4, 5, 6, 10, 12]
BUTTONS = {Atspi.Role.PUSH_BUTTON, Atspi.Role.TOGGLE_BUTTON}
WAIT = 10  # seconds for anything the program is asked to do; it takes milliseconds
QUIET = 0.3  # seconds without news after an action that must change nothing


def rate_name(rate):
    return f"毎分 {rate} L"


# What the pupil does in the second lesson, one after another, and the rate then chosen:
# "press" is a screen reader's action on the control so named, "key" a key the X server sends.
STEPS = [
    ("at the start", None, None, 5),
    ("a screen reader presses 12", "press", rate_name(12), 12),
    ("it presses the chosen 12 again", "press", rate_name(12), 12),
    ("key 3", "key", "3", 3),
    ("key ↑", "key", "Up", 4),
    ("a screen reader presses 初期画面", "press", "初期画面", 5),
    ("a screen reader presses the chosen 5", "press", rate_name(5), 5),
    ("key 1", "key", "1", 1),
]

# What a control is said to do in the second lesson, told apart from the first lesson.
DESCRIPTIONS = [
    ("グラフ", "いっぱいになるまでの時間 (y)"),
    ("初期画面", "1 分間に入れる水は 5 L に"),
]


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=WAIT):
    """Polls probe, running the events AT-SPI delivers meanwhile, until it returns something
    true; fails with what was awaited and probe's last answer once the time is up."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while True:
        while context.iteration(False):
            pass
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout} s for {what}")
        time.sleep(0.02)


def settle(seconds):
    """Runs the events AT-SPI delivers for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def children(accessible):
    return [accessible.get_child_at_index(i) for i in range(accessible.get_child_count())]


def states(accessible):
    accessible.clear_cache()
    return accessible.get_state_set()


def actions(accessible):
    """The names of the accessible's actions, untranslated, as Orca matches them."""
    with warnings.catch_warnings():
        # The typelib marks its only binding of the name deprecated.
        warnings.simplefilter("ignore", DeprecationWarning)
        return [Atspi.Action.get_action_name(accessible, i)
                for i in range(Atspi.Action.get_n_actions(accessible))]


class Desktop:
    """Xvfb, a D-Bus session bus, and the programs started on them: all ended by close(),
    whatever happened before."""

    def __init__(self, program):
        self.program = program
        self.procs = []
        self.scratch = tempfile.TemporaryDirectory(prefix="water-atspi-")
        self.log = open(os.path.join(self.scratch.name, "log"), "w+b")
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _spawn(self, argv, env=None, pass_fds=()):
        proc = subprocess.Popen(argv, env=env, pass_fds=pass_fds, stdin=subprocess.DEVNULL,
                                stdout=self.log, stderr=self.log,
                                preexec_fn=_own_group_dying_with_us)
        self.procs.append(proc)
        return proc

    def _read_line(self, argv, option):
        """Starts a server that writes one line to the descriptor given after option once it
        listens, and returns that line."""
        r, w = os.pipe()
        try:
            self._spawn(argv + [option, str(w)], pass_fds=[w])
            os.close(w)
            w = None
            line = b""
            deadline = time.monotonic() + WAIT
            os.set_blocking(r, False)
            while not line.endswith(b"\n"):
                if time.monotonic() > deadline:
                    raise Failure(f"{argv[0]} did not start in {WAIT} s:\n{self.tail()}")
                try:
                    chunk = os.read(r, 256)
                except BlockingIOError:
                    time.sleep(0.02)
                    continue
                if not chunk:
                    raise Failure(f"{argv[0]} did not start:\n{self.tail()}")
                line += chunk
            return line.decode().strip()
        finally:
            os.close(r)
            if w is not None:
                os.close(w)

    def tail(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read().decode(errors="replace")[-3000:]

    def _start(self):
        for tool in ("Xvfb", "dbus-daemon", "xdotool", "/usr/libexec/at-spi-bus-launcher"):
            if not shutil.which(tool):
                raise Failure(f"{tool} is missing: `make deps` installs it")
        display = self._read_line(
            ["Xvfb", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            "-displayfd")
        os.environ["DISPLAY"] = ":" + display
        # The programs' settings, caches and sockets stay in the scratch folder.
        home = self.scratch.name
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        for name, folder in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                             ("XDG_CACHE_HOME", "cache")):
            os.environ[name] = os.path.join(home, folder)
        os.environ["XDG_RUNTIME_DIR"] = runtime
        address = self._read_line(["dbus-daemon", "--session", "--nofork"], "--print-address")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        # The session starts the accessibility bus on the first question about it.
        try:
            session = Gio.DBusConnection.new_for_address_sync(
                address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                      "GetAddress", None, GLib.VariantType("(s)"),
                                      Gio.DBusCallFlags.NONE, WAIT * 1000, None)
            session.close_sync(None)
        except GLib.Error as e:
            raise Failure(f"the AT-SPI bus cannot be reached: {e.message}\n{self.tail()}")
        if not reply.unpack()[0]:
            raise Failure("the AT-SPI bus has no address")
        Atspi.init()
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")

    def start(self, *args):
        """Starts the program and returns it with its application as AT-SPI has it."""
        proc = self._spawn([self.program, *args], env=self.env)

        def registered():
            if proc.poll() is not None:
                raise Failure(f"the program ended with {proc.returncode}:\n{self.tail()}")
            desktop = Atspi.get_desktop(0)
            desktop.clear_cache()
            for app in children(desktop):
                if app is not None and app.get_process_id() == proc.pid and children(app):
                    return app
            return None

        try:
            app = wait_for(f"the program {' '.join(args)} on the AT-SPI bus", registered)
        except Failure as e:
            raise Failure(f"{e}:\n{self.tail()}")
        return proc, app

    def close(self):
        for proc in reversed(self.procs):
            stop(proc)
        self.procs.clear()
        self.log.close()
        self.scratch.cleanup()


def shown_window(app):
    """The window the pupil sees: the application's frame that is showing."""
    frames = [w for w in children(app) if states(w).contains(Atspi.StateType.SHOWING)]
    if len(frames) != 1:
        raise Failure(f"{len(frames)} windows showing: {[w.get_name() for w in frames]}")
    return frames[0]


def controls(window):
    """The window's controls by their accessible names."""
    found = {}
    pending = children(window)
    while pending:
        c = pending.pop()
        found.setdefault(c.get_name(), c)
        pending.extend(children(c))
    return found


desktop = None
args = None


def setUpModule():
    global desktop
    desktop = Desktop(args.program)


def tearDownModule():
    desktop.close()


class SecondLesson(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.proc, app = desktop.start("--lesson=inverse")
        cls.window = shown_window(app)
        cls.controls = controls(cls.window)
        # A first lesson beside it, to tell their descriptions apart.
        _, first = desktop.start()
        cls.first_controls = controls(shown_window(first))
        cls.events = []
        cls.listener = Atspi.EventListener.new(
            lambda e: cls.events.append((e.source.get_name(), e.detail1)))
        cls.listener.register("object:state-changed:checked")

    @classmethod
    def tearDownClass(cls):
        cls.listener.deregister("object:state-changed:checked")

    def rate_buttons(self):
        buttons = [self.controls.get(rate_name(r)) for r in RATES]
        missing = [rate_name(r) for r, b in zip(RATES, buttons) if b is None]
        self.assertEqual(missing, [], f"rate buttons missing among {sorted(self.controls)}")
        return buttons

    def checked(self):
        return [b.get_name() for b in self.rate_buttons()
                if states(b).contains(Atspi.StateType.CHECKED)]

    def act(self, how, what):
        if how == "press":
            control = self.controls[what]
            names = actions(control)
            self.assertIn("Press", names, f"{what} cannot be pressed")
            self.assertTrue(Atspi.Action.do_action(control, names.index("Press")))
        else:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                    str(self.proc.pid)], capture_output=True, text=True,
                                   timeout=WAIT)
            windows = found.stdout.split()
            self.assertEqual(len(windows), 1, f"the lesson's X windows: {found}")
            subprocess.run(["xdotool", "windowfocus", "--sync", windows[0]], check=True,
                           timeout=WAIT)
            subprocess.run(["xdotool", "key", what], check=True, timeout=WAIT)

    def test_rate_buttons_are_toggles(self):
        for button in self.rate_buttons():
            with self.subTest(button.get_name()):
                self.assertIn(button.get_role(), BUTTONS, button.get_role_name())
                names = actions(button)
                self.assertIn("Press", names)
                # Pressed as a click would, never toggled behind the lesson's back.
                self.assertNotIn("Toggle", names)
                self.assertTrue(states(button).contains(Atspi.StateType.ENABLED))

    def test_chosen_rate_is_checked(self):
        # One scenario: each step starts where the last one left the lesson, so the first
        # wrong step ends it.
        chosen = None
        for label, how, what, rate in STEPS:
            self.events.clear()
            if how:
                self.act(how, what)
            expected = [rate_name(rate)]
            told = f"{rate_name(rate)}。"
            try:
                if rate == chosen:
                    # Nothing to wait for: the lesson's answer is given time to arrive.
                    settle(QUIET)
                    if self.checked() != expected:
                        raise Failure(f"{expected} alone checked")
                    if self.events:
                        raise Failure("the chosen rate's checked state left alone")
                else:
                    wait_for(f"{expected} alone checked", lambda: self.checked() == expected)
                    # What the window tells begins with the rate.
                    wait_for(f"the window to tell {told}",
                             lambda: self.window.get_description().startswith(told))
                    if chosen is not None:
                        # A screen reader that listens hears the change.
                        wait_for(f"{expected[0]} told checked, {rate_name(chosen)} unchecked",
                                 lambda: (expected[0], 1) in self.events
                                 and (rate_name(chosen), 0) in self.events)
            except Failure as e:
                self.fail(f"{label}: {e}; checked: {self.checked()}, the window tells "
                          f"{self.window.get_description()!r}, state changes told: "
                          f"{self.events}")
            chosen = rate

    def test_descriptions_tell_the_second_lesson(self):
        for name, fragment in DESCRIPTIONS:
            with self.subTest(name):
                second = self.controls[name].get_description()
                first = self.first_controls[name].get_description()
                self.assertIn(fragment, second)
                self.assertTrue(first, f"{name} tells nothing in the first lesson")
                self.assertNotIn(fragment, first)
                self.assertNotEqual(second, first)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--program", required=True)
    args, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
