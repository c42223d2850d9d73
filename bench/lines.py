"""The longest source file of the lessons and of the front ends, in lines, against the goal:
a file that outgrows it wants splitting along a seam of its own.

usage: /usr/bin/python3 bench/lines.py [source tree]"""

import glob
import os
import sys

GOAL = 300
GROUPS = (
    ("lesson", ("app/**/*.cpp", "app/**/*.h", "lessons/**/*.cpp", "lessons/**/*.h")),
    ("front-end", ("runtime/qt/**/*.cpp", "runtime/qt/**/*.h", "runtime/web/**/*.cpp",
                    "runtime/web/**/*.h", "web/*.js")),
)


def lines(path):
    with open(path, encoding="utf-8") as f:
        return sum(1 for _ in f)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    print("\nSource files, in lines:\n")
    print("| figure | file | target |\n|---|---|---|")
    for name, patterns in GROUPS:
        files = {f for p in patterns for f in glob.glob(os.path.join(root, p), recursive=True)}
        if not files:
            print(f"| longest {name} source file | none | — |")
            continue
        counted = sorted(((lines(f), os.path.relpath(f, root)) for f in files), reverse=True)
        most, path = counted[0]
        over = [f"{p} ({n})" for n, p in counted if n > GOAL]
        verdict = "met" if most <= GOAL else "**missed**: " + ", ".join(over)
        print(f"| longest {name} source file, of {len(files)} | {path}: {most} lines | "
              f"≤ {GOAL}: {verdict} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
