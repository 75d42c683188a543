#!/usr/bin/env python3
"""Checks that Windows programs load on Windows XP, from their headers as objdump prints
them: PE32 for i386, subsystem and OS versions no higher than 5.01 and 5.1, no TLS
directory (no loader callbacks before the entry point) and no delay-load imports, and
every imported function on an allowlist of functions that XP SP3 has. A function not on
the list fails the test, by name, until it is added to the list deliberately. Each
program also names its subsystem (console or gui) and the only DLLs it may import from.

    pe_compat.py <objdump> <allowlist> <exe>=<console|gui>:<dll>[,<dll>...]...
"""
import re
import subprocess
import sys

MAX_SUBSYSTEM = (5, 1)
MAX_OS = (5, 1)


def read_allowlist(path):
    allowed = set()
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            if len(fields) != 2:
                sys.exit(f"{path}:{number}: want '<DLL> <function>', got '{line}'")
            allowed.add((fields[0].lower(), fields[1]))
    return allowed


def header_number(dump, field):
    match = re.search(rf"^{field}\s+(\S+)", dump, re.M)
    return int(match.group(1), 10) if match else None


def data_directory(dump, index):
    """(rva, size) of one data directory entry; None when objdump does not list it."""
    match = re.search(rf"^Entry {index:x} ([0-9a-f]{{8}}) ([0-9a-f]{{8}}) ", dump, re.M)
    return (int(match.group(1), 16), int(match.group(2), 16)) if match else None


def imports(dump):
    """(dll, function) pairs; a function imported by ordinal is named '#<ordinal>'."""
    found = []
    dll = None
    for line in dump.splitlines():
        named = re.match(r"^\tDLL Name: (\S+)$", line)
        if named:
            dll = named.group(1)
            continue
        if not line.strip():
            dll = None
            continue
        if dll is None or "Hint/Ord" in line:
            continue
        entry = re.match(r"^\t[0-9a-f]+\s+(\d+)\s+(\S+)", line)
        if not entry:
            continue
        name = entry.group(2)
        found.append((dll, name if name != "<none>" else "#" + entry.group(1)))
    return found


SUBSYSTEMS = {"console": "(Windows CUI)", "gui": "(Windows GUI)"}


def check_program_kind(dump, subsystem, dlls, found):
    """The subsystem and the DLLs the program may import from."""
    problems = []
    line = re.search(r"^Subsystem\s.*$", dump, re.M)
    if not line or SUBSYSTEMS[subsystem] not in line.group(0):
        problems.append(f"subsystem is not {SUBSYSTEMS[subsystem]}")
    allowed_dlls = {dll.lower() for dll in dlls}
    for dll in sorted({dll for dll, _ in found}):
        if dll.lower() not in allowed_dlls:
            problems.append(f"imports from {dll}, which it may not")
    return problems


def check(objdump, program, allowed, used):
    exe, kind = program.rsplit("=", 1)
    subsystem, dlls = kind.split(":", 1)
    problems = []
    dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                          text=True).stdout
    if "file format pei-i386" not in dump:
        problems.append("not a PE file for i386")
    if not re.search(r"^Magic\s+010b\b", dump, re.M):
        problems.append("optional header is not PE32 (magic 010b)")

    for what, prefix, limit, form in (("subsystem", "Subsystem", MAX_SUBSYSTEM, "{}.{:02d}"),
                                      ("operating system", "OSystem", MAX_OS, "{}.{}")):
        version = (header_number(dump, f"Major{prefix}Version"),
                   header_number(dump, f"Minor{prefix}Version"))
        if None in version:
            problems.append(f"no {what} version in the header")
        elif version > limit:
            problems.append(f"{what} version {form.format(*version)} is above "
                            f"{form.format(*limit)}")
        else:
            print(f"{exe}: {what} version {form.format(*version)}")

    for index, name in ((9, "TLS"), (13, "delay-load import")):
        entry = data_directory(dump, index)
        if entry is None:
            problems.append(f"objdump lists no {name} directory entry")
        elif entry != (0, 0):
            problems.append(f"has a {name} directory (RVA {entry[0]:#x}, {entry[1]} bytes)")

    found = imports(dump)
    if not found:
        problems.append("no imports found: objdump's listing was not understood")
    for dll, function in found:
        used.add((dll.lower(), function))
        if (dll.lower(), function) not in allowed:
            problems.append(f"imports {dll} {function}, which is not on the XP allowlist")
    problems += check_program_kind(dump, subsystem, dlls.split(","), found)
    print(f"{exe}: {len(found)} imported functions from {', '.join(sorted({d for d, _ in found}))}")
    for problem in problems:
        print(f"{exe}: {problem}")
    return not problems


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    objdump, allowlist, exes = sys.argv[1], sys.argv[2], sys.argv[3:]
    allowed = read_allowlist(allowlist)
    used = set()
    results = [check(objdump, exe, allowed, used) for exe in exes]
    for dll, function in sorted(allowed - used):
        print(f"note: {dll} {function} is on the allowlist but imported by none of these")
    if all(results):
        print("headers and imports fit Windows XP SP3")
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
