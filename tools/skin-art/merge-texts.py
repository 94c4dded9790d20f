#!/usr/bin/env python3
"""Adds the texts of id tables to the skin's language files.

    merge-texts.py <skin folder> <table.tsv>...

A table has one text a line: id <TAB> English <TAB> Simplified Chinese. Ids a language file
already has keep their text (a different text in a table is reported, not applied), so texts
edited in the language files survive; new ids are appended in table order. Lines that are
empty or start with '#' are skipped.
"""
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path
from xml.sax.saxutils import quoteattr

LANGUAGES = (("lan_en.xml", "English", 1), ("lan_cn.xml", "简体中文", 2))


def read_language(path):
    """The (id, value) pairs of a language file in file order; empty when it does not exist."""
    if not path.exists():
        return []
    root = ElementTree.parse(path).getroot()
    if root.tag != "Language":
        sys.exit(f"{path}: the root element is not Language")
    return [(text.get("id"), text.get("value", "")) for text in root.iter("Text")]


def read_table(path):
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 3 or not fields[0]:
            sys.exit(f"{path}:{number}: expected id<TAB>English<TAB>Chinese")
        rows.append(fields)
    return rows


def write_language(path, name, pairs):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', f"<Language name={quoteattr(name)}>"]
    lines += [f"  <Text id={quoteattr(i)} value={quoteattr(v)}/>" for i, v in pairs]
    lines.append("</Language>")
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    skin = Path(sys.argv[1])
    rows = [row for table in sys.argv[2:] for row in read_table(Path(table))]
    for file_name, language_name, column in LANGUAGES:
        path = skin / file_name
        pairs = read_language(path)
        known = dict(pairs)
        added = 0
        for row in rows:
            text_id, text = row[0], row[column]
            if text_id not in known:
                pairs.append((text_id, text))
                known[text_id] = text
                added += 1
            elif known[text_id] != text:
                print(f"{file_name}: {text_id} kept {known[text_id]!r}, table has {text!r}")
        write_language(path, language_name, pairs)
        print(f"{file_name}: {added} added, {len(pairs)} texts")


if __name__ == "__main__":
    main()
