"""Headless Chromium driven over the DevTools protocol, and the built site served under a
sub-path, for the page's tests and benchmark. Run with Debian's /usr/bin/python3."""

import base64
import ctypes
import functools
import gzip
import http.server
import io
import json
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.parse
import urllib.request

import websocket
from PIL import Image


def _own_group_dying_with_us():
    """Chromium gets a process group of its own, and is killed should this script be killed
    before it can close it (a test's time limit)."""
    os.setsid()
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def read(path):
    if not os.path.exists(path):
        return ""
    with open(path, errors="replace") as f:
        return f.read()


class PageError(AssertionError):
    """The page did not do what was asked in time, or threw."""


class Driver:
    """What every engine's driver shares: waiting, where a pupil clicks, typing; each engine
    brings evaluate, click, key, screenshot, resize and open."""

    name = "?"

    def __init__(self, timeout):
        self.timeout = timeout
        self._errors = []
        self.width, self.height, self.dpr = 0, 0, 1

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def wait(self, expression, what, timeout=None):
        """Polls until the expression is truthy; returns its value."""
        deadline = time.monotonic() + (timeout or self.timeout)
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise PageError(f"{self.name}: timed out after {timeout or self.timeout} s "
                                f"waiting for {what}"
                                + (f"; the page reported: {self.errors}" if self.errors else ""))
            time.sleep(0.02)

    @property
    def errors(self):
        """Exceptions and console errors the page reported since it was opened."""
        self.collect_errors()
        return self._errors

    def collect_errors(self):
        pass

    def forget_session(self, url):
        """Each case in a tab as new: what the page kept for its tab (sessionStorage, which a
        reload finds again) goes, on a blank page of the same origin that runs no lesson."""
        if not url.startswith("http"):
            return
        blank = urllib.parse.urljoin(url, Site.blank)
        self.navigate(blank)
        self.wait(f"location.href == {json.dumps(blank)} && document.readyState == 'complete'",
                  "the blank page of the site's origin")
        self.evaluate("sessionStorage.clear()")

    def box(self, element_id):
        """Where a pupil would click a control, in CSS px: [left, top, width, height] of the
        element, or of its label when the element itself is hidden; None if neither shows."""
        return self.evaluate(f"""(() => {{
            const shown = e => {{
                const r = e && e.getBoundingClientRect();
                return r && r.width >= 4 && r.height >= 4 &&
                    getComputedStyle(e).visibility != "hidden" ? [r.left, r.top, r.width, r.height]
                    : null;
            }};
            const e = document.getElementById({json.dumps(element_id)});
            return e && (shown(e) || shown(e.labels && e.labels[0]));
        }})()""")

    def click_id(self, element_id):
        """Clicks the middle of a control, as a pupil would, after checking that the control
        (or its label) is what lies under the pointer there."""
        b = self.box(element_id)
        if b is None:
            raise PageError(f"{self.name}: #{element_id} is missing or hidden")
        x, y = int(b[0] + b[2] / 2), int(b[1] + b[3] / 2)
        hit = self.evaluate(f"""(() => {{
            const e = document.elementFromPoint({x}, {y});
            const t = document.getElementById({json.dumps(element_id)});
            const label = e && e.closest("label");
            return e == t || t.contains(e) || (label && label.control == t) ? "" :
                e ? `<${{e.tagName.toLowerCase()}} id="${{e.id}}" class="${{e.className}}">` :
                "nothing";
        }})()""")
        if hit:
            raise PageError(f"{self.name}: #{element_id} is covered by {hit}")
        self.click(x, y)

    def type_into(self, element_id, text):
        """Clicks into a box, deletes what it holds and types `text` key by key."""
        self.click_id(element_id)
        self.key("End")
        for _ in range(len(self.evaluate(f"document.getElementById('{element_id}').value"))):
            self.key("Backspace")
        for c in text:
            self.key(c)
        value = self.evaluate(f"document.getElementById('{element_id}').value")
        if value != text:
            raise PageError(f"{self.name}: typed {text!r} into #{element_id}, "
                            f"it holds {value!r}")


class Site:
    """Serves a folder at http://127.0.0.1:PORT/lesson/ from a thread; every other path is a
    404 and is remembered, so a test can tell the page asked for nothing outside its folder.
    /blank is an empty page of the same origin, where a driver forgets the tab's session."""

    prefix = "/lesson/"
    blank = "/blank"

    def __init__(self, root, compressed=False):
        if not os.path.isfile(os.path.join(root, "index.html")):
            raise PageError(f"no site at {root}: run `make web` first")
        site = self
        self.strays = []

        class Handler(http.server.SimpleHTTPRequestHandler):
            def send_head(self):
                if self.path == site.blank:
                    body = b"<!DOCTYPE html><title>blank</title>"
                    self.send_response(200)
                    self.send_header("Content-Type", "text/html")
                    self.send_header("Content-Length", str(len(body)))
                    self.end_headers()
                    return io.BytesIO(body)
                if not self.path.startswith(site.prefix):
                    if self.path != "/favicon.ico":  # asked for by the browser, not the page
                        site.strays.append(self.path)
                    self.send_error(404)
                    return None
                if compressed and "gzip" in self.headers.get("Accept-Encoding", ""):
                    return self.send_gzipped()
                return super().send_head()

            def send_gzipped(self):
                """As a static host serves it: the file compressed on the way."""
                path = self.translate_path(self.path.split("?")[0])
                if os.path.isdir(path):
                    path = os.path.join(path, "index.html")
                if not os.path.isfile(path):
                    self.send_error(404)
                    return None
                with open(path, "rb") as f:
                    body = gzip.compress(f.read(), 9)
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(path))
                self.send_header("Content-Encoding", "gzip")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                return io.BytesIO(body)

            def translate_path(self, path):
                return super().translate_path("/" + path[len(site.prefix):])

            def end_headers(self):
                self.send_header("Cache-Control", "no-store")
                super().end_headers()

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=root))
        self.url = f"http://127.0.0.1:{self.server.server_port}{self.prefix}"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


# Keys by their DOM name: (code, Windows key code, text typed).
KEYS = {"PageDown": ("PageDown", 34, ""), "PageUp": ("PageUp", 33, ""),
        "ArrowRight": ("ArrowRight", 39, ""), "ArrowLeft": ("ArrowLeft", 37, ""),
        "Home": ("Home", 36, ""), "End": ("End", 35, ""), "ArrowUp": ("ArrowUp", 38, ""),
        "ArrowDown": ("ArrowDown", 40, ""), "F1": ("F1", 112, ""), "F2": ("F2", 113, ""),
        "F5": ("F5", 116, ""), "Escape": ("Escape", 27, ""), "Enter": ("Enter", 13, "\r"),
        "Backspace": ("Backspace", 8, ""), "Tab": ("Tab", 9, ""), ".": ("Period", 190, "."),
        "-": ("Minus", 189, "-"),
        " ": ("Space", 32, " ")}
KEYS.update({c: ("Digit" + c, ord(c), c) for c in "0123456789"})
KEYS.update({c: ("Key" + c.upper(), ord(c.upper()), c) for c in "abcdefghijklmnopqrstuvwxyz"})
# A letter with Shift or Caps Lock: the same key, typing its capital.
KEYS.update({c: ("Key" + c, ord(c), c) for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"})
# Modifier bits of a key event.
ALT, CTRL, META, SHIFT = 1, 2, 4, 8


class Browser(Driver):
    """One headless Chromium with one page. Every call gives up after `timeout` seconds; close()
    (or leaving the with-block) always ends Chromium, also after a failure."""

    name = "Chromium"

    def __init__(self, width=1280, height=800, timeout=20):
        super().__init__(timeout)
        self.events = []
        self.next_id = 0
        self.ws = None
        self.profile = tempfile.mkdtemp(prefix="water-chromium-")
        self.log = os.path.join(self.profile, "chromium.log")
        with open(self.log, "wb") as log:
            self.proc = subprocess.Popen(
                ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--disable-extensions", "--force-color-profile=srgb",
                 "--hide-scrollbars", "--mute-audio", "--remote-debugging-port=0",
                 f"--user-data-dir={self.profile}", f"--window-size={width},{height}",
                 "about:blank"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log,
                preexec_fn=_own_group_dying_with_us)
        try:
            self._connect()
            self.width, self.height, self.dpr = width, height, 1
        except BaseException:
            self.close()
            raise

    def _connect(self):
        active = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + self.timeout
        while read(active).count("\n") < 1:
            if self.proc.poll() is not None or time.monotonic() > deadline:
                raise PageError(f"Chromium did not start:\n{read(self.log)[-2000:]}")
            time.sleep(0.05)
        port = self.port = read(active).split()[0]
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list",
                                    timeout=self.timeout) as reply:
            pages = [t for t in json.load(reply) if t["type"] == "page"]
        if not pages:
            raise PageError("Chromium has no page")
        self.ws = websocket.create_connection(pages[0]["webSocketDebuggerUrl"],
                                              timeout=self.timeout, suppress_origin=True)
        for domain in ("Page", "Runtime", "Performance"):
            self.send(domain + ".enable")

    def close(self):
        if self.ws:
            try:
                self.ws.close()
            except Exception:
                pass
            self.ws = None
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                pass
        try:  # its helper processes share the group it was started in
            os.killpg(self.proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    # The protocol: one command at a time; events that arrive meanwhile are kept.
    def send(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        deadline = time.monotonic() + self.timeout
        while True:
            if time.monotonic() > deadline:
                raise PageError(f"{method}: no answer in {self.timeout} s")
            try:
                message = json.loads(self.ws.recv())
            except websocket.WebSocketTimeoutException:
                raise PageError(f"{method}: no answer in {self.timeout} s (page hung?)") from None
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise PageError(f"{method}: {message['error']}")
                return message["result"]
            self._event(message)

    def _event(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.exceptionThrown":
            d = params["exceptionDetails"]
            self.errors.append(d.get("exception", {}).get("description") or d.get("text"))
        elif method == "Runtime.consoleAPICalled" and params["type"] in ("error", "assert"):
            self.errors.append(" ".join(str(a.get("value", a.get("description")))
                                        for a in params["args"]))
        elif method:
            self.events.append(message)

    def evaluate(self, expression, await_promise=False):
        reply = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                          awaitPromise=await_promise)
        if "exceptionDetails" in reply:
            d = reply["exceptionDetails"]
            raise PageError(f"{expression!r} threw: "
                            f"{d.get('exception', {}).get('description') or d.get('text')}")
        return reply["result"].get("value")

    def in_new_tab(self, url, expression, ready='document.body && document.body.dataset.ready == "1"'):
        """Opens `url` in a new tab of the same browser, as a pupil or an installed app does,
        waits until `ready` holds there, and returns the value of `expression`; the tab is
        closed again."""
        request = urllib.request.Request(
            f"http://127.0.0.1:{self.port}/json/new?{urllib.parse.quote(url, safe='')}",
            method="PUT")
        with urllib.request.urlopen(request, timeout=self.timeout) as reply:
            tab = json.load(reply)
        ws = websocket.create_connection(tab["webSocketDebuggerUrl"], timeout=self.timeout,
                                         suppress_origin=True)
        try:
            def evaluate(source, n=[0]):
                n[0] += 1
                ws.send(json.dumps({"id": n[0], "method": "Runtime.evaluate",
                                    "params": {"expression": source, "returnByValue": True}}))
                while True:
                    message = json.loads(ws.recv())
                    if message.get("id") == n[0]:
                        return message["result"]["result"].get("value")
            deadline = time.monotonic() + self.timeout
            while not evaluate(ready):
                if time.monotonic() > deadline:
                    raise PageError(f"the new tab did not get ready: {url}")
                time.sleep(0.05)
            return evaluate(expression)
        finally:
            ws.close()
            urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/close/{tab['id']}",
                                   timeout=self.timeout).close()

    # The page.
    def resize(self, width, height, dpr=1):
        self.width, self.height, self.dpr = width, height, dpr
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=dpr, mobile=False)

    def navigate(self, url):
        reply = self.send("Page.navigate", url=url)
        if reply.get("errorText"):
            raise PageError(f"{url}: {reply['errorText']}")

    def open(self, url, ready=True):
        """Loads the page in a session of its own and, unless told otherwise, waits for its
        first painted board. An error the page reported before, which no test has looked at,
        fails the test here: a test that opens the page again and again loses none."""
        self.collect_errors()
        if self.errors:
            reported = list(self.errors)
            self.errors.clear()
            raise PageError(f"the page reported errors before {url} was opened: {reported}")
        self.send("Page.navigate", url="about:blank")
        self.forget_session(url)
        self.navigate(url)
        if ready:
            self.wait('document.body && document.body.dataset.ready == "1"',
                      "the page to draw its board")

    # Real input: what a mouse and a keyboard would send.
    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      buttons=0 if kind == "mouseReleased" else 1, clickCount=1)

    def key(self, key, modifiers=0):
        code, vk, text = KEYS[key]
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk, "modifiers": modifiers}
        if text:
            down.update(text=text, unmodifiedText=text)
        self.send("Input.dispatchKeyEvent", **down)
        self.send("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, modifiers=modifiers)

    # Pixels.
    def screenshot(self, clip=None):
        """What is on screen, in device pixels, as an RGB image; clip = [x, y, w, h] in CSS px."""
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        data = base64.b64decode(self.send("Page.captureScreenshot", **params)["data"])
        return Image.open(io.BytesIO(data)).convert("RGB")

    def metrics(self):
        return {m["name"]: m["value"] for m in self.send("Performance.getMetrics")["metrics"]}


def rgb(css):
    """'#RRGGBB' -> (r, g, b)."""
    return tuple(int(css[i:i + 2], 16) for i in (1, 3, 5))
