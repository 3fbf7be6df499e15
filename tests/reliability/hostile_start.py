#!/usr/bin/env python3
"""The built program started where the desktop gives it little: no audio
driver, no sound server, no xdg-open on PATH, a read-only program folder (and
as user nobody, for whom read-only means it). Each time the game deals,
moves, refuses a move with its notice answered, and File > Exit ends it with
status 0. Run inside an X server (run_in_xvfb.sh).
"""
import os
import shutil
import subprocess
import sys
import tempfile

from play_session import Failed, Session, base_env, make_program_folder, remove_tree, report
from startup_files import as_nobody, open_folder_to_all


def read_only(folder):
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            os.chmod(path, os.stat(path).st_mode & ~0o222)
    os.chmod(folder, os.stat(folder).st_mode & ~0o222)


def main(program):
    failures = []
    workdir = tempfile.mkdtemp(prefix="quarrow-hostile-")
    os.chmod(workdir, 0o755)
    empty_path = os.path.join(workdir, "empty-bin")
    os.makedirs(empty_path)
    no_server = os.path.join(workdir, "no-runtime")
    os.makedirs(no_server)

    # Another user needs its own copy of the X server's key.
    nobody_auth = os.path.join(workdir, "Xauthority")
    if os.environ.get("XAUTHORITY"):
        shutil.copy(os.environ["XAUTHORITY"], nobody_auth)
        os.chmod(nobody_auth, 0o644)

    drop = as_nobody()
    cases = [
        ("no audio driver", base_env(SDL_AUDIODRIVER="nonexistent"), []),
        # SDL picks a driver itself and finds no server and no card.
        ("no sound server", {k: v for k, v in base_env(
            XDG_RUNTIME_DIR=no_server, PULSE_SERVER="unix:" + os.path.join(no_server, "none"),
            PIPEWIRE_REMOTE=os.path.join(no_server, "none"), AUDIODEV="/nonexistent/dsp").items()
            if k != "SDL_AUDIODRIVER"}, []),
        ("no xdg-open on PATH", base_env(PATH=empty_path), []),
        ("read-only program folder", base_env(), []),
    ]
    if drop is None:
        print("skipped: read-only folder as nobody: cannot drop root's rights")
    else:
        cases.append(("read-only program folder, as nobody",
                      base_env(XAUTHORITY=nobody_auth, HOME=no_server, XDG_RUNTIME_DIR=""), drop))

    for name, env, prefix in cases:
        folder = make_program_folder(program, parent=workdir)
        session = None
        try:
            if prefix:
                open_folder_to_all(folder)
            if "read-only" in name:
                read_only(folder)
            command = prefix + [os.path.join(folder, "quarrow")]
            if shutil.which("xdg-open", path=env.get("PATH")) and "xdg-open" in name:
                raise Failed("xdg-open is still on the test's PATH")
            session = Session(command, env, workdir)
            session.play_a_little()
            status, err = session.leave()
            if status != 0:
                failures.append(f"{name}: exit status {status}: {err}")
            print(f"{name}: dealt, moved, {session.refused} refused move(s) answered, exit {status}")
        except (Failed, subprocess.CalledProcessError) as failure:
            failures.append(f"{name}: {failure}")
        finally:
            if session:
                session.kill()
            remove_tree(folder)
    remove_tree(workdir)
    return report("hostile start", failures)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
