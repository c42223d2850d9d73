"""The page's costs in headless Chromium: a full automatic run's wall time and the main
thread's busy share during it, against a bare page that draws only what a frame must, in the
same browser; the size of the WebAssembly and of the whole site gzipped, the time from
navigation to the first drawn board, and Lighthouse's mobile audit of a first load.

usage: /usr/bin/python3 bench.py [build-web/site] [path/to/lighthouse]"""

import json
import os
import statistics
import tempfile
import subprocess
import sys
import time

from chromium import Browser, PageError, Site

RUNS, LOADS, AUDITS = 3, 5, 3
BARE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bare")
WASM_GOAL = 250_000  # bytes
IDEAL_RUN = 12 * 40 * 0.020  # twelve minutes of 40 frames at the 20 ms the page starts with

# Resolves when 自動, disabled by its click, is enabled again; times from the click itself.
WATCH_RUN = """window.runTimes = new Promise(done => {
    const button = document.getElementById("run");
    let clicked = null, off = false;
    button.addEventListener("click", e => { clicked ??= performance.now(); }, true);
    new MutationObserver(() => {
        if (button.disabled) off = true;
        else if (off && clicked !== null) done(performance.now() - clicked);
    }).observe(button, {attributes: true});
}), true"""


def spread(values, unit, digits):
    return f"{statistics.median(values):.{digits}f} {unit} " \
           f"[{min(values):.{digits}f}-{max(values):.{digits}f}]"


# The lesson's board and time box as laid out, for the bare page to take on.
GEOMETRY = """(() => {
    const board = document.getElementById("board"), text = document.getElementById("time");
    const b = board.getBoundingClientRect(), t = text.getBoundingClientRect();
    return {width: board.width, height: board.height, board: [b.left, b.top, b.width, b.height],
            scale: lessonPage.css * lessonPage.dpr, time: [t.left, t.top, t.width, t.height],
            look: Object.fromEntries(["font", "padding", "border", "textAlign", "color",
                "backgroundColor"].map(k => [k, getComputedStyle(text)[k]]))};
})()"""


def busy_share(b, start):
    """Runs `start`, which returns once the run is over, and returns the main thread's busy
    time over the wall time meanwhile, in %."""
    time.sleep(0.5)  # let start-up work settle
    before = b.metrics()
    start()
    after = b.metrics()
    return 100 * (after["TaskDuration"] - before["TaskDuration"]) \
        / (after["Timestamp"] - before["Timestamp"])


def automatic_runs(site, bare):
    """The lesson's automatic runs and the bare page's, in turn in one browser."""
    walls, busy, bare_busy = [], [], []
    with Browser(1280, 800, timeout=30) as b:
        for _ in range(RUNS):
            b.open(site.url)
            if b.evaluate("document.getElementById('delay').value") != "20":
                raise PageError("the frame delay does not start at 20 ms")
            geometry = b.evaluate(GEOMETRY)
            b.evaluate(WATCH_RUN)

            def lesson_run():
                b.click_id("run")
                # No polling meanwhile.
                walls.append(b.evaluate("runTimes", await_promise=True) / 1000)
            busy.append(busy_share(b, lesson_run))
            if b.evaluate("document.getElementById('time').value") != "12.00":
                raise PageError("the run did not reach 12 minutes")

            b.open(bare.url)
            b.evaluate(f"setUp({json.dumps(geometry)})")
            bare_busy.append(busy_share(b, lambda: b.evaluate("run()", await_promise=True)))
            if b.evaluate("document.getElementById('time').value") != "12.00":
                raise PageError("the bare page's run did not reach 12 minutes")
    return walls, busy, bare_busy


def first_boards(site):
    times = []
    for _ in range(LOADS):  # each in a new profile: nothing cached
        with Browser(1280, 800) as b:
            b.open(site.url)
            times.append(b.evaluate(
                "performance.getEntriesByName('board-drawn')[0].startTime"))
    return times


def lighthouse(root, tool):
    """Lighthouse's mobile audit (its phone screen, simulated slow 4G and a 4× slower CPU) of
    a first load, the site served gzip-compressed as a static host serves it."""
    reports = []
    with Site(root, compressed=True) as site, tempfile.TemporaryDirectory() as out:
        for i in range(AUDITS):
            path = os.path.join(out, f"{i}.json")
            subprocess.run([tool, site.url, "--quiet", "--output=json", f"--output-path={path}",
                            "--only-categories=performance,accessibility,best-practices,seo",
                            "--chrome-flags=--headless=new --no-sandbox"], check=True,
                           env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"), timeout=300)
            with open(path) as f:
                reports.append(json.load(f))
    # The audit whose performance score is the median; its other figures with it.
    report = sorted(reports, key=lambda r: r["categories"]["performance"]["score"])[AUDITS // 2]
    scores = {k: round(100 * c["score"]) for k, c in report["categories"].items()}
    audits = report["audits"]
    perf = sorted(round(100 * r["categories"]["performance"]["score"]) for r in reports)
    rows = [("Lighthouse performance, mobile", f"{scores['performance']} [{perf[0]}-{perf[-1]}]",
             "≥ 95: " + ("met" if scores["performance"] >= 95 else "**missed**"))]
    for key, name in (("accessibility", "accessibility"), ("best-practices", "best practices"),
                      ("seo", "SEO")):
        rows.append((f"Lighthouse {name}", str(scores[key]),
                     "100: " + ("met" if scores[key] == 100 else "**missed**")))
    tbt = audits["total-blocking-time"]["numericValue"]
    cls = audits["cumulative-layout-shift"]["numericValue"]
    rows.append(("Lighthouse total blocking time", f"{tbt:.0f} ms",
                 "≤ 150 ms: " + ("met" if tbt <= 150 else "**missed**")))
    rows.append(("Lighthouse cumulative layout shift", f"{cls:.3f}",
                 "0: " + ("met" if cls == 0 else "**missed**")))
    for key in ("first-contentful-paint", "largest-contentful-paint"):
        rows.append((f"Lighthouse {audits[key]['title'].lower()}",
                     audits[key]["displayValue"].replace("\xa0", " "), "—"))
    return rows


def gzipped_size(root):
    total = 0
    for folder, _, files in os.walk(root):
        for name in files:
            with open(os.path.join(folder, name), "rb") as f:
                total += len(subprocess.run(["gzip", "-9nc"], stdin=f, capture_output=True,
                                            check=True).stdout)
    return total


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "build-web", "site")
    tool = sys.argv[2] if len(sys.argv) > 2 else None
    rows, failed = [], False
    version = subprocess.run(["chromium", "--version"], capture_output=True, text=True).stdout
    with Site(root) as site, Site(BARE) as bare:
        for name, measure in (("runs", lambda s: automatic_runs(s, bare)),
                              ("loads", first_boards)):
            try:
                result = measure(site)
            except PageError as e:
                failed = True
                rows.append((f"{name}: failed", str(e).splitlines()[0], "—"))
                continue
            if name == "runs":
                walls, busy, bare_busy = result
                off = 100 * (statistics.median(walls) - IDEAL_RUN) / IDEAL_RUN
                rows.append((f"automatic run wall time (ideal {IDEAL_RUN:.3f} s)",
                             spread(walls, "s", 3) + f" ({off:+.2f} %)",
                             "within 1 % of ideal: " + ("met" if abs(off) <= 1 else "**missed**")))
                rows.append(("main thread busy during the run / wall time", spread(busy, "%", 2),
                             "≤ 5 %: " + ("met" if statistics.median(busy) <= 5 else "**missed**")))
                rows.append(("the same, a bare page drawing only a frame's water, stream and "
                             "time every 20 ms", spread(bare_busy, "%", 2), "—"))
                rows.append(("main thread busy, lesson / bare page (medians)",
                             f"{statistics.median(busy) / statistics.median(bare_busy):.2f} ×",
                             "—"))
            else:
                rows.append(("navigation to the board drawn, fresh profile",
                             spread(result, "ms", 0),
                             "≤ 500 ms: " + ("met" if statistics.median(result) <= 500
                                             else "**missed**")))
    wasm = os.path.getsize(os.path.join(root, "water.wasm"))
    rows.append(("water.wasm", f"{wasm / 1000:.1f} KB ({wasm} bytes)",
                 f"≤ {WASM_GOAL // 1000} KB: " + ("met" if wasm <= WASM_GOAL else "**missed**")))
    size = gzipped_size(root) / 1024
    rows.append(("the whole site, each file gzip -9", f"{size:.1f} KiB",
                 "≤ 150 KiB: " + ("met" if size <= 150 else "**missed**")))
    if tool:
        try:
            rows += lighthouse(root, tool)
        except (subprocess.SubprocessError, OSError, KeyError, ValueError) as e:
            failed = True
            rows.append(("Lighthouse: failed", str(e).splitlines()[0], "—"))
    print(f"\nThe page in headless {version.strip()} (median [range] of {RUNS} runs, "
          f"{LOADS} loads" + (f", {AUDITS} audits" if tool else "") + "):\n")
    print("| figure | page | target |\n|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
