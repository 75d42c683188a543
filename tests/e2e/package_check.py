#!/usr/bin/env python3
"""Builds the release package of the Windows tree (its "package" target) and checks the
zip, copied into a scratch folder: its name; one top folder holding exactly the two
programs, the sample INI file and README.TXT; the programs being the very files built;
both texts ASCII with CR LF line ends only; the INI file named and laid out as Korvane
reads it; and the README naming every exit status, with its batch example's ERRORLEVEL
tests going from high to low and its INI example matching the sample.

    package_check.py <cmake> <Windows tree> <source tree> <QUELLARD.EXE> <Korvane.exe>
"""
import configparser
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

STATUSES = [0, 255, 17, 2, 13, 24, 22, -1]
README_WIDTH = 79

failures = []


def fail(message):
    failures.append(message)
    print("FAILED: " + message)


def defines(path):
    """The #define NAME value lines of a header; string values without their quotes."""
    found = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            match = re.match(r'#define (\w+) "?([^"]*)"?$', line.rstrip())
            if match:
                found[match.group(1)] = match.group(2)
    return found


def check_crlf(name, data):
    if not data:
        fail(f"{name} is empty")
        return
    lf, cr, crlf = data.count(b"\n"), data.count(b"\r"), data.count(b"\r\n")
    if crlf != lf or crlf != cr:
        fail(f"{name} has line ends other than CR LF ({lf} LF, {cr} CR, {crlf} CR LF)")
    if not data.endswith(b"\r\n"):
        fail(f"{name} does not end with CR LF")
    if any(byte > 127 for byte in data):
        fail(f"{name} is not plain ASCII")
    if re.search(rb"@\w+@", data):
        fail(f"{name} holds a placeholder the build did not fill in")


def check_ini(name, text, constants):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys keep their case, as the checks compare them
    try:
        parser.read_string(text, source=name)
    except configparser.Error as error:
        fail(f"{name} does not parse: {error}")
        return
    section, key = constants["KV_INI_SECTION"], constants["KV_INI_KEY"]
    if parser.sections() != [section]:
        fail(f"{name} has sections {parser.sections()}, want only [{section}]")
    elif list(parser[section]) != [key]:
        fail(f"{name} [{section}] has keys {list(parser[section])}, want only {key}")
    elif not parser[section][key].strip():
        fail(f"{name} gives {key} an empty flag name")
    else:
        print(f"{name}: [{section}] {key}={parser[section][key]}")


def check_readme(text, ini_text, release, readme_md):
    lines = text.split("\r\n")
    for program in ("QUELLARD.EXE", "Korvane.exe", "Korvane.INI", "Startup"):
        if program not in text:
            fail(f"README.TXT never mentions {program}")
    if release not in lines[0]:
        fail(f"README.TXT's title '{lines[0]}' does not give version {release}")
    long_lines = [n for n, line in enumerate(lines, 1) if len(line) > README_WIDTH]
    if long_lines:
        fail(f"README.TXT lines wider than {README_WIDTH} columns: {long_lines}")

    # The status table: rows that start with a number, then blanks, then the meaning.
    rows = [int(m.group(1)) for m in re.finditer(r"^ *(-?\d+) {2,}\S", text, re.M)]
    for status in STATUSES:
        if status not in rows:
            fail(f"README.TXT's table does not list exit status {status}")

    # The batch example is the README's, which the Wine tests run in cmd.exe.
    with open(readme_md, encoding="utf-8") as f:
        example = f.read().split("```bat\n", 1)[1].split("```", 1)[0]
    if "\r\n  " + example.replace("\n", "\r\n  ").rstrip(" ") not in text:
        fail("README.TXT's batch example is not the one in README.md")

    stripped = [line.strip() for line in lines]
    for line in ini_text.splitlines():
        if line.strip() not in stripped:
            fail(f"README.TXT's INI example lacks the sample's line '{line}'")


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    cmake, tree, source, quellard, korvane = sys.argv[1:]
    resource = defines(os.path.join(source, "watcher/resources/resource.h"))
    constants = defines(os.path.join(source, "watcher/core/watcher_constants.h"))
    release = f"{resource['KV_VERSION_MAJOR']}.{resource['KV_VERSION_MINOR']}"
    top = f"{resource['KV_PRODUCT_NAME'].lower().replace(' ', '-')}-{release}-win32"
    zip_name = top + ".zip"
    ini_name = os.path.splitext(os.path.basename(korvane))[0] + constants["KV_INI_EXTENSION"]

    built_zip = os.path.join(tree, zip_name)
    if os.path.exists(built_zip):
        os.remove(built_zip)  # so that only a zip made by this run can pass
    build = subprocess.run([cmake, "--build", tree, "--target", "package"],
                           capture_output=True, text=True)
    if build.returncode != 0 or not os.path.isfile(built_zip):
        print(build.stdout + build.stderr)
        print(f"FAILED: the package target did not make {built_zip}")
        return 1

    scratch = tempfile.mkdtemp(prefix="package-", dir=os.environ.get("E2E_TMP"))
    try:
        zip_path = shutil.copy(built_zip, scratch)
        with zipfile.ZipFile(zip_path) as archive:
            if archive.testzip() is not None:
                fail(f"{zip_name} has a damaged member")
            files = sorted(n for n in archive.namelist() if not n.endswith("/"))
            expected = sorted(f"{top}/{n}" for n in (os.path.basename(quellard),
                                                     os.path.basename(korvane), ini_name,
                                                     "README.TXT"))
            print(f"{zip_name}: {files}")
            if files != expected:
                fail(f"{zip_name} holds {files}, want {expected}")
            archive.extractall(scratch)
        unpacked = os.path.join(scratch, top)
        for program in (quellard, korvane):
            packed = os.path.join(unpacked, os.path.basename(program))
            with open(packed, "rb") as a, open(program, "rb") as b:
                if a.read() != b.read():
                    fail(f"{os.path.basename(program)} in the zip is not the program built")
        texts = {}
        for name in (ini_name, "README.TXT"):
            with open(os.path.join(unpacked, name), "rb") as f:
                data = f.read()
            check_crlf(name, data)
            texts[name] = data.decode("ascii", "replace")
        check_ini(ini_name, texts[ini_name], constants)
        check_readme(texts["README.TXT"], texts[ini_name], release,
                     os.path.join(source, "README.md"))
    finally:
        shutil.rmtree(scratch)

    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    print(f"{zip_name}: checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
