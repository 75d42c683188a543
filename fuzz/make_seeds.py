"""Writes the seed corpus of each fuzz target into fuzz/corpus/<target>/. The structured
targets read their input through libFuzzer's FuzzedDataProvider, which takes strings from
the front (a backslash escapes a backslash, and a backslash before anything else ends
the string) and numbers and booleans from the back; Seed lays the bytes out that way."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


class Seed:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order they are consumed, from the last byte on

    def flag(self, value):
        self.back.append(1 if value else 0)
        return self

    def byte(self, value):
        self.back.append(value & 0xFF)
        return self

    def text(self, value):
        self.front += value.replace(b"\\", b"\\\\") + b"\\|"
        return self

    def rest(self, value):
        self.front += value
        return self

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


def configuration(path, value, tail):
    seed = Seed().flag(path is not None).text(path or b"")
    seed.flag(value is not None).text(value or b"")
    return seed.flag(tail is not None).rest(tail or b"").data()


def creator(names, outcomes=None, existing=()):
    """names include the program's own; outcomes[i] = (create fails, errno, close fails)."""
    seed = Seed().byte(len(names))
    for i, name in enumerate(names):
        if i > 0:
            fails, error, close_fails = (outcomes or {}).get(i, (False, 0, False))
            seed.flag(fails).byte(error + 128).flag(close_fails).flag(name in existing)
        seed.text(name)
    return seed.data()


def ini_path(size, path):
    return bytes([size & 0xFF, size >> 8]) + path


SEEDS = {
    "tail": {
        "quoted_path_with_blank": b'"C:\\Program Files\\K.EXE" C:\\FLAGS\\JOB.FLG',
        "trailing_blanks_kept": b"KORVANE.EXE JOB.FLG  ",
        "only_blanks": b"KORVANE.EXE   ",
        "unclosed_quote": b'"C:\\K.EXE JOB.FLG',
        "control_characters": b"K.EXE\t\x01\x1f x\x7f",
        "latin1_in_name": b"K\xe9.EXE \xe9t\xe9.flg",
        "empty_quotes": b'"" tail',
        "empty": b"",
    },
    "ini_path": {
        "plain": ini_path(256, b"C:\\TOOLS\\KORVANE.EXE"),
        "one_byte_short": ini_path(20, b"C:\\TOOLS\\KORVANE.EXE"),
        "exact_fit": ini_path(21, b"C:\\TOOLS\\KORVANE.EXE"),
        "dotted_directory": ini_path(64, b"C:\\v1.3\\bin/KORVANE"),
        "many_dots": ini_path(64, b"a.b.c.EXE"),
        "drive_only": ini_path(8, b"C:K.EXE"),
        "colon_second": ini_path(8, b"/:"),
        "size_zero": ini_path(0, b"K.EXE"),
        "long_base_name": ini_path(300, b"D:\\" + b"d" * 40 + b"\\KORVANE-LONG-NAME.exe"),
    },
    "configuration": {
        "ini_value": configuration(b"C:\\TOOLS\\KORVANE.EXE", b"C:\\FLAGS\\JOB.FLG", None),
        "tail_overrides": configuration(b"C:\\TOOLS\\KORVANE.EXE", b"C:\\OLD.FLG", b"C:\\NEW.FLG"),
        "long_ini_value": configuration(b"C:\\K.EXE", b"v" * 100, b""),
        "tail_256": configuration(b"C:\\K.EXE", b"C:\\OLD.FLG", b"t" * 256),
        "tail_255": configuration(b"C:\\K.EXE", None, b"t" * 255),
        "no_program_path": configuration(None, b"C:\\OLD.FLG", b"JOB.FLG"),
        "long_program_path": configuration(b"C:\\" + b"d" * 300 + b"\\K.EXE", b"X", None),
    },
    "creator": {
        "banner": creator([b"QUELLARD"]),
        "no_argv": creator([]),
        "one_new": creator([b"QUELLARD", b"flag.flg"]),
        "twice": creator([b"QUELLARD", b"twice", b"twice"]),
        "exists_then_new": creator([b"QUELLARD", b"old", b"new"], existing={b"old"}),
        "error_zero_last": creator([b"QUELLARD", b"a", b"b"], {2: (True, 0, False)}),
        "close_fails": creator([b"QUELLARD", b"a"], {1: (False, 0, True)}),
        "negative_error": creator([b"QUELLARD", b"C:\\x"], {1: (True, -1, False)}),
    },
}


def main():
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
