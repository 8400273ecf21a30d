#!/usr/bin/env python3
"""Generates the simplified/traditional conversion tables of the text
plug-in from the OpenCC data that Debian ships (packages opencc and
libopencc-data, Apache License 2.0).

    scripts/make_tradition_tables.py [output folder]

Default output folder: plugins/reworker/tables. The output depends only on
the installed OpenCC data, so running it twice gives the same files.

Written tables (UTF-8, one entry per line, no final line break):
  textTo_newOne.txt / textTo_oldOne.txt
      The character table, paired by line: each simplified character of
      STCharacters with its first (most common) traditional candidate.
      Where several simplified characters share one traditional form, the
      one that TSCharacters names first comes first, so that the reverse
      pass (traditional to simplified, first line wins) picks it. After
      those, lines that only serve the reverse pass: traditional forms
      that are a later candidate of a simplified character (颱 for 台),
      with the simplified form TSCharacters gives them. A later line never
      changes the forward pass, because the first line of a key wins.
  textTo_newMainland.txt, textTo_oldMainland.txt, textTo_oldHongKong.txt,
  textTo_oldTaiwan.txt
      The four parallel phrase tables: line k holds one phrase in mainland
      simplified, literal traditional, Hong Kong and Taiwan forms. Phrases
      come from STPhrases, TSPhrases and TWPhrases, plus the single
      variant characters of HKVariants and TWVariants; the four forms are
      produced by the opencc converter (s2t, s2hk, s2twp, t2s, t2hk, t2tw).
      A phrase is kept when some conversion direction needs it, that is,
      when converting it character by character would not give its form in
      the target script, or when a later phrase with the same key would
      otherwise take its place; and every phrase that holds a character of
      more than one form in another script (发 of 头发 and of 发展) is kept
      even where it converts as the character table would, since it tells
      the converter's segmentation where a word is.
  lexicon.txt
      The words the converter segments a text into, with their frequencies
      (see scripts/make_lexicon.py, which writes it from python3-jieba's
      word list and the phrase rows above).
  textTo_beforeCustom.txt / textTo_afterCustom.txt
      Not generated: the small example of the custom conversion.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_lexicon  # noqa: E402

DATA = "/usr/share/opencc"


def export(name):
    """A dictionary of OpenCC as {key: [candidates]} through opencc_dict."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, name + ".txt")
        subprocess.run(["opencc_dict", "-i", os.path.join(DATA, name + ".ocd2"),
                        "-o", out, "-f", "ocd2", "-t", "text"], check=True)
        result = {}
        with open(out, encoding="utf-8") as f:
            for line in f:
                line = line.rstrip("\n")
                if not line:
                    continue
                key, values = line.split("\t", 1)
                result[key] = values.split(" ")
        return result


def convert(config, phrases):
    """Each phrase converted on its own by the opencc command line."""
    if not phrases:
        return []
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.txt")
        dst = os.path.join(tmp, "out.txt")
        with open(src, "w", encoding="utf-8") as f:
            f.write("\n".join(phrases) + "\n")
        subprocess.run(["opencc", "-c", config + ".json", "-i", src, "-o", dst], check=True)
        with open(dst, encoding="utf-8") as f:
            out = f.read().split("\n")
    out = out[:len(phrases)]
    if len(out) != len(phrases):
        sys.exit("opencc returned %d lines for %d phrases" % (len(out), len(phrases)))
    return out


def character_table(st, ts):
    forward = []  # (simplified, traditional), first candidates
    for s in sorted(st):
        t = st[s][0]
        if s != t:
            forward.append((s, t))
    # Shared traditional forms: TSCharacters' choice first.
    def rank(pair):
        s, t = pair
        preferred = ts.get(t, [t])[0]
        return 0 if s == preferred else 1
    order = {}
    for i, (s, t) in enumerate(forward):
        order.setdefault(t, []).append(i)
    first_of = {}
    for t, idx in order.items():
        first_of[t] = min(idx, key=lambda i: (rank(forward[i]), i))
    lines = []
    for i, (s, t) in enumerate(forward):
        if first_of[t] == i:
            lines.append((s, t))
    for i, (s, t) in enumerate(forward):
        if first_of[t] != i:
            lines.append((s, t))
    # Reverse-only lines for the later candidates.
    keys = set(s for s, _ in lines)
    reverse = {}
    for s, t in lines:
        reverse.setdefault(t, s)
    extra = []
    for s in sorted(st):
        for t in st[s][1:]:
            if t == s or t in reverse:
                continue
            want = ts.get(t, [s])[0]
            if want != t and want in keys:
                extra.append((want, t))
                reverse[t] = want
    return lines + extra


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "plugins", "reworker", "tables")
    os.makedirs(outdir, exist_ok=True)

    st = export("STCharacters")
    ts = export("TSCharacters")
    chars = character_table(st, ts)

    # Phrase rows: (simplified, literal traditional, Hong Kong, Taiwan).
    simplified = sorted(export("STPhrases"))
    traditional = sorted(set(export("TSPhrases")) | set(export("TWPhrases"))
                         | set(export("HKVariants")) | set(export("TWVariants")))
    # Every simplified form first with its forward conversions, so that the
    # rows made from traditional phrases (kept for the conversions back)
    # never decide how a simplified phrase is converted.
    trad_s = convert("t2s", traditional)
    forward = sorted(set(simplified) | set(trad_s))
    rows = list(zip(forward, convert("s2t", forward), convert("s2hk", forward), convert("s2twp", forward)))
    rows += zip(trad_s, traditional, convert("t2hk", traditional), convert("s2twp", trad_s))

    fwd = {}
    rev = {}
    for s, t in chars:
        fwd.setdefault(s, t)
        rev.setdefault(t, s)

    def by_chars(text, table):
        return "".join(table.get(c, c) for c in text)

    def needed(row):
        for src in range(4):
            for dst in range(4):
                if src == dst:
                    continue
                if dst == 0:
                    plain = by_chars(row[src], rev)
                elif src == 0:
                    plain = by_chars(row[src], fwd)
                else:
                    plain = row[src]
                if plain != row[dst]:
                    return True
        return False

    unique = []
    seen = set()
    for row in rows:
        row = tuple(row)
        if row in seen or any(not x or "\n" in x for x in row):
            continue
        seen.add(row)
        unique.append(row)

    # A row converting as the character pass would is still kept when a
    # later row shares its key in some script and would otherwise take over
    # that key (the first row of a key wins).
    s_multi = set(s for s, v in st.items() if len(v) > 1)
    t_multi = set(t for t, v in ts.items() if len(v) > 1)

    def decides(row):
        return any(c in s_multi for c in row[0]) or any(c in t_multi for c in "".join(row[1:]))

    keep = [needed(row) or decides(row) for row in unique]
    changed = True
    while changed:
        changed = False
        first = [dict() for _ in range(4)]
        for i, row in enumerate(unique):
            if keep[i]:
                for col in range(4):
                    first[col].setdefault(row[col], i)
        for i, row in enumerate(unique):
            if keep[i]:
                continue
            for col in range(4):
                j = first[col].get(row[col])
                if j is not None and j > i and unique[j] != row:
                    keep[i] = True
                    changed = True
                    break
    kept = [row for i, row in enumerate(unique) if keep[i]]

    def write(name, entries):
        with open(os.path.join(outdir, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(entries))

    write("textTo_newOne.txt", [s for s, _ in chars])
    write("textTo_oldOne.txt", [t for _, t in chars])
    for i, name in enumerate(["textTo_newMainland.txt", "textTo_oldMainland.txt",
                              "textTo_oldHongKong.txt", "textTo_oldTaiwan.txt"]):
        write(name, [row[i] for row in kept])
    print("%d characters, %d phrases (of %d) written to %s" % (len(chars), len(kept), len(rows), outdir))
    make_lexicon.write_lexicon(outdir, chars, kept, st, ts, convert)


if __name__ == "__main__":
    main()
