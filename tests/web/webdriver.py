"""WebKit and Firefox driven through WebDriver, with the calls of chromium.Browser that the
engine tests need: WebKit (the engine of Safari) through WebKitWebDriver, classic WebDriver over
HTTP, its browser on a private Xvfb; Firefox headless through WebDriver BiDi over a websocket.
Input is real in both: pointer and key actions, not events dispatched by script. Run with
Debian's /usr/bin/python3."""

import base64
import io
import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import urllib.error
import urllib.request

import websocket
from PIL import Image

from chromium import Driver, PageError, _own_group_dying_with_us, read

# WebDriver's code points for the keys without a character of their own.
KEYS = {"PageUp": "\ue00e", "PageDown": "\ue00f", "End": "\ue010", "Home": "\ue011",
        "ArrowLeft": "\ue012", "ArrowUp": "\ue013", "ArrowRight": "\ue014",
        "ArrowDown": "\ue015", "Escape": "\ue00c", "Enter": "\ue007", "Backspace": "\ue003",
        "Tab": "\ue004", "F1": "\ue031", "F5": "\ue035", " ": "\ue00d"}

# Page errors as a script can see them, for an engine that reports none itself: uncaught
# exceptions, rejected promises and console.error, from the moment the hook is installed.
ERROR_HOOK = """(() => {
    if (window.__pageErrors) return;
    const errors = window.__pageErrors = [];
    addEventListener("error", e => errors.push(`${e.message} (${e.filename}:${e.lineno})`));
    addEventListener("unhandledrejection", e => errors.push("unhandled rejection: " +
        String(e.reason && e.reason.stack || e.reason)));
    const original = console.error;
    console.error = (...a) => { errors.push(a.map(String).join(" ")); original.apply(console, a); };
})()"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def stop(proc):
    """Ends a process started in a group of its own, and whatever it started in that group."""
    if proc is None:
        return
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            pass
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    proc.wait()


class Driven(Driver):
    """The WebDriver engines' common part: opening a page and the actions both protocols
    take."""

    def open(self, url, ready=True):
        """Loads the page in a session of its own and, unless told otherwise, waits for its
        first painted board; errors the page reported before and no test looked at fail the
        test here."""
        if self.errors:
            reported = list(self._errors)
            self._errors.clear()
            raise PageError(f"{self.name}: the page reported errors before {url} was opened: "
                            f"{reported}")
        self._errors.clear()
        self.forget_session(url)
        self.navigate(url)
        if ready:
            self.wait('document.body && document.body.dataset.ready == "1"',
                      "the page to draw its board")
        self.dpr = self.evaluate("devicePixelRatio")

    # Both protocols take the same actions.
    @staticmethod
    def click_actions(x, y):
        return [{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                 "actions": [{"type": "pointerMove", "x": int(x), "y": int(y),
                              "origin": "viewport", "duration": 0},
                             {"type": "pointerDown", "button": 0},
                             {"type": "pointerUp", "button": 0}]}]

    @staticmethod
    def key_actions(key):
        value = KEYS.get(key, key)
        if len(value) != 1:
            raise ValueError(f"no key {key!r}")
        return [{"type": "key", "id": "keyboard",
                 "actions": [{"type": "keyDown", "value": value},
                             {"type": "keyUp", "value": value}]}]

    def crop(self, image, clip):
        if clip:
            l, t, w, h = (round(v * self.dpr) for v in clip)
            image = image.crop((l, t, l + w, t + h))
        return image


class WebKit(Driven):
    """MiniBrowser, WebKitGTK's browser, through WebKitWebDriver. Debian's build has no headless
    mode, so it gets an X server of its own: Xvfb, on the first free display."""

    name = "WebKit"

    def __init__(self, width=1280, height=800, timeout=20):
        super().__init__(timeout)
        self.xvfb = self.driver = self.session = None
        self.log = tempfile.NamedTemporaryFile(prefix="water-webkit-", suffix=".log")
        try:
            self._start()
            self.resize(width, height)
        except BaseException:
            self.close()
            raise

    def _start(self):
        r, w = os.pipe()
        try:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(w), "-screen", "0", "2560x1600x24", "-nolisten", "tcp",
                 "-noreset"], pass_fds=[w], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=self.log, preexec_fn=_own_group_dying_with_us)
            os.close(w)
            w = None
            display = b""
            while not display.endswith(b"\n"):
                chunk = os.read(r, 16)  # Xvfb writes the display's number once it listens
                if not chunk:
                    raise PageError(f"Xvfb did not start:\n{read(self.log.name)[-2000:]}")
                display += chunk
        finally:
            os.close(r)
            if w is not None:
                os.close(w)
        port = free_port()
        env = dict(os.environ, DISPLAY=":" + display.decode().strip())
        self.driver = subprocess.Popen(
            ["WebKitWebDriver", f"--port={port}"], env=env, stdin=subprocess.DEVNULL,
            stdout=self.log, stderr=self.log, preexec_fn=_own_group_dying_with_us)
        self.url = f"http://127.0.0.1:{port}"
        deadline = time.monotonic() + self.timeout
        while True:
            try:
                self.session = self.request("POST", "/session", {"capabilities": {}})["sessionId"]
                break
            except (ConnectionError, urllib.error.URLError):
                if self.driver.poll() is not None or time.monotonic() > deadline:
                    raise PageError(f"WebKitWebDriver did not start:\n"
                                    f"{read(self.log.name)[-2000:]}") from None
                time.sleep(0.05)

    def close(self):
        if self.session:
            try:
                self.request("DELETE", f"/session/{self.session}", timeout=5)
            except Exception:
                pass
            self.session = None
        stop(self.driver)
        stop(self.xvfb)
        self.driver = self.xvfb = None
        self.log.close()

    def request(self, method, path, body=None, timeout=None):
        data = None if body is None else json.dumps(body).encode()
        req = urllib.request.Request(self.url + path, data=data, method=method,
                                     headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(req, timeout=timeout or self.timeout) as reply:
                return json.load(reply)["value"]
        except urllib.error.HTTPError as e:
            value = json.load(e).get("value", {})
            raise PageError(f"WebKit: {method} {path}: {value.get('error')}: "
                            f"{value.get('message')}") from None
        except TimeoutError:
            raise PageError(f"WebKit: {method} {path}: no answer in "
                            f"{timeout or self.timeout} s (page hung?)") from None

    def command(self, method, path, body=None):
        return self.request(method, f"/session/{self.session}{path}", body)

    def evaluate(self, expression, await_promise=False):
        # Global eval gives what the last statement is worth, as the DevTools evaluate does;
        # a promise is awaited either way.
        try:
            return self.command("POST", "/execute/sync", {
                "script": "return (0, eval)(arguments[0]);", "args": [expression]})
        except PageError as e:
            raise PageError(f"{expression!r} threw: {e}") from None

    def collect_errors(self):
        try:
            self._errors += self.evaluate("window.__pageErrors ? window.__pageErrors.splice(0) "
                                         ": []") or []
        except PageError:
            pass

    def navigate(self, url):
        self.command("POST", "/url", {"url": url})
        self.evaluate(ERROR_HOOK)

    def resize(self, width, height, dpr=1):
        """The viewport's size in CSS px; the window around it is measured and added."""
        if dpr != 1:
            raise PageError("WebKit: only one device pixel per CSS pixel on this X server")
        outer = [width, height]
        for _ in range(3):
            self.command("POST", "/window/rect", {"width": outer[0], "height": outer[1]})
            inner = self.evaluate("[innerWidth, innerHeight]")
            if inner == [width, height]:
                break
            outer = [o + want - got for o, want, got in zip(outer, (width, height), inner)]
        self.width, self.height = width, height
        if inner != [width, height]:
            raise PageError(f"WebKit: a viewport of {width} x {height} asked for, {inner} given")

    def click(self, x, y):
        self.command("POST", "/actions", {"actions": self.click_actions(x, y)})

    def key(self, name):
        self.command("POST", "/actions", {"actions": self.key_actions(name)})

    def screenshot(self, clip=None):
        """The viewport in device pixels as an RGB image; clip = [x, y, w, h] in CSS px."""
        data = base64.b64decode(self.command("GET", "/screenshot"))
        return self.crop(Image.open(io.BytesIO(data)).convert("RGB"), clip)


class Firefox(Driven):
    """Headless Firefox with a fresh profile, through WebDriver BiDi."""

    name = "Firefox"
    PREFS = {  # a quiet browser: nothing fetched or shown besides the page
        "browser.shell.checkDefaultBrowser": False, "app.update.disabledForTesting": True,
        "datareporting.policy.dataSubmissionEnabled": False, "toolkit.telemetry.enabled": False,
        "browser.startup.homepage_override.mstone": "ignore", "extensions.update.enabled": False,
        "app.normandy.enabled": False, "messaging-system.rsexperimentloader.enabled": False,
        "services.settings.server": "http://127.0.0.1:9/", "network.captive-portal-service"
        ".enabled": False, "browser.safebrowsing.update.enabled": False,
        "network.connectivity-service.enabled": False}

    def __init__(self, width=1280, height=800, timeout=20):
        super().__init__(timeout)
        self.ws = None
        self.next_id = 0
        self.profile = tempfile.mkdtemp(prefix="water-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            for k, v in self.PREFS.items():
                f.write(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n")
        self.log = os.path.join(self.profile, "firefox.log")
        with open(self.log, "wb") as log:
            self.proc = subprocess.Popen(
                ["firefox-esr", "--headless", "--no-remote", "--remote-debugging-port=0",
                 "--profile", self.profile, "about:blank"],
                stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"),
                preexec_fn=_own_group_dying_with_us)
        try:
            self._connect()
            self.resize(width, height)
        except BaseException:
            self.close()
            raise

    def _connect(self):
        server = os.path.join(self.profile, "WebDriverBiDiServer.json")
        deadline = time.monotonic() + self.timeout
        while True:
            try:
                with open(server) as f:
                    port = json.load(f)["ws_port"]
                break
            except (OSError, ValueError, KeyError):
                if self.proc.poll() is not None or time.monotonic() > deadline:
                    raise PageError(f"Firefox did not start:\n{read(self.log)[-2000:]}") from None
                time.sleep(0.05)
        self.ws = websocket.create_connection(f"ws://127.0.0.1:{port}/session",
                                              timeout=self.timeout, suppress_origin=True)
        self.send("session.new", capabilities={})
        self.send("session.subscribe", events=["log.entryAdded"])
        # The tab Firefox starts with never has the focus, so focus events would not fire;
        # a tab opened now is the active one.
        first = self.send("browsingContext.getTree", maxDepth=0)["contexts"][0]["context"]
        self.context = self.send("browsingContext.create", type="tab")["context"]
        self.send("browsingContext.close", context=first)

    def close(self):
        if self.ws:
            try:
                self.ws.close()
            except Exception:
                pass
            self.ws = None
        stop(self.proc)
        shutil.rmtree(self.profile, ignore_errors=True)

    def send(self, method, **params):
        """One command at a time; events that arrive meanwhile are kept."""
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        deadline = time.monotonic() + self.timeout
        while True:
            if time.monotonic() > deadline:
                raise PageError(f"Firefox: {method}: no answer in {self.timeout} s")
            try:
                message = json.loads(self.ws.recv())
            except websocket.WebSocketTimeoutException:
                raise PageError(f"Firefox: {method}: no answer in {self.timeout} s "
                                "(page hung?)") from None
            if message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise PageError(f"Firefox: {method}: {message.get('error')}: "
                                    f"{message.get('message')}")
                return message["result"]
            if message.get("method") == "log.entryAdded":
                entry = message["params"]
                if entry.get("level") == "error":
                    self._errors.append(entry.get("text") or
                                       " ".join(map(str, map(value_of, entry.get("args", [])))))

    def evaluate(self, expression, await_promise=False):
        reply = self.send("script.evaluate", expression=expression,
                          target={"context": self.context}, awaitPromise=await_promise,
                          resultOwnership="none")
        if reply["type"] == "exception":
            d = reply["exceptionDetails"]
            raise PageError(f"{expression!r} threw: {d.get('text')}")
        return value_of(reply["result"])

    def navigate(self, url):
        self.send("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def resize(self, width, height, dpr=1):
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": width, "height": height}, devicePixelRatio=dpr)
        self.width, self.height = width, height

    def click(self, x, y):
        self.send("input.performActions", context=self.context, actions=self.click_actions(x, y))

    def key(self, name):
        self.send("input.performActions", context=self.context, actions=self.key_actions(name))

    def screenshot(self, clip=None):
        """The viewport in device pixels as an RGB image; clip = [x, y, w, h] in CSS px."""
        data = base64.b64decode(self.send("browsingContext.captureScreenshot",
                                          context=self.context)["data"])
        return self.crop(Image.open(io.BytesIO(data)).convert("RGB"), clip)


def value_of(remote):
    """A BiDi remote value as Python: primitives, arrays and plain objects."""
    kind, value = remote.get("type"), remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "number" and isinstance(value, str):
        return {"NaN": float("nan"), "-0": -0.0, "Infinity": float("inf"),
                "-Infinity": float("-inf")}[value]
    if kind in ("array", "set"):
        return [value_of(v) for v in value or []]
    if kind in ("object", "map"):
        return {k if isinstance(k, str) else value_of(k): value_of(v) for k, v in value or []}
    if kind in ("string", "number", "boolean", "bigint"):
        return value
    return f"[{kind}]"
