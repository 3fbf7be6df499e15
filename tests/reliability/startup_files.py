#!/usr/bin/env python3
"""The built program started from folders whose start-up files are spoilt.

Spoilt is missing, empty, truncated, garbage, a folder, unreadable, 50 MB, a
FIFO nobody writes to, or a link to /dev/zero.

icon <program>: with no screen needed (offscreen), every spoilt icon stops
  start-up with a non-zero status and a message naming the icon file; the
  unreadable case runs as user nobody when started as root.
waves <program>: inside an X server (run_in_xvfb.sh), both waves spoilt alike
  in each way: the game deals, refuses a move with its notice (and its
  cluck) answered, and File > Exit ends it with status 0. Winning, which
  plays the applause, is left to the in-process matrix (bad_files_test).
"""
import os
import random
import subprocess
import sys
import tempfile

from play_session import Failed, Session, base_env, make_program_folder, remove_tree, report

LARGE = 50 * 1024 * 1024
SPOILS = ["missing", "empty", "truncated", "garbage", "directory", "unreadable", "large", "fifo", "endless device"]


def as_nobody():
    """The prefix that drops root's rights, or None when not root (not needed)
    or not possible."""
    if os.geteuid() != 0:
        return []
    try:
        group = subprocess.run(["id", "-gn", "nobody"], capture_output=True, text=True, check=True).stdout.strip()
        subprocess.run(["setpriv", "--version"], capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError):
        return None
    return ["setpriv", "--reuid=nobody", f"--regid={group}", "--clear-groups"]


def spoil(path, how, large_bytes):
    with open(path, "rb") as f:
        good = f.read()
    os.remove(path)
    if how == "missing":
        return
    if how == "fifo":
        # Nobody ever writes to it: a program that opens it to read waits for ever.
        os.mkfifo(path)
        return
    if how == "endless device":
        os.symlink("/dev/zero", path)
        return
    if how == "directory":
        os.makedirs(path)
        with open(os.path.join(path, "inside"), "wb") as f:
            f.write(good)
        return
    data = {
        "empty": b"",
        "truncated": good[: len(good) // 2],
        "garbage": random.Random(7).randbytes(4096),
        "unreadable": good,
        "large": large_bytes,
    }[how]
    with open(path, "wb") as f:
        f.write(data)
    if how == "unreadable":
        os.chmod(path, 0)


def open_folder_to_all(folder):
    """Lets another user run the program copy (mkdtemp makes it 0700)."""
    os.chmod(folder, 0o755)
    for root, dirs, files in os.walk(folder):
        for d in dirs:
            os.chmod(os.path.join(root, d), 0o755)
        for f in files:
            path = os.path.join(root, f)
            if os.path.islink(path) or not os.path.isfile(path):
                continue
            if os.stat(path).st_mode & 0o777:
                os.chmod(path, 0o755 if f == "quarrow" else 0o644)


def icon(program):
    failures = []
    drop = as_nobody()
    for how in SPOILS:
        folder = make_program_folder(program)
        try:
            path = os.path.join(folder, "SOUND", "qrrow_icon.ico")
            # A 50 MB file that is no icon: its header alone settles it.
            spoil(path, how, random.Random(3).randbytes(LARGE) if how == "large" else b"")
            prefix = []
            if how == "unreadable":
                if drop is None:
                    print(f"skipped: icon {how}: cannot drop root's rights to user nobody")
                    continue
                prefix = drop
                open_folder_to_all(folder)
            env = base_env(QT_QPA_PLATFORM="offscreen")
            result = subprocess.run(prefix + [os.path.join(folder, "quarrow")], env=env,
                                    capture_output=True, text=True, timeout=60)
            if result.returncode == 0:
                failures.append(f"icon {how}: exit status 0")
            if path not in result.stderr:
                failures.append(f"icon {how}: the message does not name {path}: {result.stderr!r}")
            if "Sanitizer" in result.stderr or "runtime error" in result.stderr:
                failures.append(f"icon {how}: {result.stderr}")
        except subprocess.TimeoutExpired:
            failures.append(f"icon {how}: the program did not stop")
        finally:
            remove_tree(folder)
    return report("spoilt icon at start-up", failures)


def large_wave():
    data = LARGE
    header = b"RIFF" + (36 + data).to_bytes(4, "little") + b"WAVEfmt " + (16).to_bytes(4, "little")
    header += (1).to_bytes(2, "little") + (1).to_bytes(2, "little") + (22050).to_bytes(4, "little")
    header += (44100).to_bytes(4, "little") + (2).to_bytes(2, "little") + (16).to_bytes(2, "little")
    return header + b"data" + data.to_bytes(4, "little") + bytes(data)


def waves(program):
    failures = []
    workdir = tempfile.mkdtemp(prefix="quarrow-waves-")
    big = large_wave()
    for how in SPOILS:
        if how == "unreadable" and os.geteuid() == 0:
            # Root reads it anyway; the in-process matrix runs this case as nobody.
            print("note: waves unreadable: root reads them all the same (see bad_files_unreadable_as_nobody)")
        folder = make_program_folder(program)
        session = None
        try:
            for name in ("APPLAUS.WAV", "CLUCK.WAV"):
                spoil(os.path.join(folder, "SOUND", name), how, big)
            # The disk driver plays for real, into a file outside the folder.
            env = base_env(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=os.path.join(workdir, f"{how}.raw"))
            session = Session([os.path.join(folder, "quarrow")], env, workdir)
            session.refuse_once()
            status, err = session.leave()
            if status != 0:
                failures.append(f"waves {how}: exit status {status}: {err}")
            print(f"waves {how}: board shown after {session.seconds_to_board:.1f} s, dealt, "
                  f"a refused move answered, exit {status}")
        except Failed as failure:
            failures.append(f"waves {how}: {failure}")
        finally:
            if session:
                session.kill()
            remove_tree(folder)
    remove_tree(workdir)
    return report("spoilt waves at start-up", failures)


if __name__ == "__main__":
    sys.exit({"icon": icon, "waves": waves}[sys.argv[1]](sys.argv[2]))
