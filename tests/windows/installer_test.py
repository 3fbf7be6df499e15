#!/usr/bin/env python3
"""The Windows packages. The staged folder is the program beside the game's
data files, as in the source tree; the portable zip holds that folder as it is.

The installer, in a fresh Wine prefix, in the order a machine meets them:
- an older version (built here from the same script: an older program and
  one more file) installs quietly under Program Files;
- this version, told another folder with /D, updates that installation
  instead: one folder, one uninstall entry, the new program and version, the
  older file still there;
- the game starts from its Start-menu shortcut; while it runs, a quiet
  update and a quiet uninstall both end with status 3 and change nothing;
- the entry's own quiet uninstall then takes every file of either version,
  the shortcut and the entry away;
- an installation whose write fails ends with status 2 and no entry.

Usage (under tests/e2e/run_in_xvfb.sh):
  installer_test.py <setup.exe> <zip> <staged folder> <gamedata folder> <program.exe> <window title>
                    <version> <publisher> <quarrow.nsi> <defines.nsh>
"""
import os
import shutil
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
# The files the installer adds to the staged ones.
OWN = {"uninstall.exe", "uninstall.lst"}
OLDER = "0.9.0"
OLDER_ONLY = "SOUND/older.txt"
GAME_RUNS = 3
WRITE_FAILED = 2


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
    does not exist. Read while the game may be running: reg alone is waited for."""
    done = subprocess.run(["wine", "reg", "query", key], env=env, capture_output=True, text=True, errors="replace")
    if done.returncode != 0:
        return None
    out = done.stdout
    values = {}
    for line in out.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) == 3 else "")
    return values


def older_installer(nsi, defines, stage, program, workdir):
    """An installer of version OLDER from the same script: its program is
    this one with bytes appended (so the two tell apart) and it has one file
    more. Returns the installer and its staged folder."""
    older = os.path.join(workdir, "older-stage")
    shutil.copytree(stage, older)
    with open(os.path.join(older, program), "ab") as f:
        f.write(b"older build" * 64)
    with open(os.path.join(older, *OLDER_ONLY.split("/")), "w") as f:
        f.write("a file only the older version installed\n")
    files = os.path.join(workdir, "older-files.nsh")
    subprocess.run([sys.executable, os.path.join(os.path.dirname(nsi), "stage_files.py"), older, program, files],
                   check=True)
    setup = os.path.join(workdir, "older-setup.exe")
    replaced = {"VERSION": OLDER, "STAGE": older, "FILES": files, "OUTFILE": setup}
    lines = []
    with open(defines, encoding="cp1252") as f:
        for line in f:
            words = line.split(None, 2)
            if len(words) == 3 and words[0] == "!define" and words[1] in replaced:
                line = f'!define {words[1]} "{replaced[words[1]]}"\n'
            lines.append(line)
    older_defines = os.path.join(workdir, "older-defines.nsh")
    with open(older_defines, "w", encoding="cp1252") as f:
        f.writelines(lines)
    subprocess.run(["makensis", "-V1", f"-DDEFINES={older_defines}", nsi], check=True)
    return setup, older


def state(prefix, env):
    """What an installer may change: every file on drive C (size and time)
    outside Wine's churn, and the uninstall entry."""
    files = {}
    for path in drive_c(prefix):
        info = os.stat(os.path.join(prefix, path))
        files[path] = (info.st_size, info.st_mtime_ns)
    return files, registry_key(env, KEY)


def same_bytes(a, b):
    with open(a, "rb") as f, open(b, "rb") as g:
        return f.read() == g.read()


def main():
    setup, portable, stage, gamedata, program, title, version, publisher, nsi, defines = sys.argv[1:11]
    failures = []

    def check(ok, what):
        if not ok:
            failures.append(what)
        return ok

    staged = files_under(stage)
    data = files_under(gamedata)
    check(staged == data | {program}, f"staged {sorted(staged)}, wanted {program} and {sorted(data)}")
    for path in sorted(data & staged):
        check(same_bytes(os.path.join(gamedata, path), os.path.join(stage, path)),
              f"the staged {path} differs from the game's")
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
        started = time.monotonic()
        older_setup, older_stage = older_installer(nsi, defines, stage, program, workdir)
        timings["older build"] = time.monotonic() - started
        prefix = os.path.join(workdir, "prefix")
        env = winesession.environment(prefix)
        timings["prefix"] = winesession.make_prefix(prefix)
        before = drive_c(prefix)
        folder = os.path.join(prefix, "drive_c", "Program Files", NAME)
        target = f"C:\\Program Files\\{NAME}\\{program}"

        status, _ = winesession.wine(env, older_setup, "/S")
        check(status == 0, f"the older installer ended with {status}")
        check(os.path.isfile(os.path.join(folder, *OLDER_ONLY.split("/"))), "the older version's own file is missing")

        # This version, asked for another folder, updates the one installation.
        elsewhere = os.path.join(prefix, "drive_c", "Elsewhere")
        started = time.monotonic()
        status, _ = winesession.wine(env, setup, "/S", "/D=C:\\Elsewhere")
        timings["update"] = time.monotonic() - started
        check(status == 0, f"the installer ended with {status}")
        check(not os.path.exists(elsewhere), "an update with /D made a second installation")
        installed = files_under(folder) if os.path.isdir(folder) else set()
        check(installed == staged | OWN | {OLDER_ONLY},
              f"installed {sorted(installed)}, wanted {sorted(staged)}, {sorted(OWN)} and {OLDER_ONLY}")
        for path in sorted(staged & installed):
            check(same_bytes(os.path.join(stage, path), os.path.join(folder, path)),
                  f"{path} differs from this version's")
        entries = [line for line in winesession.wine(env, "reg", "query", UNINSTALL)[1].splitlines()
                   if "Quarrow" in line]
        check(len(entries) == 1, f"uninstall entries: {entries}")

        shortcut = os.path.join(prefix, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu",
                                "Programs", NAME + ".lnk")
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
                "InstallLocation": f"C:\\Program Files\\{NAME}",
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

            # While it runs: the older installer would replace it, the
            # uninstaller take it away. The uninstaller is run as it runs
            # itself (a copy outside the folder, told the folder), so that
            # its status is the one of the run that did the work.
            running = state(prefix, env)
            status = subprocess.run(["wine", older_setup, "/S"], env=env, capture_output=True).returncode
            check(status == GAME_RUNS, f"an update while the game runs ended with {status}, not {GAME_RUNS}")
            temp = os.path.join(prefix, "drive_c", "windows", "temp")
            shutil.copy2(os.path.join(folder, "uninstall.exe"), os.path.join(temp, "quarrow-uninstall.exe"))
            # "_?=" takes the rest of the command line as the folder, spaces
            # and all, unquoted: a batch file passes it on as written.
            with open(os.path.join(temp, "quarrow-uninstall.bat"), "w", newline="\r\n") as f:
                f.write(f"@C:\\windows\\temp\\quarrow-uninstall.exe /S _?=C:\\Program Files\\{NAME}\n"
                        "@exit /b %errorlevel%\n")
            status = subprocess.run(["wine", "cmd", "/c", "C:\\windows\\temp\\quarrow-uninstall.bat"], env=env,
                                    capture_output=True).returncode
            check(status == GAME_RUNS, f"an uninstall while the game runs ended with {status}, not {GAME_RUNS}")
            check(state(prefix, env) == running, "the installer or uninstaller changed files or the entry "
                  "while the game ran")
            check(xsession.search("--onlyvisible", "--name", title) == [window], "the game's window went")
        except xsession.TimedOut as error:
            check(False, f"the installed game showed no window: {error}")
        finally:
            winesession.stop(env)

        # The entry's own command, quietly; it hands over to its copy, which
        # Wine waits for.
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

        # A write that fails: a folder where the about text goes.
        os.makedirs(os.path.join(folder, "tvk.txt"))
        status, _ = winesession.wine(env, setup, "/S")
        check(status == WRITE_FAILED, f"an installation that could not write tvk.txt ended with {status}")
        check(registry_key(env, KEY) is None, "an installation that failed left an uninstall entry")
        check(not os.path.exists(shortcut), "an installation that failed left a shortcut")
        winesession.stop(env)

    for failure in failures:
        print("FAIL:", failure)
    print("timings: " + ", ".join(f"{what} {seconds:.1f} s" for what, seconds in timings.items()))
    print("failed" if failures else "passed", "the zip and the installer round trip")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
