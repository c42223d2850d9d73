"""Writes the whole page as one HTML file, for a USB stick or a school's learning platform:
scripts, style, icon and the WebAssembly (base64) inside, opened from disk with no server.

usage: python3 singlepage.py build-web/site out.html"""

import base64
import re
import sys


def main(site, out):
    def read(name, mode="r"):
        with open(f"{site}/{name}", mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
            return f.read()

    def inline(code):
        return code.replace("</script", "<\\/script")

    page = read("index.html")
    scripts = re.findall(r'<script src="([^"]+)" defer></script>\n', page)
    page = re.sub(r'<script src="[^"]+" defer></script>\n', "", page)
    # Nothing beside the file: no manifest, no preloaded fetch, no service worker to register.
    page = re.sub(r'<link rel="(manifest|preload|apple-touch-icon)"[^>]*>\n', "", page)
    page = re.sub(r'<script>\n// After the first board.*?</script>\n', "", page, flags=re.S)
    icon = base64.b64encode(read("icon.svg", "rb")).decode()
    page = page.replace('href="icon.svg"', f'href="data:image/svg+xml;base64,{icon}"')
    page = page.replace('<link rel="stylesheet" href="page.css">', f"<style>\n{read('page.css')}</style>")
    wasm = base64.b64encode(read("water.wasm", "rb")).decode()
    # Inline scripts run where they stand: after the body's elements, in the page's order.
    body = "".join(f"<script>\n{inline(read(name))}</script>\n" for name in scripts
                   if name != "water.js")
    body += ("<script>\nvar Module = { wasmBinary: Uint8Array.from(atob(\"" + wasm +
             "\"), (c) => c.charCodeAt(0)) };\n</script>\n")
    body += f"<script>\n{inline(read('water.js'))}</script>\n"
    if "</body>" not in page or not scripts:
        sys.exit("singlepage.py: index.html is not as expected")
    page = page.replace("</body>", body + "</body>")
    with open(out, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main(*sys.argv[1:])
