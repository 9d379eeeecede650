#!/usr/bin/env python3
"""How the cost of a search grows with the tree: a filename search and a
full-text search over generated trees of 10,000, 100,000 and 1,000,000 files
(made once each in bench/corpus), the window's median time, its time per file
and its peak memory above the idle window.

    growth.py BENCH_WINDOW [--runs N] [--sizes 10000,100000,1000000]
"""

import argparse
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_bench import window_run  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def tree(kind, files):
    """The generated tree of that kind and size, made once."""
    version = next(line.split("=")[1].strip() for line in open(os.path.join(HERE, "make_corpus.py"))
                   if line.startswith("SCALE_GENERATOR = "))
    path = os.path.join(HERE, "corpus", "growth-%s-%d-g%s" % (kind, files, version))
    if not os.path.exists(path + ".manifest"):
        subprocess.run([sys.executable, os.path.join(HERE, "make_corpus.py"), path, "--kind", kind,
                        "--files", str(files)], check=True)
    return path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench_window")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--sizes", default="10000,100000,1000000")
    args = parser.parse_args()
    print("%-9s %9s %8s %9s %12s %11s %13s" % ("search", "files", "rows", "seconds", "us per file",
                                              "peak MB", "KB per row"))
    for kind, mode in (("names", "filename"), ("fulltext-small", "fulltext")):
        for files in (int(n) for n in args.sizes.split(",")):
            root = tree(kind, files)
            for path, _, names in os.walk(root):  # warm the page cache
                for name in names:
                    with open(os.path.join(path, name), "rb") as f:
                        f.read()
            seconds, above, rows = [], [], 0
            for _ in range(args.runs):
                result = window_run(args.bench_window, mode, root, "zephyrine")
                seconds.append(result[0])
                above.append(max(0, result[1] - result[2]) / 1024)
                rows = len([p for p in result[3] if p])
            t, mb = statistics.median(seconds), statistics.median(above)
            print("%-9s %9d %8d %9.3f %12.2f %11.1f %13.2f" % (
                mode, files, rows, t, t / files * 1e6, mb, mb * 1024 / rows if rows else 0))
    return 0


if __name__ == "__main__":
    sys.exit(main())
