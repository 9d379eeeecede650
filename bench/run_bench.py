#!/usr/bin/env python3
"""Times the program's window against grep, ripgrep and find on the corpus.

    run_bench.py CORPUS BENCH_WINDOW [--runs N] [--require-targets] [--big-file FILE [--big-only]]
                 [--names-corpus TREE] [--most-corpus TREE] [--pages-corpus TREE [--pages-only]]

Every tool runs N times, alternating, with a warm page cache. For each task
the table gives the median seconds and peak resident size of each tool, the
ratio program / peer and the target for that ratio. Every tool must report
the files the manifest expects, in every run (grep, which does not decode
UTF-16, is expected to miss the planted UTF-16 files and nothing else), the
window must count the same candidate files, and the viewer must show the
block with the keyword; any difference fails the run (exit 1). With
--require-targets a missed target fails it too (exit 2).

With --big-file, two more tasks on one big file whose only keyword is on its
last line (make_corpus.py --big-file): a full-text search of the folder that
holds it, and showing its first block with the keyword, both against grep -c
of the file; --big-only runs these alone (CORPUS is then not read).

The trees at scale (make_corpus.py --kind names / fulltext-most), when given,
are measured after the main corpus, in a table of their own: a filename
search that adds 100,000 rows, against find, with the window's peak memory
and how long a click waits while the rows are added; a full-text search in
which nearly every file matches, against grep and ripgrep; and how long each
search takes to stop after a click on Cancel 150 ms in.

The pages in many languages (make_corpus.py --kind pages), when given, are
searched for each of their keywords outside ASCII, against ripgrep over the
same files; --pages-only measures them alone (CORPUS is then not read).
"""

import argparse
import fnmatch
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def pattern_table(name):
    """A table of name patterns, read from the one place it lives, so that
    the peers are always given the files the program reads."""
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "search", "core",
                          "plaintextfilters.cpp")
    text = open(source).read()
    table = text[text.index(" " + name + "[] = {"):]
    table = table[:table.index("};")]
    return [p.lower() for p in re.findall(r'"([^"]+)"', table)]


PLAIN_TEXT_PATTERNS = pattern_table("Patterns")
assert len(PLAIN_TEXT_PATTERNS) >= 89
BINARY_PATTERNS = pattern_table("BinaryPatterns")
# What of a file's start decides whether it is plain text.
SNIFF_BYTES = 51200
WIDE_MARKS = (b"\x00\x00\xfe\xff", b"\xff\xfe", b"\xfe\xff")


def walk(root):
    """The files the program looks at: no hidden files or folders, no file links."""
    for folder, dirs, files in os.walk(root, followlinks=True):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        for name in files:
            path = os.path.join(folder, name)
            if not name.startswith(".") and not os.path.islink(path) and os.path.isfile(path):
                yield path


def plain_text(path):
    """Whether a full-text search reads the file: a listed name whatever it
    holds, a known binary type never, any other file unless a NUL byte shows
    in its start (a UTF-16 or UTF-32 byte-order mark makes it text)."""
    name = os.path.basename(path).lower()
    if any(fnmatch.fnmatchcase(name, p) for p in PLAIN_TEXT_PATTERNS):
        return True
    if any(fnmatch.fnmatchcase(name, p) for p in BINARY_PATTERNS):
        return False
    try:
        with open(path, "rb") as f:
            head = f.read(SNIFF_BYTES)
    except OSError:
        return False
    return head.startswith(WIDE_MARKS) or b"\0" not in head


def timed(command, stdin=None):
    """Runs a command under /usr/bin/time; returns (seconds, peak kB, stdout, processor seconds)."""
    with tempfile.NamedTemporaryFile("r") as stats:
        start = time.perf_counter()
        result = subprocess.run(["/usr/bin/time", "-f", "%M %U %S", "-o", stats.name] + command,
                                stdin=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        peak, user, system = stats.read().split()[-3:]
    return seconds, int(peak), result.stdout.decode("utf-8", "surrogateescape"), float(user) + float(system)


def window_run(bench, mode, target, keyword, display=None):
    """Returns (seconds, peak kB, idle kB, files found, the other fields printed).
    Modes ending in -clicks search the same way while being clicked at. With
    a display, the window is a real one on that X server instead of offscreen."""
    env = dict(os.environ)
    if display:
        env.update({"DISPLAY": display, "LINTRA_BENCH_PLATFORM": "xcb"})
    with tempfile.NamedTemporaryFile("r") as out:
        args = [bench, mode, target, keyword] + ([out.name] if mode != "viewer" else [])
        line = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env,
                              check=True).stdout.decode().strip()
        head, _, status = line.partition(" status=")
        fields = dict(f.split("=", 1) for f in head.split())
        fields["status"] = status
        found = set(out.read().splitlines()) if mode != "viewer" else set()
    peak = max(0, int(fields["peak_kb"]))
    return float(fields["seconds"]), peak, int(fields["idle_kb"]), found, fields


def median(values):
    return statistics.median(values)


# The most the program may take, as a multiple of each peer's time.
TARGETS = {
    ("fulltext", "grep -rliw"): 0.5,
    ("fulltext", "rg -j1 -liw"): 3.0,
    ("fulltext", "rg -liw"): 1.0,
    ("names", "find"): 1.5,
    ("fulltext-most", "grep -liw"): 1.0,
    ("fulltext-most", "rg -liw"): 1.0,
    ("filename", "find"): 3.0,
    ("viewer", "grep -c"): 2.0,
}
# The most the window may grow during a task, in MB above the idle window.
MEMORY_TARGETS = {"fulltext": 40.0, "names": 40.0, "usr-names-again": 40.0}
# The longest a click may wait to be answered while rows are being added, and
# the longest from a click on Cancel to the search having stopped, in ms.
CLICK_TARGET_MS = 100.0
CANCEL_TARGET_MS = 100.0

# The big file: read at the speed of grep, in memory that does not grow with it.
BIG_TARGETS = {
    ("bigsearch", "grep -c"): 1.0,
    ("bigview", "grep -c"): 1.0,
}
BIG_MEMORY_TARGETS = {"bigsearch": 40.0, "bigview": 40.0}
TARGETS.update(BIG_TARGETS)
MEMORY_TARGETS.update(BIG_MEMORY_TARGETS)
# Tasks that show a file in the viewer, and must show its keyword's block.
VIEWER_TASKS = {"viewer", "bigview"}


def big_file_tasks(bench_window, big_file, keyword):
    """The big file's tasks: (tools by task, expected files, expected status texts)."""
    folder = os.path.dirname(os.path.abspath(big_file))
    names = sorted(os.listdir(folder))
    assert names == [os.path.basename(big_file)], "the big file must be alone in %s: %s" % (folder, names)
    tools = {
        "bigsearch": {
            "window": lambda: window_run(bench_window, "fulltext", folder, keyword),
            "grep -c": lambda: timed(["grep", "-c", keyword, big_file]),
        },
        "bigview": {
            "window": lambda: window_run(bench_window, "viewer", big_file, keyword),
            "grep -c": lambda: timed(["grep", "-c", keyword, big_file]),
        },
    }
    expected = {("bigsearch", "window"): {os.path.basename(big_file)}}
    status = {"bigsearch": " of the 1 searched files contain(s) "}
    return tools, expected, status, folder


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("corpus")
    parser.add_argument("bench_window")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--require-targets", action="store_true")
    parser.add_argument("--big-file")
    parser.add_argument("--big-only", action="store_true")
    parser.add_argument("--names-corpus")
    parser.add_argument("--most-corpus")
    parser.add_argument("--pages-corpus")
    parser.add_argument("--pages-only", action="store_true")
    parser.add_argument("--real-trees", action="store_true")
    parser.add_argument("--real-only", action="store_true")
    parser.add_argument("--cold", action="store_true")
    args = parser.parse_args()
    if args.big_only:
        return main_big_only(args)
    if args.real_only:
        return real_trees(args)
    if args.pages_only:
        return pages_tree(args)
    status = main_corpus(args)
    if args.names_corpus or args.most_corpus:
        print()
        status = worst(status, scale_trees(args))
    if args.pages_corpus:
        print()
        status = worst(status, pages_tree(args))
    if args.real_trees:
        print()
        status = worst(status, real_trees(args))
    return status


def worst(a, b):
    """The exit status of two sections: a mismatch (1) outweighs a missed target (2)."""
    return 1 if 1 in (a, b) else max(a, b)


def main_corpus(args):
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
            "rg -liw": lambda: timed(["xargs", "-0", "rg", "-liw", keyword], open(listing.name)),
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
        ("fulltext", "rg -liw"): expected_text,
        ("fulltext", "grep -rliw"): expected_text - set(manifest["utf16"]),
        ("filename", "window"): expected_names,
        ("filename", "find"): expected_names,
    }

    big_paths = []
    if args.big_file:
        big_tools, big_expected, big_status, _ = big_file_tasks(args.bench_window, args.big_file, keyword)
        tools.update(big_tools)
        expected.update(big_expected)
        big_paths = [args.big_file]

    # Warm the page cache.
    for path in files + [viewer_file] + big_paths:
        with open(path, "rb") as f:
            while f.read(1 << 20):
                pass

    expected_status = {
        "fulltext": " of the %d searched files contain(s) " % len(candidates),
        "filename": " of the %d searched files have/has " % len(files),
    }
    if args.big_file:
        expected_status.update(big_status)

    def check(run, task, tool, result):
        """The differences between what a tool reported and what it should have."""
        problems = []
        if tool == "window":
            fields = result[4]
            found = rel_set(result[3]) if task not in BIG_MEMORY_TARGETS else {
                os.path.basename(p) for p in result[3] if p}
            if task in expected_status and expected_status[task] not in fields["status"]:
                problems.append("status %r, expected%s..." % (fields["status"], expected_status[task]))
            if task in VIEWER_TASKS and fields.get("keyword_shown") != "1":
                problems.append("the shown block has no keyword (%s)" % fields)
            if task in VIEWER_TASKS and fields.get("last_block") != fields.get("block"):
                problems.append("block %s shown, the keyword is in the last block, %s" % (
                    fields.get("block"), fields.get("last_block")))
        else:
            found = rel_set(result[2].splitlines())
            if tool == "grep -c" and result[2].strip() != "1":
                problems.append("grep -c counted %r lines, expected 1" % result[2].strip())
        want = expected.get((task, tool))
        if want is not None and found != want:
            problems.append("missing %s, extra %s" % (sorted(want - found)[:5], sorted(found - want)[:5]))
        return ["run %d, %s / %s: %s" % (run + 1, task, tool, p) for p in problems]

    (times, cpus, peaks, idles), mismatches, loads = run_alternating(args, tools, check)
    os.unlink(listing.name)
    return report(args, tools, (times, cpus), peaks, idles, mismatches, loads,
                  "%d candidate files of %d" % (len(candidates), len(files)))


def run_alternating(args, tools, check):
    """Runs every tool of every task, alternating, args.runs times; returns the
    figures (times, processor times, peaks, idle sizes), what check(run, task,
    tool, result) found wrong, and the load average before and after."""
    measured = ({}, {}, {}, {})
    mismatches, loads = [], [load_average()]
    for run in range(args.runs):
        for task, entries in tools.items():
            for tool, call in entries.items():
                result = call()
                record(measured, task, tool, result)
                mismatches += check(run, task, tool, result)
    loads.append(load_average())
    return measured, mismatches, loads


def record(measured, task, tool, result):
    """Files one run's time, processor time and peak, and the window's idle size."""
    times, cpus, peaks, idles = measured
    if tool == "window":
        idles.setdefault(task, []).append(result[2])
        cpus.setdefault((task, tool), []).append(float(result[4]["cpu_seconds"]))
    else:
        cpus.setdefault((task, tool), []).append(result[3])
    times.setdefault((task, tool), []).append(result[0])
    peaks.setdefault((task, tool), []).append(result[1])


def main_big_only(args):
    """The big file's tasks alone."""
    if not args.big_file:
        sys.exit("--big-only needs --big-file")
    tools, expected, status, folder = big_file_tasks(args.bench_window, args.big_file, "zephyrine")
    with open(args.big_file, "rb") as f:
        while f.read(1 << 20):
            pass
    times, cpus, peaks, idles, mismatches = {}, {}, {}, {}, []
    loads = [load_average()]
    for run in range(args.runs):
        for task, entries in tools.items():
            for tool, call in entries.items():
                result = call()
                problems = []
                if tool == "window":
                    fields = result[4]
                    idles.setdefault(task, []).append(result[2])
                    cpus.setdefault((task, tool), []).append(float(fields["cpu_seconds"]))
                    if task in status and status[task] not in fields["status"]:
                        problems.append("status %r" % fields["status"])
                    if task in VIEWER_TASKS and (fields.get("keyword_shown") != "1"
                                                 or fields.get("last_block") != fields.get("block")):
                        problems.append("viewer shows block %s of %s, keyword shown %s" % (
                            fields.get("block"), fields.get("last_block"), fields.get("keyword_shown")))
                    found = {os.path.relpath(p, folder) for p in result[3] if p}
                else:
                    cpus.setdefault((task, tool), []).append(result[3])
                    found = None
                    if result[2].strip() != "1":
                        problems.append("grep -c counted %r lines, expected 1" % result[2].strip())
                want = expected.get((task, tool))
                if want is not None and found != want:
                    problems.append("found %s, expected %s" % (sorted(found)[:5], sorted(want)))
                times.setdefault((task, tool), []).append(result[0])
                peaks.setdefault((task, tool), []).append(result[1])
                mismatches += ["run %d, %s / %s: %s" % (run + 1, task, tool, p) for p in problems]
    loads.append(load_average())
    return report(args, tools, (times, cpus), peaks, idles, mismatches, loads,
                  "big file %s, %.0f MB" % (args.big_file, os.path.getsize(args.big_file) / 1e6))


def report(args, tools, measured, peaks, idles, mismatches, loads, corpus_line):
    times, cpus = measured
    print("%s; %d runs each, alternating, medians; %d cores; load average %s before, %s after" % (
        corpus_line, args.runs, os.cpu_count(), loads[0], loads[-1]))
    print("(seconds: wall time, which the targets are about; cpu: user + system time, for comparison under load;")
    print(" the window's times cover the search or the viewer's step in-process, the tools' a whole process)")
    print("%-10s %-14s %9s %9s %9s %12s %8s %10s" % (
        "task", "tool", "seconds", "cpu", "peak MB", "window/tool", "cpu ratio", "target"))
    missed = []
    for task, entries in tools.items():
        mine = median(times[(task, "window")])
        mine_cpu = median(cpus[(task, "window")])
        for tool in entries:
            t = median(times[(task, tool)])
            c = median(cpus[(task, tool)])
            ratio, target = "", ""
            cpu_ratio = "" if tool.startswith("window") or c <= 0 else "%.2f" % (mine_cpu / c)
            if not tool.startswith("window"):
                value = mine / t if t > 0 else float("inf")
                ratio = "%.2f" % value
                limit = TARGETS.get((task, tool))
                if limit is not None:
                    target = "<= %.1f" % limit
                    if value > limit:
                        target += " MISSED"
                        missed.append("%s against %s: %.2f" % (task, tool, value))
            print("%-10s %-14s %9.3f %9.3f %9.1f %12s %8s %10s" % (
                task, tool, t, c, median(peaks[(task, tool)]) / 1024, ratio, cpu_ratio, target))
    for task in tools:
        above = (median(peaks[(task, "window")]) - median(idles[task])) / 1024
        limit = MEMORY_TARGETS.get(task)
        verdict = ""
        if limit is not None:
            verdict = " (target <= %.0f MB%s)" % (limit, " MISSED" if above > limit else "")
            if above > limit:
                missed.append("%s memory: %.1f MB above idle" % (task, above))
        print("%-10s window peak above idle: %.1f MB%s" % (task, above, verdict))
    if mismatches:
        print("RESULT MISMATCH:\n  " + "\n  ".join(mismatches))
        return 1
    print("all tools found the expected files in every run")
    if missed:
        print("targets missed: " + "; ".join(missed))
        return 2 if args.require_targets else 0
    print("all targets met")
    return 0


# --- Trees at scale -----------------------------------------------------------


def scale_trees(args):
    """Measures the trees at scale given on the command line; returns the exit status."""
    tools, expected, statuses, warm = {}, {}, {}, []
    if args.names_corpus:
        names = os.path.abspath(args.names_corpus)
        manifest = json.load(open(names + ".manifest"))
        keyword = manifest["keyword"]
        files = sorted(walk(names))
        tools["names"] = {
            "window": lambda: window_run(args.bench_window, "filename", names, keyword),
            "window clicked": lambda: window_run(args.bench_window, "filename-clicks", names, keyword),
            "find": lambda: timed(["find", names, "-path", "*/.*", "-prune", "-o", "-type", "f",
                                   "-iname", "*%s*" % keyword, "-print"]),
        }
        want = set(manifest["name_matches"])
        expected.update({("names", "window"): want, ("names", "window clicked"): want, ("names", "find"): want})
        statuses["names"] = ("%d of the %d searched files have/has " % (len(want), len(files)), names, keyword)
    if args.most_corpus:
        most = os.path.abspath(args.most_corpus)
        manifest = json.load(open(most + ".manifest"))
        keyword = manifest["keyword"]
        files = sorted(walk(most))
        candidates = [f for f in files if plain_text(f)]
        warm += candidates
        listing = tempfile.NamedTemporaryFile("wb", delete=False)
        listing.write(b"\0".join(p.encode("utf-8", "surrogateescape") for p in candidates))
        listing.close()
        tools["fulltext-most"] = {
            "window": lambda: window_run(args.bench_window, "fulltext", most, keyword),
            "grep -liw": lambda: timed(["xargs", "-0", "grep", "-liw", keyword], open(listing.name)),
            "rg -liw": lambda: timed(["xargs", "-0", "rg", "-liw", keyword], open(listing.name)),
        }
        want = set(manifest["contain"])
        for tool in tools["fulltext-most"]:
            expected[("fulltext-most", tool)] = want
        statuses["fulltext-most"] = ("%d of the %d searched files contain(s) " % (len(want), len(candidates)), most,
                                     keyword)

    for path in warm:
        with open(path, "rb") as f:
            while f.read(1 << 20):
                pass

    times, cpus, peaks, idles, clicks, mismatches = {}, {}, {}, {}, [], []
    cancels = []
    loads = [load_average()]
    for run in range(args.runs):
        for task in tools:
            mode = "filename-cancel" if task == "names" else "fulltext-cancel"
            result = window_run(args.bench_window, mode, statuses[task][1], statuses[task][2])
            cancels.append((float(result[4]["cancel_ms"]), task))
        for task, entries in tools.items():
            root = statuses[task][1]
            for tool, call in entries.items():
                result = call()
                if tool.startswith("window"):
                    idles.setdefault(task, []).append(result[2])
                    cpus.setdefault((task, tool), []).append(float(result[4]["cpu_seconds"]))
                    found = {os.path.relpath(p, root) for p in result[3] if p}
                    if statuses[task][0] not in result[4]["status"]:
                        mismatches.append("run %d, %s / %s: status %r" % (run + 1, task, tool, result[4]["status"]))
                    if "click_max_ms" in result[4]:
                        clicks.append((float(result[4]["click_max_ms"]), float(result[4]["click_median_ms"]),
                                       int(result[4]["clicks"])))
                else:
                    cpus.setdefault((task, tool), []).append(result[3])
                    found = {os.path.relpath(p, root) for p in result[2].splitlines() if p}
                times.setdefault((task, tool), []).append(result[0])
                peaks.setdefault((task, tool), []).append(result[1])
                want = expected.get((task, tool))
                if want is not None and found != want:
                    mismatches.append("run %d, %s / %s: missing %s, extra %s" % (
                        run + 1, task, tool, sorted(want - found)[:5], sorted(found - want)[:5]))
    loads.append(load_average())
    if args.most_corpus:
        os.unlink(listing.name)
    line = "trees at scale: " + "; ".join("%s %s" % (task, os.path.basename(statuses[task][1])) for task in tools)
    status = report(args, tools, (times, cpus), peaks, idles, mismatches, loads, line)
    if clicks:
        longest = max(c[0] for c in clicks)
        verdict = "" if longest <= CLICK_TARGET_MS else " MISSED"
        print("names      clicks while rows are added: %d, longest wait %.1f ms over the runs (target <= %.0f ms%s), "
              "median of the runs' medians %.1f ms" % (sum(c[2] for c in clicks), longest, CLICK_TARGET_MS, verdict,
                                                    median([c[1] for c in clicks])))
        if verdict and status == 0:
            print("targets missed: a click waited %.1f ms" % longest)
            status = 2 if args.require_targets else 0
        elif verdict and status == 2:
            print("also missed: a click waited %.1f ms" % longest)
    if cancels:
        longest, task = max(cancels)
        missed = longest > CANCEL_TARGET_MS or longest < 0
        print("cancel     from the click on Cancel to the search stopped: longest %.1f ms (%s) over %d searches "
              "(target <= %.0f ms%s)" % (longest, task, len(cancels), CANCEL_TARGET_MS, " MISSED" if missed else ""))
        if missed:
            print("targets missed: the search stopped %.1f ms after Cancel" % longest)
            status = worst(status, 2 if args.require_targets else 0)
    return status


# --- Pages in many languages ---------------------------------------------------

# Keywords outside ASCII, each in the pages of a few of the 40 languages, as
# fast as an ASCII one: at most ripgrep's time.
PAGES_TARGET = 1.0


def pages_tree(args):
    """Full-text searches of the Markdown pages for each of their keywords,
    against rg over the same files; returns the exit status."""
    if not args.pages_corpus:
        print("--pages-only needs --pages-corpus")
        return 1
    pages = os.path.abspath(args.pages_corpus)
    manifest = json.load(open(pages + ".manifest"))
    candidates = sorted(f for f in walk(pages) if plain_text(f))
    listing = tempfile.NamedTemporaryFile("wb", delete=False)
    listing.write(b"\0".join(p.encode("utf-8", "surrogateescape") for p in candidates))
    listing.close()
    tools, expected = {}, {}
    for keyword, want in manifest["keywords"].items():
        task = "pages-" + keyword
        tools[task] = {
            "window": lambda k=keyword: window_run(args.bench_window, "fulltext", pages, k),
            "rg -liw": lambda k=keyword: timed(["xargs", "-0", "rg", "-liw", k], open(listing.name)),
        }
        TARGETS[(task, "rg -liw")] = PAGES_TARGET
        for tool in tools[task]:
            expected[(task, tool)] = set(want)
    for path in candidates:
        with open(path, "rb") as f:
            f.read()
    def check(run, task, tool, result):
        paths = result[3] if tool == "window" else result[2].splitlines()
        found = {os.path.relpath(p, pages) for p in paths if p}
        want = expected[(task, tool)]
        if found == want:
            return []
        return ["run %d, %s / %s: missing %s, extra %s" % (
            run + 1, task, tool, sorted(want - found)[:5], sorted(found - want)[:5])]

    (times, cpus, peaks, idles), mismatches, loads = run_alternating(args, tools, check)
    os.unlink(listing.name)
    line = "pages %s, %d files in %d languages" % (os.path.basename(pages), len(candidates),
                                                  len(os.listdir(pages)))
    return report(args, tools, (times, cpus), peaks, idles, mismatches, loads, line)


# --- The real trees of a Debian machine ----------------------------------------

# The same searches on trees every Debian machine has, against the peers over
# the same candidate files; the generated corpus cannot stand in for them
# (its folders are few and wide, its files of a similar size).
REAL_TARGETS = {
    ("usr-names", "find"): 1.0,
    ("usr-names-again", "find"): 0.25,
    ("include-the", "grep -liw"): 1.0,
    ("include-the", "rg -liw"): 1.0,
    ("include-deprecated", "rg -liw"): 0.8,
}
# With the page cache dropped before each run of each tool.
COLD_TARGETS = {("include-deprecated", "rg -liw"): 1.0}


def real_files(paths, root):
    """The files as the file system names them, inside root: the window enters
    a linked folder once, under the first name it meets, and find and rg not
    at all, so each side's paths are compared by what they point to."""
    inside = os.path.realpath(root) + os.sep
    real = (os.path.realpath(p) for p in paths if p)
    return {p for p in real if p.startswith(inside)}


def drop_page_cache():
    """True when the page cache could be dropped (root, and a kernel that lets us)."""
    try:
        os.sync()
        with open("/proc/sys/vm/drop_caches", "w") as f:
            f.write("3\n")
        return True
    except OSError:
        return False


def shutil_which(name):
    import shutil
    return shutil.which(name)


def real_trees(args):
    """Filename search of /usr, full text of /usr/include; returns the exit status."""
    tasks = []
    if os.path.isdir("/usr") and shutil_which("find"):
        tasks.append(("usr-names", "/usr", "e", "filename"))
        # The same search again in the same window, which keeps the folders' names.
        tasks.append(("usr-names-again", "/usr", "e", "filename-repeat"))
    if os.path.isdir("/usr/include"):
        tasks.append(("include-the", "/usr/include", "the", "fulltext"))
        tasks.append(("include-the-again", "/usr/include", "the", "fulltext-repeat"))
        tasks.append(("include-deprecated", "/usr/include", "deprecated", "fulltext"))
    if not tasks:
        print("real trees: /usr and /usr/include are missing here; skipped")
        return 0
    xvfb = XvfbDisplay() if shutil_which("Xvfb") else None
    try:
        status = real_trees_measured(args, tasks, xvfb, cold=False)
        print()
        status = worst(status, source_tree_checks(args))
        if args.cold:
            print()
            if drop_page_cache():
                cold_tasks = [t for t in tasks if t[0] == "include-deprecated"]
                status = worst(status, real_trees_measured(args, cold_tasks, None, cold=True))
            else:
                print("cold page cache: /proc/sys/vm/drop_caches cannot be written here (root needed); skipped")
    finally:
        if xvfb:
            xvfb.stop()
    return status


def source_tree_checks(args):
    """The files found in the benchmark's own source tree against rg, and the
    reads that binary files without an extension cost."""
    import source_tree
    # Beside the generated corpus, made once like it.
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(folder, exist_ok=True)
    status = 0
    if os.path.isdir("/usr/share/doc") and shutil_which("rg"):
        root = source_tree.make_source_tree(os.path.join(folder, "source-tree"))
        lines, mismatches = source_tree.compare_with_rg(window_run, args.bench_window, root)
        print("\n".join(lines))
        if mismatches:
            print("RESULT MISMATCH:\n  " + "\n  ".join(mismatches))
            status = 1
    if shutil_which("strace"):
        line, met = source_tree.binary_read_cost(args.bench_window, folder)
        print(line + ("" if met else "  TARGET MISSED"))
        if not met and args.require_targets:
            status = worst(status, 2)
    return status


class XvfbDisplay:
    """A private X server for the window's real-window runs."""

    def __init__(self):
        self.number = 90 + os.getpid() % 100
        self.process = subprocess.Popen(["Xvfb", ":%d" % self.number, "-screen", "0", "1280x1024x24", "-nolisten",
                                         "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        self.display = ":%d" % self.number

    def stop(self):
        self.process.terminate()
        self.process.wait()


def real_tools(args, name, root, keyword, kind, xvfb):
    """The tools of one real-tree task and the listing file they share (or None)."""
    bench = args.bench_window
    tools = {"window": lambda: window_run(bench, kind, root, keyword)}
    repeat = kind.endswith("-repeat")
    kind = kind.split("-")[0]
    if xvfb and not repeat:
        tools["window xcb"] = lambda: window_run(bench, kind, root, keyword, display=xvfb.display)
    if kind == "filename":
        tools["find"] = lambda: timed(["find", root, "-path", "*/.*", "-prune", "-o", "-type", "f",
                                       "-iname", "*%s*" % keyword, "-print"])
        if shutil_which("fdfind"):
            tools["fdfind"] = lambda: timed(["fdfind", "--no-ignore", "--type", "f", "--fixed-strings",
                                             "--ignore-case", keyword, root])
        return tools, None
    # Each file once, as the window reads it once.
    candidates = sorted(real_files((f for f in walk(root) if plain_text(f)), root))
    listing = tempfile.NamedTemporaryFile("wb", delete=False)
    listing.write(b"\0".join(p.encode("utf-8", "surrogateescape") for p in candidates))
    listing.close()
    tools["grep -liw"] = lambda: timed(["xargs", "-0", "grep", "-liw", keyword], open(listing.name))
    if shutil_which("rg"):
        tools["rg -liw"] = lambda: timed(["xargs", "-0", "rg", "-liw", keyword], open(listing.name))
    return tools, listing.name


def real_trees_measured(args, tasks, xvfb, cold):
    times, cpus, peaks, idles, mismatches, all_tools, listings = {}, {}, {}, {}, [], {}, []
    loads = [load_average()]
    for name, root, keyword, kind in tasks:
        tools, listing = real_tools(args, name, root, keyword, kind, None if cold else xvfb)
        all_tools[name] = tools
        if listing:
            listings.append(listing)
        found_by = {}
        for run in range(args.runs):
            for tool, call in tools.items():
                if cold:
                    drop_page_cache()
                result = call()
                if tool.startswith("window"):
                    # The peak above idle is the offscreen window's: the one on
                    # Xvfb starts from another idle size.
                    if tool == "window":
                        idles.setdefault(name, []).append(result[2])
                    cpus.setdefault((name, tool), []).append(float(result[4]["cpu_seconds"]))
                    found = result[3]
                else:
                    cpus.setdefault((name, tool), []).append(result[3])
                    found = set(result[2].splitlines())
                times.setdefault((name, tool), []).append(result[0])
                peaks.setdefault((name, tool), []).append(result[1])
                found = real_files(found, root)
                if tool in found_by and found_by[tool] != found:
                    mismatches.append("%s / %s: run %d found other files than run 1" % (name, tool, run + 1))
                found_by.setdefault(tool, found)
        # Every tool must find what the window finds (fdfind, which decides
        # "hidden" and case by its own rules, is shown beside and not compared).
        mine = found_by["window"]
        for tool, found in found_by.items():
            if tool != "fdfind" and found != mine:
                mismatches.append("%s / %s: %d files the window did not find %s, %d it missed %s" % (
                    name, tool, len(found - mine), sorted(found - mine)[:3], len(mine - found),
                    sorted(mine - found)[:3]))
    loads.append(load_average())
    for listing in listings:
        os.unlink(listing)
    saved = dict(TARGETS)
    TARGETS.clear()
    TARGETS.update(COLD_TARGETS if cold else REAL_TARGETS)
    try:
        heading = "real trees%s: %s" % (" with a cold page cache" if cold else ", warm",
                                        "; ".join("%s %s for %r" % (t[0], t[1], t[2]) for t in tasks))
        return report(args, all_tools, (times, cpus), peaks, idles, mismatches, loads, heading)
    finally:
        TARGETS.clear()
        TARGETS.update(saved)


if __name__ == "__main__":
    sys.exit(main())
