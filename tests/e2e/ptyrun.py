"""Runs a program on a pseudo-terminal of its own, the way a user's console would, and
captures what reaches the terminal apart from what went to redirected files."""
import fcntl
import os
import re
import select
import struct
import subprocess
import termios
import time
import tty
from dataclasses import dataclass


@dataclass
class Outcome:
    status: int
    terminal: bytes  # raw bytes the program wrote to the terminal
    stdout: bytes  # what a redirected standard output received
    stderr: bytes


def _attach_terminal(slave_fd):
    def attach():
        os.setsid()
        fcntl.ioctl(slave_fd, termios.TIOCSCTTY, 0)
    return attach


def run(argv, cwd, env=None, stdout="file", stderr="file", timeout=120, user=None):
    """Runs argv with the terminal as its controlling terminal and standard input.
    stdout and stderr are "file" (redirected to a file, captured) or "pty"."""
    master, slave = os.openpty()
    tty.setraw(slave)  # no output processing: the bytes are the program's own
    # A console as wide as a line can be, so Wine's console host does not wrap long lines.
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 32767, 0, 0))
    files = {}
    streams = {}
    # pylint: disable=consider-using-with
    for name, mode in (("stdout", stdout), ("stderr", stderr)):
        if mode == "pty":
            streams[name] = slave
        else:
            files[name] = open(os.path.join(cwd, f".{name}.{os.getpid()}"), "w+b")
            streams[name] = files[name]
    proc = subprocess.Popen(argv, cwd=cwd, env=env, stdin=slave, stdout=streams["stdout"],
                            stderr=streams["stderr"], preexec_fn=_attach_terminal(slave),
                            user=user)
    os.close(slave)
    terminal = _drain(master, proc, timeout)
    status = proc.wait(timeout=timeout)
    os.close(master)
    captured = {}
    for name in ("stdout", "stderr"):
        if name in files:
            files[name].seek(0)
            captured[name] = files[name].read()
            files[name].close()
            os.unlink(files[name].name)
        else:
            captured[name] = b""
    return Outcome(status, terminal, captured["stdout"], captured["stderr"])


def _drain(master, proc, timeout):
    """Reads the terminal until the program has exited and its output has settled. Wine
    may leave a helper process holding the terminal, so the end of the file is not
    waited for."""
    chunks = []
    deadline = time.monotonic() + timeout
    quiet_after_exit = 0
    while quiet_after_exit < 3:
        if time.monotonic() > deadline:
            proc.kill()
            raise TimeoutError("the program did not finish within %s s" % timeout)
        ready, _, _ = select.select([master], [], [], 0.1)
        if ready:
            try:
                data = os.read(master, 65536)
            except OSError:  # EIO: every holder of the terminal has closed it
                data = b""
            if data:
                chunks.append(data)
                continue
            if proc.poll() is not None:
                break
        if proc.poll() is not None:
            quiet_after_exit += 1
    return b"".join(chunks)


_CURSOR_FORWARD = re.compile(rb"\x1b\[(\d*)C")
_IGNORED = re.compile(rb"\x1b\[\?25[lh]|\x1b\[K|\x1b\]0;[^\x07]*\x07")


def console_text(raw):
    """What a person sees of Wine's console output: the console host draws blanks at the
    end of a line as a cursor move, hides and shows the cursor around every write, and
    ends each line with an extra CR."""
    text = _IGNORED.sub(b"", raw)
    text = _CURSOR_FORWARD.sub(lambda m: b" " * int(m.group(1) or b"1"), text)
    return text.replace(b"\r\r\n", b"\r\n")
