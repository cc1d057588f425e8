#!/usr/bin/env python3
"""Writes the seed corpus in corpus/<target>/ from the readable seeds below.

The targets read their input with libFuzzer's FuzzedDataProvider: texts from
the front, numbers from the back. Input lays the bytes out in that order, and
the functions after it follow FuzzInput.cpp and the targets step by step, so a
change to how a target reads its input must be made in both places.
"""

import pathlib

ROOTS = ["C:", "c:", "D:", "\\\\Server\\Share", "\\\\server\\SHARE"]
HEADS = ["", "C:\\", "c:\\", "D:\\", "E:\\", "\\\\Server\\Share\\", "\\\\SERVER\\share"]
UNUSUAL = [0x410, 0x430, 0x42F, 0x44F, 0xFF21, 0xFF41, 0xFF3A, 0xFF5A,
           0x130, 0x131, 0x3A3, 0x3C3, 0xD800, 0xDC00, 0xFFFF, 0x1E9E]
FOLDER, FILE, REMOVE = 0, 1, 2


class Input:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order the numbers are taken

    def text(self, text, max_bytes):
        assert len(text) <= max_bytes
        for ch in text:
            code = ord(ch)
            byte = 0x80 + UNUSUAL.index(code) if code in UNUSUAL else code
            assert byte < 0x100 and (byte < 0x80 or byte >= 0x90 or code in UNUSUAL), ch
            self.front += b"\\\\" if byte == 0x5C else bytes([byte])
        if len(text) < max_bytes:
            self.front += b"\\;"  # a backslash and any other byte end the text

    def number(self, low, high, value):
        assert low <= value <= high
        span, count = high - low, 0
        while count < 8 and span >> (8 * count) > 0:
            count += 1
        offset = value - low
        self.back += offset.to_bytes(count, "big") if count else b""

    def boolean(self, value):
        self.number(0, 255, int(value))

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


def tree(data, entries):
    """entries: (action, root, [(name, alias or None)], size, time); returns the words."""
    words = []
    data.number(0, 12, len(entries))
    for action, root, parts, size, time in entries:
        if root in ROOTS:
            data.number(0, len(ROOTS), ROOTS.index(root))
        else:
            data.number(0, len(ROOTS), len(ROOTS))
            data.text(root, 16)
        data.number(1, 4, len(parts))
        for name, alias in parts:
            data.text(name, 16)
            data.boolean(alias is not None)
            if alias is not None:
                data.text(alias, 16)
            words += [name] + ([alias] if alias is not None else [])
        data.number(0, 2, action)
        data.number(0, 2**64 - 1, size)
        data.number(0, 2**64 - 1, time)
    return words


def path(data, words, head, items):
    """items: a word of the tree as (word, spelling 0 as is, 1 upper, 2 lower),
    ".", "..", "" or any other text as ("text", ...)."""
    data.number(0, len(HEADS) - 1, HEADS.index(head))
    data.number(0, 8, len(items))
    for item in items:
        if isinstance(item, tuple) and item[0] == "text":
            data.number(0, len(words) + 3, len(words) + 3)
            data.text(item[1], 64)
        elif isinstance(item, tuple):
            data.number(0, len(words) + 3, words.index(item[0]))
            data.number(0, 2, item[1])
        else:
            data.number(0, len(words) + 3, len(words) + [".", "..", ""].index(item))


def file_time(year, month, day, hour, minute, second):
    import datetime
    moment = datetime.datetime(year, month, day, hour, minute, second)
    return int((moment - datetime.datetime(1601, 1, 1)).total_seconds()) * 10_000_000


TREE = [
    (FILE, "C:", [("Program Files", "PROGRA~1"), ("Long Folder Name", None), ("Deep File.text", None)],
     106_429_952, file_time(2001, 2, 21, 0, 5, 3)),
    (FILE, "C:", [("Data", None), ("a.TXT", None)], 1234, file_time(2001, 2, 20, 9, 0, 0)),
    (FOLDER, "C:", [("Data", None), ("Sub", None)], 0, file_time(2001, 2, 20, 18, 0, 0)),
    (FOLDER, "C:", [("Data", None), ("Empty", None)], 0, 0),
    (FILE, "\\\\Server\\Share", [("Dir", None), ("File.Txt", None)], 2**64 - 1, 2**63),
    (FILE, "c:", [("Ünïcödé Я", None)], 5, file_time(9999, 12, 31, 23, 59, 59)),
]


def converter_seed(head, items, fail_short=False, entries=TREE):
    data = Input()
    words = tree(data, entries)
    data.boolean(fail_short)
    path(data, words, head, items)
    return data.data()


def lister_seed(head, items, size_column=0, entries=TREE):
    data = Input()
    words = tree(data, entries)
    path(data, words, head, items)
    data.number(0, 2**64 - 1, size_column)
    return data.data()


def sort_seed(keys, comp_delta, mode, lo=0, hi=0):
    data = Input()
    data.number(0, 512, len(keys))
    for key in keys:
        data.text(key, 32)
    data.number(-2, 2, comp_delta)
    data.number(0, 2, mode)
    if mode == 1:
        data.number(-2, len(keys) + 1, lo)
        data.number(-2, len(keys) + 1, hi)
    elif mode == 2:
        data.number(-2**31, 2**31 - 1, lo)
        data.number(-2**31, 2**31 - 1, hi)
    return data.data()


SEEDS = {
    "converter": {
        "short-names": converter_seed("c:\\", [("PROGRA~1", 0), ("Long Folder Name", 2), ("Deep File.text", 1)]),
        "dots-and-doubled": converter_seed("C:\\", [("Data", 1), ".", "", ("Sub", 2), "..", ("a.TXT", 0)]),
        "share": converter_seed("\\\\SERVER\\share", ["", ("Dir", 2), ("File.Txt", 1)]),
        "no-short-names": converter_seed("C:\\", [("Program Files", 0)], fail_short=True),
        "command-line": converter_seed("", [("text", ' "C:\\Data\\a b" x'), ("Data", 0)]),
        "relative": converter_seed("", [("text", "C:Data"), ("a.TXT", 0)]),
    },
    "lister": {
        "file-in-folder": lister_seed("C:\\", [("Data", 2), ("a.TXT", 1)], 106_429_952),
        "folder": lister_seed("c:\\", [("Program Files", 0), ("Long Folder Name", 1)]),
        "empty-folder": lister_seed("C:\\", [("Data", 0), ("Empty", 0), ""]),
        "root": lister_seed("C:\\", [("Ünïcödé Я", 1)], 2**64 - 1),
        "share-root": lister_seed("\\\\Server\\Share\\", [("Dir", 0), ".."]),
        "removed": lister_seed("C:\\", [("Data", 0), ("Sub", 0)], entries=TREE + [
            (REMOVE, "C:", [("Data", None), ("Sub", None)], 0, 0)]),
    },
    "sort": {
        "listing": sort_seed(["F b   >1>2001/02/21 09:05:03", "D z   >0>2001/02/20 18:00:00", "F A   >2>0000/00/00 00:00:00", "D a   >0>"], 0, 0),
        "equal-keys": sort_seed(["abc", "ABC", "Abc", "aBc", "x", "abc"], 0, 0),
        "inner-range": sort_seed(["z", "c", "b", "a", "y"], 0, 1, 1, 3),
        "short-companions": sort_seed(["c", "b", "a"], -1, 0),
        "huge-range": sort_seed(["b", "a"], 0, 2, 0, 2**31 - 1),
        "negative-range": sort_seed(["b", "a", ""], 1, 2, -2**31, 1),
    },
}


def main():
    here = pathlib.Path(__file__).resolve().parent
    for target, seeds in SEEDS.items():
        folder = here / "corpus" / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
