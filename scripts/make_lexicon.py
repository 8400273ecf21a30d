#!/usr/bin/env python3
"""Writes lexicon.txt, the word list the simplified/traditional converter
segments a text with, from the word list of Debian's python3-jieba
(/usr/lib/python3/dist-packages/jieba/dict.txt, "word frequency tag" per
line; Expat/MIT licence) and the phrase rows of the conversion tables.

Called by make_tradition_tables.py after it has made the tables; the
output depends only on the installed jieba and OpenCC data.

Kept from the word list (words of Chinese characters only, and none
written with a character that only traditional script uses):
  - every word that holds a character with more than one form in the
    other script (发: 發 髮) and converts otherwise than character by
    character, or holds a phrase that decides such a character, whatever
    its frequency: these are the words whose conversion depends on where
    the word is; such words that convert character by character when their
    frequency is at least MIN_FREQUENCY;
  - words of at least MIN_FREQUENCY that overlap such a word or a phrase
    (a word ending where it begins, or beginning where it ends, as 前头
    overlaps 头发 in 前头发生): the words a segmentation needs around them;
  - every single character, so that a character between words has its
    own weight instead of that of an unknown one;
  - one entry per phrase row of the tables, with the frequency of the word
    list or, for a phrase the word list lacks, an estimate from the best
    split of the phrase into listed words (at least 1).

File format (UTF-8, one record per line):
  #total<TAB>N             sum of the frequencies of the whole word list
  >C<TAB>CANDIDATES        a simplified character and its traditional forms
  <C<TAB>CANDIDATES        a traditional character and its simplified forms
  WORD<TAB>FREQ[<TAB>T[<TAB>HK[<TAB>TW]]]
      WORD in simplified script, its frequency, and its forms in literal
      traditional, Hong Kong and Taiwan script as the opencc converter
      gives them for the word alone. T empty: the word converts character
      by character (with the first forms of the character table) and no
      phrase inside it decides one of its characters; "=": it converts
      so, and a phrase inside it says so; otherwise T itself. HK and TW
      empty: the same as T. Records are sorted by WORD; a word may come
      twice (one simplified phrase of two traditional rows).
"""

import math
import os

JIEBA = "/usr/lib/python3/dist-packages/jieba/dict.txt"
MIN_FREQUENCY = 20


def is_han(c):
    o = ord(c)
    return (0x3400 <= o <= 0x4DBF or 0x4E00 <= o <= 0x9FFF or 0xF900 <= o <= 0xFAFF
            or 0x20000 <= o <= 0x3FFFF or o == 0x3007)


def read_jieba():
    words = {}
    total = 0
    with open(JIEBA, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) < 2:
                continue
            freq = int(parts[1])
            total += freq
            if all(is_han(c) for c in parts[0]):
                words[parts[0]] = words.get(parts[0], 0) + freq
    return words, total


def best_split_frequency(phrase, words, total):
    """total times the probability of the phrase's best split into listed
    words (an unlisted character counts as frequency 1)."""
    logt = math.log(total)
    n = len(phrase)
    best = [0.0] * (n + 1)
    for i in range(n - 1, -1, -1):
        score = math.log(words.get(phrase[i], 1)) - logt + best[i + 1]
        for j in range(i + 2, n + 1):
            f = words.get(phrase[i:j])
            if f:
                score = max(score, math.log(f) - logt + best[j])
        best[i] = score
    return max(1, int(round(math.exp(best[0] + logt))))


def write_lexicon(outdir, chars, rows, st, ts, convert):
    words, total = read_jieba()
    fwd = {}
    for s, t in chars:
        fwd.setdefault(s, t)

    def derived(text):
        return "".join(fwd.get(c, c) for c in text)

    s_multi = {s: v for s, v in st.items() if len(v) > 1 and len(s) == 1}
    t_multi = {t: v for t, v in ts.items() if len(v) > 1 and len(t) == 1}

    phrase_keys = set(row[0] for row in rows)
    anchors = set(w for w in words if any(c in s_multi for c in w)) | phrase_keys
    prefixes = set()
    suffixes = set()
    for a in anchors:
        for i in range(1, len(a)):
            prefixes.add(a[:i])
            suffixes.add(a[i:])

    def overlaps(w):
        return any(w[i:] in prefixes or w[:i] in suffixes for i in range(1, len(w)))

    # The word list holds a few words in traditional characters; as
    # simplified words they would give those characters back unchanged.
    traditional_only = set(t for t, v in ts.items() if len(t) == 1 and v[0] != t)
    chosen = sorted(w for w, f in words.items()
                    if w not in phrase_keys and not any(c in traditional_only for c in w)
                    and (len(w) == 1 or w in anchors or (f >= MIN_FREQUENCY and overlaps(w))))

    # Which characters of a word some phrase inside it decides.
    longest_phrase = max(len(k) for k in phrase_keys)

    def decided(w):
        covered = [False] * len(w)
        for i in range(len(w)):
            for j in range(i + 2, min(len(w), i + longest_phrase) + 1):
                if w[i:j] in phrase_keys:
                    for k in range(i, j):
                        covered[k] = True
        return any(covered[i] for i, c in enumerate(w) if c in s_multi)

    trad = convert("s2t", chosen)
    hk = convert("s2hk", chosen)
    tw = convert("s2twp", chosen)

    records = []
    for row in rows:
        s, t, h, w = row
        freq = words.get(s) or best_split_frequency(s, words, total)
        records.append((s, freq, "=" if t == derived(s) else t, "" if h == t else h, "" if w == t else w))
    for i, s in enumerate(chosen):
        t = trad[i]
        if t == derived(s):
            t_field = "=" if decided(s) else ""
        else:
            t_field = t
        h_field = "" if hk[i] == t else hk[i]
        w_field = "" if tw[i] == t else tw[i]
        # A rare word that converts character by character only cuts.
        if len(s) > 1 and not (t_field or h_field or w_field) and words[s] < MIN_FREQUENCY:
            continue
        records.append((s, words[s], t_field, h_field, w_field))
    records.sort(key=lambda r: r[0])

    lines = ["#total\t%d" % total]
    lines += [">%s\t%s" % (c, "".join(v)) for c, v in sorted(s_multi.items())]
    lines += ["<%s\t%s" % (c, "".join(v)) for c, v in sorted(t_multi.items())]
    for s, freq, t, h, w in records:
        fields = [s, str(freq), t, h, w]
        while fields[-1] == "" and len(fields) > 2:
            fields.pop()
        lines.append("\t".join(fields))
    with open(os.path.join(outdir, "lexicon.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
    print("%d lexicon records (%d words of %d, %d phrases) written to %s"
          % (len(records), len(chosen), len(words), len(rows), outdir))
