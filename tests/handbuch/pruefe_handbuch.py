#!/usr/bin/env python3
"""Holds the manual to the program: every text the manual quotes between ASCII double
quotes is a text of the program (a string literal of src/, as written or as a menu shows
it), every picture it names was rendered by this build, every link between its pages
resolves.

    pruefe_handbuch.py HANDBUCH-ORDNER BILDER-ORDNER QUELL-ORDNER
"""
import pathlib
import re
import sys

# A string literal, or a comment or character literal, which may hold quotes of its own.
TOKEN = re.compile(r'(?:u8|L|u|U)?"((?:[^"\\\n]|\\.)*)"|//[^\n]*|/\*.*?\*/|\'(?:[^\'\\\n]|\\.)*\'', re.S)
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\", "'": "'", "0": "\0"}


def unescape(text):
    out, k = [], 0
    while k < len(text):
        if text[k] == "\\" and k + 1 < len(text):
            out.append(ESCAPES.get(text[k + 1], text[k + 1]))
            k += 2
        else:
            out.append(text[k])
            k += 1
    return "".join(out)


def program_texts(sources):
    """Every string literal, adjacent literals joined, as written and as a menu shows it."""
    texts = []
    for path in sorted(sources.rglob("*")):
        if path.suffix not in (".cpp", ".h", ".ui"):
            continue
        code = path.read_text(encoding="utf-8")
        joined, last_end = None, None
        for match in TOKEN.finditer(code):
            if match.group(1) is None:
                continue
            text = unescape(match.group(1))
            if joined is not None and code[last_end:match.start()].strip() == "":
                joined += text
            else:
                if joined is not None:
                    texts.append(joined)
                joined = text
            last_end = match.end()
        if joined is not None:
            texts.append(joined)
    # A caption's "&" marks its shortcut at the start of a word ("&Datei", "Einträge
    # &Löschen") and "&&" is one "&"; an "&" inside a word ("T&L") is a plain character.
    captions = [text for text in texts if re.search(r"(^|\s)&\S|&&", text)]
    shown = [re.sub(r"&(.)", r"\1", text) for text in captions]
    return "\n\0".join(texts + shown)


def without_code(markdown):
    markdown = re.sub(r"```.*?```", "", markdown, flags=re.S)
    return re.sub(r"`[^`\n]*`", "", markdown)


def main(manual, pictures, sources):
    corpus = program_texts(sources)
    failures = []
    pages = sorted(manual.glob("*.md"))
    if not pages:
        failures.append(f"Kein Handbuch in {manual}")
    for page in pages:
        markdown = page.read_text(encoding="utf-8")
        prose = without_code(markdown)
        # A quote may wrap in the Markdown source; on the page its line break is a blank.
        for quoted in re.findall(r'"([^"]+)"', re.sub(r"\s*\n\s*", " ", prose)):
            if quoted not in corpus:
                failures.append(f'{page.name}: "{quoted}" ist kein Text des Programms')
        for target in re.findall(r"\]\(([^)\s]+)\)", prose):
            if re.match(r"[a-z]+:", target):
                continue
            if "#" in target:
                failures.append(f"{page.name}: Sprungmarke in {target} (das Hilfefenster folgt ihr nicht)")
            elif target.startswith("bilder/"):
                if not (pictures / target[len("bilder/"):]).is_file():
                    failures.append(f"{page.name}: Bild {target} wurde nicht gezeichnet")
            elif not (manual / target).is_file():
                failures.append(f"{page.name}: Verweis auf {target} führt ins Leere")
    for failure in failures:
        print("FEHLER:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*(pathlib.Path(arg) for arg in sys.argv[1:])))
