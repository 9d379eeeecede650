#!/usr/bin/env python3
"""Times the program's window against grep, ripgrep and find on the corpus.

    run_bench.py CORPUS BENCH_WINDOW [--runs N]

Every tool runs N times, alternating, with a warm page cache. For each task
the table gives the median seconds and peak resident size of each tool and
the ratio program / peer. Every tool must report the files the manifest
expects (grep, which does not decode UTF-16, is expected to miss the planted
UTF-16 files and nothing else); any other difference fails the run.
"""

import argparse
import fnmatch
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

PLAIN_TEXT_PATTERNS = (
    "*.txt *.text *.html *.htm *.xml *.sgml *.sgm *.opml *.kml *.lxfml *.svg *.yml *.yml2 *.yaml "
    "*.php *.asp *.js *.css *.pl *.perl *.rb *.ruby *.lsp *.lisp *.lua *.vhdl *.java *.mf *.tcl "
    "*.py *.bas *.vbs *.pas *.c *.cc *.cpp *.c++ *.cxx *.h *.hh *.hpp *.h++ *.hxx *.f *.for *.f90 "
    "*.has *.mak *.log *.readme *.me *.nfo *.ts *.ui *.qrc *.pro *.rc *.nsi *.nsh *.bat *.sh "
    "*.conf *.cfg *.m3u *.pls *.lst *.lrc *.latex *.bib *.tex *.asc *.ascii *.utf8 *.hz *.sms "
    "*.mmp *.pan *.rss *.rls *.loc *.l01 *.hrh *.mk *.inf *.pkg *.inl *.rsg *.mbg *.rh").split()
assert len(PLAIN_TEXT_PATTERNS) == 89


def walk(root):
    """The files the program looks at: no hidden files or folders, no file links."""
    for folder, dirs, files in os.walk(root, followlinks=True):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        for name in files:
            path = os.path.join(folder, name)
            if not name.startswith(".") and not os.path.islink(path) and os.path.isfile(path):
                yield path


def plain_text(path):
    name = os.path.basename(path).lower()
    return any(fnmatch.fnmatchcase(name, p) for p in PLAIN_TEXT_PATTERNS)


def timed(command, stdin=None):
    """Runs a command under /usr/bin/time; returns (seconds, peak kB, stdout)."""
    with tempfile.NamedTemporaryFile("r") as stats:
        start = time.perf_counter()
        result = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", stats.name] + command,
                                stdin=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        peak = stats.read().split()[-1]
    return seconds, int(peak), result.stdout.decode("utf-8", "surrogateescape")


def window_run(bench, mode, target, keyword):
    with tempfile.NamedTemporaryFile("r") as out:
        args = [bench, mode, target, keyword] + ([out.name] if mode != "viewer" else [])
        line = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              check=True).stdout.decode()
        fields = dict(f.split("=", 1) for f in line.split(" ", 3))
        found = set(out.read().splitlines()) if mode != "viewer" else set()
    peak = max(0, int(fields["peak_kb"]))
    return float(fields["seconds"]), peak, int(fields["idle_kb"]), found


def median(values):
    return statistics.median(values)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("corpus")
    parser.add_argument("bench_window")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    corpus = os.path.abspath(args.corpus)
    manifest = json.load(open(corpus + ".manifest"))
    keyword = manifest["keyword"]
    viewer_file = os.path.join(os.path.dirname(corpus), "viewer-100mb.txt")

    files = sorted(walk(corpus))
    candidates = [f for f in files if plain_text(f)]
    listing = tempfile.NamedTemporaryFile("wb", delete=False)
    listing.write(b"\0".join(p.encode("utf-8", "surrogateescape") for p in candidates))
    listing.close()

    def rel_set(paths):
        return {os.path.relpath(p, corpus) for p in paths if p}

    expected_text = set(manifest["both"]) | set(manifest["keyword_only"])
    expected_names = {os.path.relpath(f, corpus) for f in files if keyword in os.path.basename(f).lower()}
    tools = {
        "fulltext": {
            "window": lambda: window_run(args.bench_window, "fulltext", corpus, keyword),
            "grep -rliw": lambda: timed(["xargs", "-0", "grep", "-liw", keyword], open(listing.name)),
            "rg -j1 -liw": lambda: timed(["xargs", "-0", "rg", "-j1", "-liw", keyword], open(listing.name)),
        },
        "filename": {
            "window": lambda: window_run(args.bench_window, "filename", corpus, keyword),
            "find": lambda: timed(["find", corpus, "-path", "*/.*", "-prune", "-o", "-type", "f",
                                   "-iname", "*%s*" % keyword, "-print"]),
        },
        "viewer": {
            "window": lambda: window_run(args.bench_window, "viewer", viewer_file, keyword),
            "grep -c": lambda: timed(["grep", "-c", keyword, viewer_file]),
        },
    }
    expected = {
        ("fulltext", "window"): expected_text,
        ("fulltext", "rg -j1 -liw"): expected_text,
        ("fulltext", "grep -rliw"): expected_text - set(manifest["utf16"]),
        ("filename", "window"): expected_names,
        ("filename", "find"): expected_names,
    }

    # Warm the page cache.
    for path in files + [viewer_file]:
        with open(path, "rb") as f:
            while f.read(1 << 20):
                pass

    times, peaks, idles, mismatches = {}, {}, {}, []
    for run in range(args.runs):
        for task, entries in tools.items():
            for tool, call in entries.items():
                result = call()
                seconds, peak = result[0], result[1]
                if tool == "window":
                    idles.setdefault(task, []).append(result[2])
                    found = rel_set(result[3])
                else:
                    found = rel_set(result[2].splitlines())
                times.setdefault((task, tool), []).append(seconds)
                peaks.setdefault((task, tool), []).append(peak)
                want = expected.get((task, tool))
                if want is not None and run == 0 and found != want:
                    mismatches.append("%s / %s: missing %s, extra %s" % (
                        task, tool, sorted(want - found)[:5], sorted(found - want)[:5]))

    print("%d candidate files of %d; %d runs each, medians" % (len(candidates), len(files), args.runs))
    print("%-10s %-14s %10s %10s %12s" % ("task", "tool", "seconds", "peak MB", "window/tool"))
    for task, entries in tools.items():
        mine = median(times[(task, "window")])
        for tool in entries:
            t = median(times[(task, tool)])
            ratio = "" if tool == "window" else "%.2f" % (mine / t if t > 0 else float("inf"))
            print("%-10s %-14s %10.3f %10.1f %12s" % (task, tool, t, median(peaks[(task, tool)]) / 1024, ratio))
    for task in tools:
        print("%-10s window peak above idle: %.1f MB" % (
            task, (median(peaks[(task, "window")]) - median(idles[task])) / 1024))
    os.unlink(listing.name)
    if mismatches:
        print("RESULT MISMATCH:\n  " + "\n  ".join(mismatches))
        return 1
    print("all tools found the expected files")
    return 0


if __name__ == "__main__":
    sys.exit(main())
