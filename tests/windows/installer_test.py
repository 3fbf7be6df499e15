#!/usr/bin/env python3
"""The Windows packages. The staged folder is the program beside the game's
data files, as in the source tree; the portable zip holds that folder as it is.
The installer, in a fresh Wine prefix: a quiet install puts the staged
files, and only those, under Program Files with a Start-menu shortcut and an
uninstall entry; the game starts from that shortcut; a quiet uninstall,
started as the entry says, takes every file, the shortcut and the entry away
again.

Usage (under tests/e2e/run_in_xvfb.sh):
  installer_test.py <setup.exe> <zip> <staged folder> <gamedata folder> <program.exe> <window title> <version> <publisher>
"""
import os
import subprocess
import sys
import tempfile
import time
import zipfile

import winesession
from winesession import xsession

NAME = "Quarrow Solitaire"
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
KEY = UNINSTALL + r"\QuarrowSolitaire"
# Where Wine keeps what a program may leave behind by design: its own logs
# and the uninstaller's copy of itself, which Windows removes at the next start.
CHURN = ("drive_c/windows/", "drive_c/users/", "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Startup")


def files_under(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def drive_c(prefix):
    return {path for path in files_under(prefix) if path.startswith("drive_c/") and not path.startswith(CHURN)}


def registry_key(env, key):
    """The values of a registry key as {name: (type, data)}, or None if it
    does not exist."""
    status, out = winesession.wine(env, "reg", "query", key)
    if status != 0:
        return None
    values = {}
    for line in out.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) == 3 else "")
    return values


def main():
    setup, portable, stage, gamedata, program, title, version, publisher = sys.argv[1:9]
    failures = []

    def check(ok, what):
        if not ok:
            failures.append(what)
        return ok

    staged = files_under(stage)
    data = files_under(gamedata)
    check(staged == data | {program}, f"staged {sorted(staged)}, wanted {program} and {sorted(data)}")
    for path in sorted(data & staged):
        with open(os.path.join(gamedata, path), "rb") as a, open(os.path.join(stage, path), "rb") as b:
            check(a.read() == b.read(), f"the staged {path} differs from the game's")
    folder_name = os.path.basename(stage)
    with zipfile.ZipFile(portable) as archive:
        zipped = {name for name in archive.namelist() if not name.endswith("/")}
        check(zipped == {f"{folder_name}/{path}" for path in staged},
              f"the zip holds {sorted(zipped)}, not the folder {folder_name} with {sorted(staged)}")
        for path in sorted(staged):
            name = f"{folder_name}/{path}"
            if name in zipped:
                with open(os.path.join(stage, path), "rb") as f:
                    check(archive.read(name) == f.read(), f"{name} in the zip differs from the staged file")

    timings = {}
    with tempfile.TemporaryDirectory() as workdir:
        prefix = os.path.join(workdir, "prefix")
        env = winesession.environment(prefix)
        timings["prefix"] = winesession.make_prefix(prefix)
        before = drive_c(prefix)

        started = time.monotonic()
        status, _ = winesession.wine(env, setup, "/S")
        timings["install"] = time.monotonic() - started
        check(status == 0, f"the installer ended with {status}")

        folder = os.path.join(prefix, "drive_c", "Program Files", NAME)
        installed = files_under(folder) if os.path.isdir(folder) else set()
        check(installed == staged | {"uninstall.exe"},
              f"installed {sorted(installed)}, wanted {sorted(staged)} and uninstall.exe")
        for path in sorted(staged & installed):
            with open(os.path.join(stage, path), "rb") as a, open(os.path.join(folder, path), "rb") as b:
                check(a.read() == b.read(), f"{path} differs from the staged file")

        shortcut = os.path.join(prefix, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu",
                                "Programs", NAME + ".lnk")
        target = f"C:\\Program Files\\{NAME}\\{program}"
        if check(os.path.isfile(shortcut), "no Start-menu shortcut for all users"):
            with open(shortcut, "rb") as f:
                link = f.read()
            check(target.encode("utf-16-le") in link or target.encode("latin-1") in link,
                  f"the shortcut does not lead to {target}")

        entry = registry_key(env, KEY)
        if check(entry is not None, f"no uninstall entry {KEY}"):
            expected = {
                "DisplayName": NAME,
                "DisplayIcon": target + ",0",
                "DisplayVersion": version,
                "Publisher": publisher,
                "UninstallString": f'"C:\\Program Files\\{NAME}\\uninstall.exe"',
            }
            for name, value in expected.items():
                check(entry.get(name, (None, None))[1] == value,
                      f"{name} is {entry.get(name)}, wanted {value!r}")
            size_type, size = entry.get("EstimatedSize", (None, "0"))
            kib = sum(os.path.getsize(os.path.join(folder, path)) for path in installed) / 1024
            # Rounded per file or in all, by at most a KiB a file.
            check(size_type == "REG_DWORD" and abs(int(size, 16) - kib) <= len(installed),
                  f"EstimatedSize {size_type} {size}, while the files take {kib:.0f} KiB")

        # The game, started as a player would: from its shortcut.
        started = time.monotonic()
        subprocess.Popen(["wine", "start", "/unix", shortcut], env=env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window = xsession.find_window(title)
            timings["start"] = time.monotonic() - started
            pid = xsession.xdotool("getwindowpid", window).strip()
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode(errors="replace")
            check(f"{NAME}\\{program}" in command or f"{NAME}/{program}" in command,
                  f"the window {title!r} belongs to {command!r}, not the installed program")
        except xsession.TimedOut as error:
            check(False, f"the installed game showed no window: {error}")
        finally:
            winesession.stop(env)

        # The entry's own command, quietly.
        started = time.monotonic()
        status, _ = winesession.wine(env, f"C:\\Program Files\\{NAME}\\uninstall.exe", "/S")
        timings["uninstall"] = time.monotonic() - started
        check(status == 0, f"the uninstaller ended with {status}")
        if os.path.exists(folder):
            check(False, f"left behind: {sorted(files_under(folder))} in {folder}")
        check(not os.path.exists(shortcut), "the Start-menu shortcut is still there")
        check(registry_key(env, KEY) is None, f"the uninstall entry {KEY} is still there")
        left = drive_c(prefix) - before
        check(not left, f"left behind in the prefix: {sorted(left)}")
        winesession.stop(env)

    for failure in failures:
        print("FAIL:", failure)
    print("timings: " + ", ".join(f"{what} {seconds:.1f} s" for what, seconds in timings.items()))
    print("failed" if failures else "passed", "the zip and the installer round trip")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
