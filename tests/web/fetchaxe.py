"""Fetches the accessibility checker the browser suite runs, axe-core, at a pinned version
checked against the registry's published integrity: build/axe.min.js.

usage: /usr/bin/python3 fetchaxe.py OUT"""

import base64
import hashlib
import io
import sys
import tarfile
import urllib.request

VERSION = "4.10.3"
TARBALL = f"https://registry.npmjs.org/axe-core/-/axe-core-{VERSION}.tgz"
SHA512 = "Xm7bpRXnDSX2YE2YFfBk2FnF0ep6tmG7xPh8iHee8MIcrgq762Nkce856dYtJYLkuIoYZvGfTs/PbZhideTcEg=="


def main(out):
    with urllib.request.urlopen(TARBALL, timeout=60) as response:
        data = response.read()
    if base64.b64encode(hashlib.sha512(data).digest()).decode() != SHA512:
        sys.exit(f"fetchaxe.py: {TARBALL} is not the published axe-core {VERSION}")
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        script = tar.extractfile("package/axe.min.js").read()
    with open(out, "wb") as f:
        f.write(script)


if __name__ == "__main__":
    main(sys.argv[1])
