#!/usr/bin/env python3
"""The program started from a folder without its window icon must stop at
once with a message naming the file and a non-zero exit status; a folder with
the icon but an unreadable one, the same."""
import os
import shutil
import subprocess
import sys
import tempfile


def run_from(folder, program):
    copy = os.path.join(folder, "quarrow")
    shutil.copy2(program, copy)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
    return subprocess.run([copy], env=env, capture_output=True, text=True, timeout=60)


def main(program):
    failures = []
    for case in ("missing", "unreadable"):
        folder = tempfile.mkdtemp(prefix="quarrow-icon-")
        icon = os.path.join(folder, "SOUND", "qrrow_icon.ico")
        if case == "unreadable":
            os.makedirs(os.path.dirname(icon))
            with open(icon, "wb") as f:
                f.write(b"not an icon at all")
        result = run_from(folder, program)
        if result.returncode == 0:
            failures.append(f"{case} icon: exit status 0")
        if icon not in result.stderr:
            failures.append(f"{case} icon: message does not name {icon}: {result.stderr!r}")
        shutil.rmtree(folder)
    for failure in failures:
        print("FAIL:", failure)
    print("missing icon:", "FAILED" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
