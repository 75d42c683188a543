"""End-to-end tests of the built creator on a real terminal: the native quellard, or
QUELLARD.EXE under Wine (QUELLARD_KIND=native|wine, QUELLARD_EXE=path)."""
import os
import shutil
import stat
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import ptyrun  # noqa: E402
import scratch  # noqa: E402

KIND = os.environ.get("QUELLARD_KIND", "native")
EXE = os.path.abspath(os.environ["QUELLARD_EXE"])
WINE = KIND == "wine"

BANNER = (b"Quellard Flag Tools (C) 2026\r\n"
          b"32bit Create Zero File      \r\n"
          b"QUELLARD <Path\\Filename>   \r\n")
EEXIST, ENOENT, EACCES = 17, 2, 13


def line(name):
    return b"Can't Create File " + name.encode("latin-1") + b"\r\n"


def sep():
    return "\\" if WINE else "/"


class CreatorCase(scratch.ScratchFolderCase):
    prefix = "quellard-"

    def run_creator(self, *names, stdout="file", stderr="file", user=None, cwd=None):
        argv = (["wine", EXE] if WINE else [EXE]) + list(names)
        # Wine's console needs a terminal on standard output or standard error: with
        # both redirected it has no console at all, so one of them stays on the terminal.
        if WINE and stdout == "file" and stderr == "file":
            stderr = "pty"
        out = ptyrun.run(argv, cwd or self.dir, stdout=stdout, stderr=stderr, user=user)
        console = ptyrun.console_text(out.terminal) if WINE else out.terminal
        return out.status, console, out

    def path(self, name):
        return os.path.join(self.dir, name)

    def make_file(self, name, content, mode=0o644):
        p = self.path(name)
        with open(p, "wb") as f:
            f.write(content)
        os.utime(p, (1000000000, 1000000000))
        os.chmod(p, mode)
        return p

    def assert_untouched(self, p, content):
        st = os.stat(p)
        with open(p, "rb") as f:
            self.assertEqual(f.read(), content)
        self.assertEqual(st.st_mtime, 1000000000)


class Banner(CreatorCase):
    def test_no_arguments_prints_the_three_lines_and_gives_255(self):
        status, console, out = self.run_creator()
        self.assertEqual(status, 255)
        self.assertEqual(console, BANNER)
        self.assertEqual(out.stdout, b"")
        self.assertEqual(os.listdir(self.dir), [])


class Creating(CreatorCase):
    def test_a_new_name_becomes_an_empty_file_silently(self):
        status, console, _ = self.run_creator("flag.flg", "with blanks in it.flg")
        self.assertEqual((status, console), (0, b""))
        for name in ("flag.flg", "with blanks in it.flg"):
            self.assertEqual(os.stat(self.path(name)).st_size, 0)

    def test_the_same_name_twice_gives_one_line_and_17(self):
        status, console, _ = self.run_creator("twice", "twice")
        self.assertEqual((status, console), (EEXIST, line("twice")))

    def test_only_the_last_name_sets_the_status(self):
        missing = "nodir" + sep() + "f"
        status, console, _ = self.run_creator(missing, "later")
        self.assertEqual((status, console), (0, line(missing)))
        status, console, _ = self.run_creator("first", missing)
        self.assertEqual((status, console), (ENOENT, line(missing)))
        self.assertTrue(os.path.exists(self.path("first")))

    def test_existing_files_are_never_rewritten(self):
        plain = self.make_file("plain", b"keep me\n")
        readonly = self.make_file("readonly", b"read only", mode=0o444)
        status, console, _ = self.run_creator("plain", "readonly")
        self.assertEqual(status, EEXIST)
        self.assertEqual(console, line("plain") + line("readonly"))
        self.assert_untouched(plain, b"keep me\n")
        self.assert_untouched(readonly, b"read only")

    def test_a_directory_is_refused_and_left_alone(self):
        os.mkdir(self.path("adir"))
        status, console, _ = self.run_creator("adir")
        self.assertIn(status, (EEXIST, EACCES))
        self.assertEqual(console, line("adir"))
        self.assertTrue(os.path.isdir(self.path("adir")))

    def test_a_very_long_name_is_printed_whole(self):
        name = "n" * 30000 + "Z"
        status, console, _ = self.run_creator(name)
        self.assertNotEqual(status, 0)
        self.assertTrue(console == line(name), "the line is cut or changed: %r ... %r (%d bytes)"
                        % (console[:60], console[-60:], len(console)))


class ConsoleDevice(CreatorCase):
    def test_lines_reach_the_terminal_and_never_the_redirected_streams(self):
        modes = [("file", "pty"), ("pty", "file")] if WINE else [("file", "file")]
        for stdout, stderr in modes:
            self.make_file("exists", b"")
            status, console, out = self.run_creator("exists", stdout=stdout, stderr=stderr)
            self.assertEqual((status, console), (EEXIST, line("exists")))
            self.assertEqual((out.stdout, out.stderr), (b"", b""))

    def test_without_a_console_the_statuses_stay_right(self):
        self.make_file("exists", b"x")
        argv = (["wine", EXE] if WINE else [EXE])
        runs = [(argv + ["exists"], EEXIST), (argv + ["new"], 0), (argv, 255)]
        for args, expected in runs:
            proc = subprocess.run(args, cwd=self.dir, stdin=subprocess.DEVNULL,
                                  capture_output=True, start_new_session=True, timeout=120)
            self.assertEqual(proc.returncode, expected, args)
            self.assertEqual((proc.stdout, proc.stderr), (b"", b""))
        self.assertTrue(os.path.exists(self.path("new")))


@unittest.skipIf(os.geteuid() != 0, "needs root to switch to an unprivileged user")
class Permissions(CreatorCase):
    """Root ignores permissions, so these run as nobody."""

    def test_a_read_only_directory_gives_13(self):
        if WINE and "NOBODY_WINEPREFIX" not in os.environ:
            self.fail("the Wine run needs NOBODY_WINEPREFIX, a prefix owned by nobody")
        os.mkdir(self.path("ro"))
        os.chmod(self.path("ro"), 0o555)
        name = "ro" + sep() + "f"
        env = None
        if WINE:
            env = dict(os.environ, WINEPREFIX=os.environ["NOBODY_WINEPREFIX"],
                       HOME=os.path.dirname(os.environ["NOBODY_WINEPREFIX"]))
        argv = (["wine", EXE] if WINE else [EXE]) + [name]
        out = ptyrun.run(argv, self.dir, env=env, stderr="pty" if WINE else "file",
                         user="nobody")
        console = ptyrun.console_text(out.terminal) if WINE else out.terminal
        self.assertEqual((out.status, console), (EACCES, line(name)))
        self.assertFalse(os.path.exists(self.path(name)))


README = os.path.join(os.path.dirname(__file__), "..", "..", "README.md")


@unittest.skipUnless(WINE, "batch files are a Windows affair")
class BatchFile(CreatorCase):
    """The README's batch example in Wine's cmd.exe: only 0 and 17 may read as raised."""

    def test_the_readme_example_never_takes_a_failure_for_success(self):
        with open(README, encoding="utf-8") as f:
            text = f.read()
        example = text.split("```bat\n", 1)[1].split("```", 1)[0]
        drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        tools, flags = os.path.join(drive_c, "FLAGTOOLS"), os.path.join(drive_c, "FLAGS")
        shutil.rmtree(tools, ignore_errors=True)
        shutil.rmtree(flags, ignore_errors=True)
        os.makedirs(tools)
        os.makedirs(flags)
        with open(self.path("job.bat"), "wb") as f:
            f.write(example.replace("\n", "\r\n").encode())
        runs = [(EXE, "Flag raised"), (EXE, "already up"), (None, "(status 2)"),
                (os.environ["STANDIN_EXE"], "(status -1)")]
        for program, expected in runs:
            if program is None:
                shutil.rmtree(flags)
            else:
                shutil.copy(program, os.path.join(tools, "QUELLARD.EXE"))
            out = subprocess.run(["wine", "cmd", "/c", "job.bat"], cwd=self.dir, timeout=120,
                                 stdin=subprocess.DEVNULL, capture_output=True)
            self.assertIn(expected.encode(), out.stdout, (program, out.stdout))
        shutil.rmtree(tools)


if __name__ == "__main__":
    unittest.main(verbosity=2)
