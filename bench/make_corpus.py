#!/usr/bin/env python3
"""Writes a deterministic corpus for the search benchmarks.

    make_corpus.py OUT [--seed N] [--files N] [--megabytes N]
    make_corpus.py --big-file PATH [--big-megabytes N]
    make_corpus.py OUT --kind names [--seed N] [--files N]
    make_corpus.py OUT --kind fulltext-most|fulltext-small|pages [--seed N] [--files N]

The same seed and sizes always give the same tree: directories several levels
deep; files from empty to several MB with plain-text extensions and others
(their sizes scaled so that the tree holds about the megabytes asked for);
ASCII, UTF-8 with non-ASCII text and UTF-16 with BOM; a few very long lines.
Two keywords are planted in known files at known lines, and OUT.manifest lists
them (files and line numbers), so the benchmark knows which files every tool
must report. Nothing else in the corpus contains either keyword, in any letter
case.

With --big-file it writes instead one big log of short lines (1 GB by
default) whose only keyword is on its last line: the file a full-text search
must read to its end and the viewer must page through to its last block.
"""

import argparse
import json
import os
import random

KEYWORD = "zephyrine"
SECOND = "quillmark"
# Changes whenever the same seed and sizes would give another tree.
GENERATOR = 2
# Changes whenever the big file would come out otherwise.
BIG_GENERATOR = 1
# The trees at scale (--kind names, fulltext-most) have their own version.
SCALE_GENERATOR = 1

TEXT_EXTENSIONS = [".txt", ".log", ".cpp", ".h", ".py", ".html", ".xml", ".c", ".java", ".js",
                   ".css", ".sh", ".conf", ".TXT", ".Log"]
OTHER_EXTENSIONS = [".bin", ".dat", ".md", ".json", ".pdf", ".doc", ".csv", ""]

WORDS = ("lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor "
         "incididunt ut labore et dolore magna aliqua enim ad minim veniam quis nostrud "
         "exercitation ullamco laboris nisi aliquip ex ea commodo consequat duis aute irure "
         "in reprehenderit voluptate velit esse cillum fugiat nulla pariatur excepteur sint "
         "occaecat cupidatat non proident sunt culpa qui officia deserunt mollit anim id est "
         "return int void struct class const static include define namespace template "
         "error warning info debug trace request response handler buffer stream").split()
NON_ASCII = ("größe über straße café naïve résumé пример данные текст 数据 文件 搜索 "
             "ελληνικά κείμενο עברית ").split()


def sentence(rng, words, count):
    return " ".join(rng.choice(words) for _ in range(count))


def file_size(rng):
    """Mostly small files, some medium, a few of several MB."""
    roll = rng.random()
    if roll < 0.02:
        return 0
    if roll < 0.80:
        return rng.randint(64, 12_000)
    if roll < 0.995:
        return rng.randint(12_000, 120_000)
    return rng.randint(1_000_000, 5_000_000)


class LinePool:
    """Pre-made lines to draw from: writing 300 MB word by word takes too long."""

    def __init__(self, rng):
        self.ascii = [sentence(rng, WORDS, rng.randint(3, 16)) for _ in range(4000)]
        self.mixed = [sentence(rng, WORDS + NON_ASCII, rng.randint(3, 16)) for _ in range(4000)]

    def lines(self, rng, size, non_ascii):
        pool = self.mixed if non_ascii else self.ascii
        lines, total = [], 0
        while total < size:
            # A very long line (past the 25600-character cut), where it fits the size.
            if size - total > 100_000 and rng.random() < 0.002:
                line = " ".join(rng.choices(pool, k=rng.randint(400, 1200)))
            else:
                line = rng.choice(pool)
            lines.append(line)
            total += len(line) + 1
        return lines


def plant(rng, lines, keywords):
    """Puts each keyword at the start of a chosen line (kept whole-word and far
    from any cut of a long line); returns the line numbers, counted from 1."""
    at = []
    for keyword in keywords:
        index = rng.randrange(len(lines)) if lines else 0
        if not lines:
            lines.append("")
        lines[index] = keyword.capitalize() + " " + lines[index][:200]
        at.append(index + 1)
    return at


def encode(lines, encoding):
    text = "\n".join(lines) + "\n"
    if encoding == "utf-16":
        return b"\xff\xfe" + text.encode("utf-16-le")
    return text.encode("utf-8")


def file_plan(rng, n, dirs):
    text = rng.random() < 0.75
    ext = rng.choice(TEXT_EXTENSIONS if text else OTHER_EXTENSIONS)
    name = ("%s_%05d" % (rng.choice(WORDS), n)) + ext
    if rng.random() < 0.01:
        name = KEYWORD.upper() + "_" + name
    return {"text": text, "rel": os.path.join(rng.choice(dirs), name), "size": file_size(rng),
            "encoding": "utf-16" if text and rng.random() < 0.08 else "utf-8",
            "non_ascii": rng.random() < 0.3}


def write_file(rng, pool, out, plan, size, manifest):
    """Writes one file, plants keywords in some text files; returns its size."""
    rel, text = plan["rel"], plan["text"]
    lines = pool.lines(rng, size, non_ascii=plan["non_ascii"])
    roll = rng.random()
    if text and roll < 0.03 and size > 0:
        manifest["planted_lines"][rel] = plant(rng, lines, [KEYWORD, SECOND])
        manifest["both"].append(rel)
    elif text and roll < 0.06 and size > 0:
        manifest["planted_lines"][rel] = plant(rng, lines, [KEYWORD])
        manifest["keyword_only"].append(rel)
    if plan["encoding"] == "utf-16" and rel in manifest["planted_lines"]:
        manifest["utf16"].append(rel)
    if KEYWORD in os.path.basename(rel).lower():
        manifest["name_matches"].append(rel)
    data = encode(lines, plan["encoding"]) if size > 0 else b""
    path = os.path.join(out, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return len(data)


def write_big_file(path, megabytes, seed):
    """Short log lines up to the size asked for, then one line with the keyword."""
    rng = random.Random(seed)
    lines = [("%s %s\n" % (rng.choice(("info", "debug", "warning", "trace")),
                           sentence(rng, WORDS, rng.randint(6, 14)))).encode() for _ in range(5000)]
    chunk = b"".join(lines)
    target = megabytes * 1_000_000
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".part", "wb") as f:
        written = 0
        while written + len(chunk) <= target:
            f.write(chunk)
            written += len(chunk)
        for line in lines:
            if written + len(line) > target:
                break
            f.write(line)
            written += len(line)
        f.write(("last line with the " + KEYWORD + " at last\n").encode())
    os.replace(path + ".part", path)
    print("big file: %.0f MB in %s" % (os.path.getsize(path) / 1e6, path))


# --- Trees at scale -----------------------------------------------------------


def folder_tree(rng, tries, depth, name):
    """Relative folder paths ("" the root): each try adds a folder named after
    its number under a random earlier one less than depth levels deep."""
    dirs = [""]
    for i in range(max(1, tries)):
        parent = rng.choice(dirs)
        if parent.count("/") < depth:
            dirs.append(os.path.join(parent, name % i) if parent else name % i)
    return dirs


def names_tree(out, seed, files):
    """A tree of empty files where two names in three hold KEYWORD: a filename
    search that fills the table with files*2/3 rows. Only the names matter, so
    the files are empty and the tree is quick to make."""
    rng = random.Random(seed)
    dirs = folder_tree(rng, files // 60, 5, "n%04d")
    manifest = {"generator": SCALE_GENERATOR, "kind": "names", "keyword": KEYWORD, "name_matches": []}
    made = set()
    for n in range(files):
        word = rng.choice(WORDS)
        folder = rng.choice(dirs)
        if n % 3:
            name = "%s_%s_%06d%s" % (word, KEYWORD if n % 2 else KEYWORD.upper(), n, rng.choice(TEXT_EXTENSIONS))
            manifest["name_matches"].append(os.path.join(folder, name))
        else:
            name = "%s_%06d%s" % (word, n, rng.choice(OTHER_EXTENSIONS))
        path = os.path.join(out, folder)
        if path not in made:
            os.makedirs(path, exist_ok=True)
            made.add(path)
        open(os.path.join(path, name), "wb").close()
    return manifest


def fulltext_most_tree(out, seed, files):
    """Source-like text files of 1 to 30 KB, nearly all of which contain
    KEYWORD as a whole word once, on a line anywhere in the file (so a tool
    that stops at the first match reads about half of each), and a few that
    contain it only inside a longer word."""
    rng = random.Random(seed)
    pool = LinePool(rng)
    dirs = folder_tree(rng, files // 40, 4, "s%03d")
    manifest = {"generator": SCALE_GENERATOR, "kind": "fulltext-most", "keyword": KEYWORD, "contain": []}
    for n in range(files):
        rel = os.path.join(rng.choice(dirs), "%s_%05d%s" % (rng.choice(WORDS), n, rng.choice([".h", ".cpp", ".c", ".hpp"])))
        lines = pool.lines(rng, rng.randint(1_000, 30_000), non_ascii=rng.random() < 0.1)
        at = rng.randrange(len(lines))
        if rng.random() < 0.94:
            lines[at] = "static int %s = %d; // %s" % (KEYWORD, n, lines[at][:80])
            manifest["contain"].append(rel)
        else:
            lines[at] = "static int %s%d = %d;" % (KEYWORD, n, n)
        path = os.path.join(out, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(encode(lines, "utf-8"))
    return manifest


def fulltext_small_tree(out, seed, files):
    """Many small text files (100 bytes to 2 KB), one in two containing KEYWORD
    as a whole word: a full-text search whose cost is per file, not per byte,
    for measuring how that cost grows with the number of files."""
    rng = random.Random(seed)
    pool = LinePool(rng)
    dirs = folder_tree(rng, files // 50, 5, "t%05d")
    manifest = {"generator": SCALE_GENERATOR, "kind": "fulltext-small", "keyword": KEYWORD, "contain": []}
    made = set()
    for n in range(files):
        folder = rng.choice(dirs)
        rel = os.path.join(folder, "%s_%07d.txt" % (rng.choice(WORDS), n))
        lines = pool.lines(rng, rng.randint(100, 2_000), non_ascii=False)
        if n % 2:
            lines[rng.randrange(len(lines))] += " " + KEYWORD
            manifest["contain"].append(rel)
        path = os.path.join(out, folder)
        if path not in made:
            os.makedirs(path, exist_ok=True)
            made.add(path)
        with open(os.path.join(out, rel), "wb") as f:
            f.write(encode(lines, "utf-8"))
    return manifest


# The pages tree: each language's letters (pseudo-words are made of them),
# whether it writes spaces between words, and the non-ASCII keywords planted
# in its pages, each with texts that hold it as a whole word and texts that
# hold it inside a word only.
LATIN = "abcdefghijklmnopqrstuvwxyz"
PAGE_LANGUAGES = {
    "en": LATIN, "de": LATIN + "äöüß", "fr": LATIN + "éèêàçùâîô", "es": LATIN + "ñáéíóú",
    "it": LATIN + "àèéìòù", "pt": LATIN + "ãõáéíóúç", "nl": LATIN + "ëï", "sv": LATIN + "åäö",
    "da": LATIN + "æøå", "no": LATIN + "æøå", "fi": LATIN + "äö", "pl": LATIN + "ąćęłńóśźż",
    "cs": LATIN + "áčďéěíňóřšťúůýž", "sk": LATIN + "áäčďéíĺľňóôŕšťúýž", "hu": LATIN + "áéíóöőúüű",
    "ro": LATIN + "ăâîșț", "tr": LATIN + "çğıöşü", "hr": LATIN + "čćđšž", "sl": LATIN + "čšž",
    "lt": LATIN + "ąčęėįšųūž", "lv": LATIN + "āčēģīķļņšūž", "et": LATIN + "äõöüšž",
    "vi": LATIN + "ăâđêôơưáàảãạếềểễệốồổỗộớờởỡợứừửữự",
    "ru": "абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "uk": "абвгґдеєжзиіїйклмнопрстуфхцчшщьюя",
    "bg": "абвгдежзийклмнопрстуфхцчшщъьюя", "sr": "абвгдђежзијклљмнњопрстћуфхцчџш",
    "el": "αβγδεζηθικλμνξοπρστυφχψωάέήίόύώ", "ar": "ابتثجحخدذرزسشصضطظعغفقكلمنهوي",
    "fa": "ابپتثجچحخدذرزژسشصضطظعغفقکگلمنوهی", "he": "אבגדהוזחטיכלמנסעפצקרשת",
    "hi": "कखगघचछजझटठडढणतथदधनपफबभमयरलवशसहािीुूेैो", "bn": "কখগঘচছজঝটঠডঢণতথদধনপফবভমযরলশষসহািীুূে",
    "ta": "கஙசஞடணதநபமயரலவழளறனாிீுூெே", "ka": "აბგდევზთიკლმნოპჟრსტუფქღყშჩცძწჭხჯჰ",
    "hy": "աբգդեզէըթժիլխծկհձղճմյնշոչպջռսվտրցւփքօֆ", "ko": None, "zh": None, "ja": None, "th": None,
}
UNSPACED = {"zh", "ja", "th"}
PAGE_KEYWORDS = {
    "文件": (["zh", "ja"], ["文件", "（文件）", "**文件**", "`文件`"], ["文件夹", "的文件", "文件名"]),
    "файл": (["ru", "uk", "bg", "sr"], ["файл", "Файл", "ФАЙЛ", "(файл)"], ["файлы", "файла", "профайл"]),
    "Größe": (["de"], ["Größe", "größe", "GRÖSSE".replace("SS", "ẞ"), "*Größe*"], ["Größen", "GRÖSSE", "Gesamtgröße"]),
}


def page_letters(rng, language):
    """A pseudo-word of the language: its letters, or a range of its script."""
    ranges = {"zh": (0x4E00, 0x9FA5), "ko": (0xAC00, 0xD7A3), "th": (0x0E01, 0x0E2E)}
    size = rng.randint(2, 8)
    if language == "ja":
        return "".join(chr(rng.choice([rng.randint(0x3041, 0x3096), rng.randint(0x30A1, 0x30FA),
                                       rng.randint(0x4E00, 0x9FA5)])) for _ in range(size))
    if language in ranges:
        low, high = ranges[language]
        return "".join(chr(rng.randint(low, high)) for _ in range(size))
    return "".join(rng.choice(PAGE_LANGUAGES[language]) for _ in range(size))


def page_lines(rng, language, pool, size):
    """Markdown lines of about size characters: headings, paragraphs, lists, code."""
    gap = "" if language in UNSPACED else " "
    lines, total = [], 0
    while total < size:
        words = rng.choices(pool, k=rng.randint(4, 40))
        kind = rng.random()
        if kind < 0.1:
            line = "## " + gap.join(words[:4])
        elif kind < 0.3:
            line = "- " + gap.join(words) + " `code_%d`" % rng.randint(0, 99)
        elif kind < 0.35:
            line = "[%s](https://example.org/%s.html)" % (gap.join(words[:3]), rng.choice(WORDS))
        else:
            line = gap.join(words) + "."
        lines.append(line)
        total += len(line) + 1
    return lines


def pages_tree(out, seed, files):
    """Markdown pages in 40 languages (about 1 to 12 KB each, one in a hundred
    in UTF-16), where a page in one of a keyword's languages holds it as a
    whole word in one case or another, or inside a word only, or not at all:
    non-ASCII keywords in a tree that is mostly other scripts."""
    rng = random.Random(seed)
    languages = sorted(PAGE_LANGUAGES)
    pools = {lang: [page_letters(rng, lang) for _ in range(400)] for lang in languages}
    manifest = {"generator": SCALE_GENERATOR, "kind": "pages", "keywords": {k: [] for k in PAGE_KEYWORDS}}
    made = set()
    for n in range(files):
        language = languages[n % len(languages)]
        folder = os.path.join(language, "section%02d" % rng.randrange(24))
        rel = os.path.join(folder, "%s_%05d.md" % (rng.choice(WORDS), n))
        lines = page_lines(rng, language, pools[language], rng.randint(1_000, 12_000))
        for keyword, (keyword_languages, whole, inside) in PAGE_KEYWORDS.items():
            if language not in keyword_languages:
                continue
            chance = rng.random()
            texts = rng.choice(whole) if chance < 0.3 else rng.choice(inside) if chance < 0.6 else None
            if texts is None:
                continue
            at = rng.randrange(len(lines))
            lines[at] = lines[at] + " " + texts + " " + rng.choice(pools[language])
            if chance < 0.3:
                manifest["keywords"][keyword].append(rel)
        path = os.path.join(out, folder)
        if path not in made:
            os.makedirs(path, exist_ok=True)
            made.add(path)
        with open(os.path.join(out, rel), "wb") as f:
            f.write(encode(lines, "utf-16" if n % 100 == 7 else "utf-8"))
    return manifest


def write_manifest(out, manifest):
    with open(os.path.abspath(out) + ".manifest", "w") as f:
        json.dump(manifest, f, indent=1, sort_keys=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out", nargs="?")
    parser.add_argument("--big-file")
    parser.add_argument("--big-megabytes", type=int, default=1024)
    parser.add_argument("--seed", type=int, default=2010)
    parser.add_argument("--files", type=int, default=10_000)
    parser.add_argument("--megabytes", type=int, default=300)
    parser.add_argument("--kind", choices=["standard", "names", "fulltext-most", "fulltext-small", "pages"], default="standard")
    args = parser.parse_args()
    if args.kind == "names":
        manifest = names_tree(args.out, args.seed, args.files)
        write_manifest(args.out, manifest)
        print("corpus: %d empty files, %d names with the keyword, in %s" % (
            args.files, len(manifest["name_matches"]), args.out))
        return
    if args.kind == "pages":
        manifest = pages_tree(args.out, args.seed, args.files)
        write_manifest(args.out, manifest)
        print("corpus: %d pages, %s, in %s" % (args.files, ", ".join(
            "%d with %s" % (len(v), k) for k, v in manifest["keywords"].items()), args.out))
        return
    if args.kind in ("fulltext-most", "fulltext-small"):
        make = fulltext_most_tree if args.kind == "fulltext-most" else fulltext_small_tree
        manifest = make(args.out, args.seed, args.files)
        write_manifest(args.out, manifest)
        print("corpus: %d files, %d with the keyword, in %s" % (args.files, len(manifest["contain"]), args.out))
        return
    if args.big_file:
        write_big_file(args.big_file, args.big_megabytes, args.seed)
        return
    if not args.out:
        parser.error("OUT or --big-file is needed")
    rng = random.Random(args.seed)
    pool = LinePool(rng)

    dirs = [""]
    for i in range(max(1, args.files // 25)):
        parent = rng.choice(dirs)
        if parent.count("/") < 6:
            dirs.append(os.path.join(parent, "d%03d" % i) if parent else "d%03d" % i)

    # Every file's kind and size first, the sizes then scaled to the budget
    # (UTF-16 takes two bytes a character), so that no part of the tree is left empty.
    plans = [file_plan(rng, n, dirs) for n in range(args.files)]
    weight = sum(plan["size"] * (2 if plan["encoding"] == "utf-16" else 1) for plan in plans)
    scale = args.megabytes * 1_000_000 / max(1, weight)
    manifest = {"generator": GENERATOR, "keyword": KEYWORD, "second": SECOND, "both": [],
                "keyword_only": [], "utf16": [], "name_matches": [], "planted_lines": {}}
    written = 0
    for plan in plans:
        written += write_file(rng, pool, args.out, plan, int(plan["size"] * scale), manifest)

    # The viewer's file: 100 MB of text whose only keyword is in its last block.
    big = os.path.join(os.path.dirname(os.path.abspath(args.out)), "viewer-100mb.txt")
    with open(big, "wb") as f:
        line = (sentence(rng, WORDS, 14) + "\n").encode()
        f.write(line * (100_000_000 // len(line)))
        f.write(("last block " + KEYWORD + " here\n").encode())

    with open(os.path.abspath(args.out) + ".manifest", "w") as f:
        json.dump(manifest, f, indent=1, sort_keys=True)
    print("corpus: %d files, %.0f MB in %s" % (args.files, written / 1e6, args.out))


if __name__ == "__main__":
    main()
