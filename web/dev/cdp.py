# A minimal DevTools protocol client for checking the page in headless Chromium.
import atexit, json, subprocess, time, urllib.request, websocket
PORT = 9333
def start(url, w=1000, h=800):
    p = subprocess.Popen(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
        f"--remote-debugging-port={PORT}", f"--window-size={w},{h}", "--user-data-dir=/tmp/page-check-profile", url],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    atexit.register(p.kill)  # also when a check throws
    for _ in range(100):
        try:
            tabs = json.load(urllib.request.urlopen(f"http://127.0.0.1:{PORT}/json"))
            t = [t for t in tabs if t["type"] == "page"]
            if t: break
        except Exception: pass
        time.sleep(0.1)
    ws = websocket.create_connection(t[0]["webSocketDebuggerUrl"])
    tab = Tab(ws)
    tab.call("Emulation.setDeviceMetricsOverride", width=w, height=h, deviceScaleFactor=1, mobile=False)
    tab.call("Page.navigate", url=url)
    time.sleep(0.3)
    for _ in range(100):
        try:
            if tab.js("document.body && document.body.dataset.ready") == "1": break
        except Exception: pass
        time.sleep(0.1)
    return p, tab
class Tab:
    def __init__(s, ws): s.ws, s.n = ws, 0
    def call(s, m, **params):
        s.n += 1; s.ws.send(json.dumps({"id": s.n, "method": m, "params": params}))
        while True:
            r = json.loads(s.ws.recv())
            if r.get("id") == s.n:
                if "error" in r: raise RuntimeError(r["error"])
                return r.get("result")
    def js(s, expr):
        r = s.call("Runtime.evaluate", expression=expr, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in r: raise RuntimeError(r["exceptionDetails"])
        return r["result"].get("value")
    VK = {"PageDown":34,"PageUp":33,"ArrowRight":39,"ArrowLeft":37,"ArrowDown":40,"ArrowUp":38,"F5":116,"Escape":27,"Home":36,"F1":112,"Enter":13,"Tab":9}
    def key(s, k, mods=0):
        vk = s.VK.get(k, ord(k.upper()) if len(k)==1 and k.isalnum() else 190 if k=="." else 0)
        d = dict(key=k, windowsVirtualKeyCode=vk, modifiers=mods)
        if len(k) == 1 and not mods: d["text"] = k
        if k == "Enter": d["text"] = "\r"
        s.call("Input.dispatchKeyEvent", type="keyDown" if "text" in d else "rawKeyDown", **d)
        s.call("Input.dispatchKeyEvent", type="keyUp", key=k, windowsVirtualKeyCode=vk, modifiers=mods)
    def click(s, x, y):
        for t in ("mousePressed", "mouseReleased"):
            s.call("Input.dispatchMouseEvent", type=t, x=x, y=y, button="left", clickCount=1)
    def tap(s, x, y):
        s.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        s.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
    def centre(s, sel):
        return s.js(f"(()=>{{const r=document.querySelector('{sel}').getBoundingClientRect();return [r.x+r.width/2,r.y+r.height/2]}})()")
    def shot(s, path):
        import base64
        open(path, "wb").write(base64.b64decode(s.call("Page.captureScreenshot")["data"]))
