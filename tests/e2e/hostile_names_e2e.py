"""Hostile names, end to end: the built creator (QUELLARD_KIND=native|wine,
QUELLARD_EXE=path) over names with quotes, blanks, trailing dots, control characters,
non-ASCII bytes, reserved device names, directories and great lengths. Each row pins the
status the platform gives and what reaches the disk; around every run, each file that
was there before keeps its size, contents and modification time."""
import os
import re
import sys
import unittest
from typing import NamedTuple, Optional, Tuple

sys.path.insert(0, os.path.dirname(__file__))
import ptyrun  # noqa: E402
import scratch  # noqa: E402

KIND = os.environ.get("QUELLARD_KIND", "native")
EXE = os.path.abspath(os.environ["QUELLARD_EXE"])
WINE = KIND == "wine"
PREFIX = b"Can't Create File "
OLD = 1000000000  # every file's time stamp before a run


class Outcome(NamedTuple):
    status: int
    created: Tuple[bytes, ...] = ()  # entries that appear, as the file system spells them
    received: Optional[bytes] = None  # the name as the program got it, when not as given
    received_starts: bool = False  # only the start of received is certain


def gives(status, *created, received=None, starts=False):
    return Outcome(status, tuple(n.encode() if isinstance(n, str) else n for n in created),
                   received.encode("latin-1") if isinstance(received, str) else received, starts)


class Row(NamedTuple):
    name: bytes
    wine: Outcome
    native: Outcome
    locale: str = "C.UTF-8"  # of the wine process, which turns argv into ANSI with it


def row(name, wine, native, locale="C.UTF-8"):
    return Row(name.encode() if isinstance(name, str) else name, wine, native, locale)


LONG = "n" * 32000
DEEP = "d/" * 15999 + "ff"  # 32,000 characters of missing folders

ROWS = {
    "trailing dots and blanks": [
        row("a", gives(17), gives(17)),
        # Windows drops trailing dots and blanks, so these are "a", which exists.
        row("a.", gives(17), gives(0, "a.")),
        row("a ", gives(17), gives(0, "a ")),
        row("a. . ", gives(17), gives(0, "a. . ")),
        row("x.", gives(0, "x"), gives(0, "x.")),
        row("x. . ", gives(0, "x"), gives(0, "x. . ")),
        row(".", gives(17), gives(17)),
        row("..", gives(17), gives(17)),
    ],
    "blanks": [
        row("", gives(2), gives(2)),
        row(" ", gives(2), gives(0, " ")),
        row(" lead", gives(0, " lead"), gives(0, " lead")),
        row("mid dle", gives(0, "mid dle"), gives(0, "mid dle")),
    ],
    "quotes and backslashes": [
        row('q"uote', gives(22), gives(0, 'q"uote')),
        row('"quoted"', gives(22), gives(0, '"quoted"')),
        row('a\\"b', gives(22), gives(0, 'a\\"b')),
        row('a\\\\"b', gives(22), gives(0, 'a\\\\"b')),
        row("trail\\", gives(22), gives(0, "trail\\")),
    ],
    "control characters": [
        row("tab\there", gives(22), gives(0, "tab\there")),
        row("ctl\x01x", gives(22), gives(0, "ctl\x01x")),
        row("esc\x1bx", gives(22), gives(0, "esc\x1bx")),
        row("nl\nx", gives(22), gives(0, "nl\nx")),
        row("cr\rx", gives(22), gives(0, "cr\rx")),
        row("del\x7fx", gives(0, "del\x7fx"), gives(0, "del\x7fx")),
    ],
    "non-ASCII": [
        # Wine turns the UTF-8 argument into the ANSI code page: the program gets 0xE9.
        row("café", gives(0, "café", received="caf\xe9"), gives(0, "café")),
        row("€uro", gives(0, "€uro", received="\x80uro"), gives(0, "€uro")),
        # A lone Latin-1 byte is no UTF-8: Wine hands over '?' and bytes of its choosing.
        row(b"caf\xe9", gives(22, received="caf?", starts=True), gives(0, b"caf\xe9")),
        # Under the C locale Wine keeps seven bits: 0xE9 becomes 'i'.
        row(b"caf\xe9", gives(0, "cafi", received="cafi"), gives(0, b"caf\xe9"), locale="C"),
        # Outside the code page, a best fit or a '?', which no file name may hold.
        row("Ωmega", gives(0, "Omega", received="Omega"), gives(0, "Ωmega")),
        row("snow☃man", gives(22, received="snow?man"), gives(0, "snow☃man")),
    ],
    "reserved names": [
        # Devices open as they are: success, and no flag exists afterwards.
        row("NUL", gives(0), gives(0, "NUL")),
        row("nul.txt", gives(0), gives(0, "nul.txt")),
        row("CON", gives(22), gives(0, "CON")),
        row("COM1", gives(17), gives(0, "COM1")),
        row("*", gives(22), gives(0, "*")),
        row("a?b", gives(22), gives(0, "a?b")),
        row("a:b", gives(2), gives(0, "a:b")),
    ],
    "folders": [
        row("adir", gives(17), gives(17)),
        row("adir/", gives(17), gives(21)),
        row("nodir/f", gives(2), gives(2)),
        row("nodir\\f", gives(2), gives(0, "nodir\\f")),
        row("a/x", gives(2), gives(20)),
        # Windows folds ".." before it looks, so a file may stand in for a folder.
        row("a/../b", gives(0, "b"), gives(20)),
    ],
    "long names": [
        row("n" * 255, gives(0, "n" * 255), gives(0, "n" * 255)),
        row("n" * 256, gives(2), gives(36)),
        row(LONG, gives(2), gives(36)),
        row(DEEP, gives(2), gives(36)),
    ],
}

# Run as nobody: the test folder and "ro" are read-only to it, "ro.txt" is mode 0444.
UNPRIVILEGED_ROWS = [
    row("ro/f", gives(13), gives(13)),
    row("new", gives(13), gives(13)),
    row("ro/kept", gives(17), gives(17)),
    row("ro.txt", gives(17), gives(17)),
    row("ro/", gives(17), gives(21)),
    row("ro/nodir/f", gives(2), gives(2)),
]

_CSI = re.compile(r"\x1b\[(\d*)([CDK])")


def screen(text, console_rules):
    """The lines a terminal (or, with console_rules, a Windows console) shows for text:
    CR returns, LF starts a line, cursor moves and erases apply, a tab moves on to the
    next multiple of 8. Wine's console host redraws control characters its own way, so
    what is seen is compared, not the bytes that drew it."""
    lines, row_, col = [[]], 0, 0
    i = 0
    while i < len(text):
        m = _CSI.match(text, i)
        if m:
            n, op = int(m.group(1) or 1), m.group(2)
            if op == "K":
                del lines[row_][col:]
            elif op == "C":
                col += n
            else:
                col = max(0, col - n)
            i = m.end()
            continue
        c = text[i]
        i += 1
        if c == "\r":
            col = 0
        elif c == "\n":
            row_ += 1
            if console_rules:  # a raw terminal keeps the column; the console returns
                col = 0
            lines.extend([] for _ in range(row_ + 1 - len(lines)))
        elif c == "\t" and console_rules:
            for _ in range(8 - col % 8):
                lines[row_], col = _put(lines[row_], col, " ")
        else:
            lines[row_], col = _put(lines[row_], col, c)
    return ["".join(cells) for cells in lines]


def _put(cells, col, char):
    cells.extend(" " for _ in range(col + 1 - len(cells)))
    cells[col] = char
    return cells, col + 1


class HostileNames(scratch.ScratchFolderCase):
    prefix = "hostile-"

    def make_world(self, where):
        """Files that must survive: "a", the read-only "ro.txt", the folder "adir" with a
        file in it, and the read-only folder "ro" with "kept" in it."""
        os.mkdir(where)
        for name, content in (("a", b"keep me\n"), ("ro.txt", b"read only"),
                              ("adir/inner", b"inner"), ("ro/kept", b"kept")):
            os.makedirs(os.path.dirname(os.path.join(where, name)), exist_ok=True)
            with open(os.path.join(where, name), "wb") as f:
                f.write(content)
        os.chmod(os.path.join(where, "ro.txt"), 0o444)
        os.chmod(os.path.join(where, "ro"), 0o555)
        os.chmod(where, 0o755)
        self.restamp(where)

    @staticmethod
    def restamp(where):
        for root, _, files in os.walk(where):
            for name in files:
                os.utime(os.path.join(root, name), (OLD, OLD))

    @staticmethod
    def snapshot(where):
        """Every entry below where: a folder's mode, or a file's mode, size, contents and
        modification time in nanoseconds."""
        entries = {}
        for root, dirs, files in os.walk(os.fsencode(where)):
            for name in dirs + files:
                path = os.path.join(root, name)
                st = os.lstat(path)
                key = os.path.relpath(path, os.fsencode(where))
                if name in dirs:
                    entries[key] = ("folder", st.st_mode)
                else:
                    with open(path, "rb") as f:
                        entries[key] = ("file", st.st_mode, st.st_size, f.read(), st.st_mtime_ns)
        return entries

    def run_creator(self, where, name, locale, user=None):
        argv = (["wine", EXE] if WINE else [EXE]) + [name]
        env = dict(os.environ, LC_ALL=locale) if WINE else None
        if WINE and user:
            prefix = os.environ["NOBODY_WINEPREFIX"]
            env.update(WINEPREFIX=prefix, HOME=os.path.dirname(prefix))
        out = ptyrun.run(argv, where, env=env, stderr="pty" if WINE else "file", user=user)
        return out.status, out.terminal

    def assert_console(self, terminal, received, starts):
        expected = PREFIX + received + (b"" if starts else b"\r\n")
        if not WINE:
            self.assertTrue(terminal.startswith(expected) if starts else terminal == expected,
                            "console %r..., expected %r..." % (terminal[:80], expected[:80]))
            return
        # The console shows the program's bytes in its code page, 437.
        seen = screen(ptyrun.console_text(terminal).decode("utf-8", "replace"), False)
        wanted = screen(expected.decode("cp437"), True)
        if starts:
            self.assertTrue(seen[0].startswith(wanted[0]), "%r, expected %r..." % (seen, wanted))
        else:
            self.assertEqual(seen, wanted)

    def check_run(self, where, name, outcome, locale, user=None):
        """One run over name: its status, its console line, and that nothing that was
        there before changed while only the expected entries appeared."""
        before = self.snapshot(where)
        status, terminal = self.run_creator(where, name, locale, user)
        after = self.snapshot(where)
        for key, entry in before.items():
            if entry[0] == "file":
                self.assertEqual(after.get(key), entry, "%r was changed" % key)
        new = {key for key in after if key not in before}
        self.assertEqual(new, set(outcome.created))
        for key in new:
            self.assertTrue(after[key][0] == "file" and after[key][2] == 0,
                            "%r is not an empty file" % key)
        self.assertEqual(status, outcome.status)
        received = outcome.received if outcome.received is not None else name
        if status == 0:
            self.assertEqual(terminal, b"")
        else:
            self.assert_console(terminal, received, outcome.received_starts)
        return received

    def check_row(self, number, r, user=None):
        where = os.path.join(self.dir, "row%d" % number)
        self.make_world(where)
        outcome = r.wine if WINE else r.native
        received = self.check_run(where, r.name, outcome, r.locale, user)
        if outcome.created:
            # Again over the flag just made, old now: it exists, and it is left as it is.
            self.restamp(where)
            again = Outcome(17, received=received)
            self.check_run(where, r.name, again, r.locale, user)

    def check_rows(self, rows, user=None):
        for number, r in enumerate(rows):
            with self.subTest(name=r.name[:40], length=len(r.name), locale=r.locale):
                self.check_row(number, r, user)

    def test_trailing_dots_and_blanks(self):
        self.check_rows(ROWS["trailing dots and blanks"])

    def test_blanks(self):
        self.check_rows(ROWS["blanks"])

    def test_quotes_and_backslashes(self):
        self.check_rows(ROWS["quotes and backslashes"])

    def test_control_characters(self):
        self.check_rows(ROWS["control characters"])

    def test_non_ascii(self):
        self.check_rows(ROWS["non-ASCII"])

    def test_reserved_names(self):
        self.check_rows(ROWS["reserved names"])

    def test_folders(self):
        self.check_rows(ROWS["folders"])

    def test_long_names(self):
        self.check_rows(ROWS["long names"])

    @unittest.skipIf(os.geteuid() != 0, "needs root to switch to an unprivileged user")
    def test_unprivileged_user(self):
        if WINE and "NOBODY_WINEPREFIX" not in os.environ:
            self.fail("the Wine run needs NOBODY_WINEPREFIX, a prefix owned by nobody")
        self.check_rows(UNPRIVILEGED_ROWS, user="nobody")

    @unittest.skipUnless(WINE, "only Windows limits a command line to 32767 characters")
    def test_a_command_line_past_the_limit_never_reports_success(self):
        where = os.path.join(self.dir, "limit")
        self.make_world(where)
        before = self.snapshot(where)
        status, terminal = self.run_creator(where, "n" * 32767, "C.UTF-8")
        # The program never starts: no line of its own, a failing status, nothing made.
        self.assertNotEqual(status, 0)
        self.assertNotIn(PREFIX, terminal)
        self.assertEqual(self.snapshot(where), before)


if __name__ == "__main__":
    unittest.main(verbosity=2)
