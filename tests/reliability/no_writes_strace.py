#!/usr/bin/env python3
"""A whole session of the built program under strace: start, deal, click a
card, Help > Rules and close it, Help > Example and close it, File > Exit.
Fails, listing them, on any file the program opened for writing or creating,
wrote to, unlinked, renamed, linked or made a folder of. Run inside an X
server (run_in_xvfb.sh).

Libraries may try to write on their own account; HOME is an empty folder the
session cannot write in (as nobody where possible), so their attempts fail and
are listed as notes. What is left out of the offenders, and why:
- /dev/... : devices and shared memory (X's MIT-SHM, /dev/shm), not files on disk;
- memfd and anon_inode descriptors: memory, not files;
- pipes, sockets, the terminal: the program's output and its X connection.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

from play_session import Failed, Session, base_env, make_program_folder, remove_tree, report
from xsession import TimedOut, focus, wait_gone, xdotool
from startup_files import as_nobody, open_folder_to_all

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND")
CHANGING = ("unlink", "unlinkat", "rename", "renameat", "renameat2", "mkdir", "mkdirat", "rmdir", "link",
            "linkat", "symlink", "symlinkat", "creat", "truncate", "mknod", "mknodat", "chmod", "fchmodat",
            "chown", "fchownat", "lchown", "utimensat", "utime", "utimes", "setxattr", "lsetxattr",
            "removexattr", "lremovexattr")
NOT_FILES = re.compile(r"^(/dev/|/proc/|/memfd:|pipe:|socket:|anon_inode:)")

CALL = re.compile(r"^(?P<pid>\d+)\s+(?P<name>\w+)\((?P<args>.*)\)\s+=\s+(?P<result>-?\d+|\?)(?P<rest>.*)$")


def joined_lines(log):
    """strace -f splits a call that another thread interrupts into an
    "<unfinished ...>" line and a "<... name resumed>" line: put them back."""
    pending = {}
    for line in log.splitlines():
        m = re.match(r"^(\d+)\s+(.*) <unfinished \.\.\.>$", line)
        if m:
            pending[m.group(1)] = m.group(2)
            continue
        m = re.match(r"^(\d+)\s+<\.\.\. \w+ resumed>(.*)$", line)
        if m and m.group(1) in pending:
            yield f"{m.group(1)} {pending.pop(m.group(1))}{m.group(2)}"
            continue
        yield line


def first_path(args):
    m = re.search(r'"((?:[^"\\]|\\.)*)"', args)
    return m.group(1) if m else None


def examine(log):
    offenders, notes = [], []
    for line in joined_lines(log):
        m = CALL.match(line)
        if not m:
            continue
        name, args, result = m.group("name"), m.group("args"), m.group("result")
        ok = result != "?" and int(result) >= 0
        if name in ("open", "openat", "openat2", "open_by_handle_at"):
            if not any(flag in args for flag in WRITE_FLAGS):
                continue
            path = first_path(args) or "?"
            if NOT_FILES.match(path):
                continue
            (offenders if ok else notes).append(line)
        elif name in CHANGING:
            path = first_path(args) or "?"
            if NOT_FILES.match(path):
                continue
            (offenders if ok else notes).append(line)
        elif name in ("write", "pwrite64", "writev", "pwritev", "pwritev2"):
            # -y shows what each descriptor is: write(3</path>, ...)
            fd = re.match(r"^\d+<(?P<what>[^>]*)>", args)
            what = fd.group("what") if fd else "?"
            if NOT_FILES.match(what):
                continue
            offenders.append(line)
    return offenders, notes


def check_the_checker():
    """The parser must see a write in the shapes strace prints, or a clean
    trace would prove nothing."""
    sample = "\n".join([
        '10 openat(AT_FDCWD</x>, "/home/p/.cache/x", O_WRONLY|O_CREAT|O_CLOEXEC, 0666) = 5</home/p/.cache/x>',
        '10 openat(AT_FDCWD</x>, "/usr/share/x", O_RDONLY|O_CLOEXEC) = 6</usr/share/x>',
        '11 write(7</home/p/notes.txt>, "abc", 3 <unfinished ...>',
        '12 write(8<socket:[123]>, "x", 1) = 1',
        '11 <... write resumed>) = 3',
        '10 unlinkat(AT_FDCWD</x>, "/home/p/old", 0) = 0',
        '10 mkdir("/tmp/gone", 0700) = -1 EACCES (Permission denied)',
    ])
    offenders, notes = examine(sample)
    assert len(offenders) == 3 and len(notes) == 1, (offenders, notes)


def main(program):
    check_the_checker()
    if not shutil.which("strace"):
        print("missing strace: run scripts/deps.sh", file=sys.stderr)
        return 1
    failures = []
    workdir = tempfile.mkdtemp(prefix="quarrow-strace-")
    os.chmod(workdir, 0o755)
    home = os.path.join(workdir, "home")
    os.makedirs(home, mode=0o555)
    os.chmod(home, 0o555)
    log = os.path.join(workdir, "strace.log")
    folder = make_program_folder(program, parent=workdir)
    session = None
    drop = as_nobody()
    # Qt wants a runtime folder of the user's own, mode 0700, and makes one in
    # /tmp when it finds none: give it one so that a clean machine shows the
    # same trace as a desktop.
    runtime = os.path.join(workdir, "runtime")
    os.makedirs(runtime, mode=0o700)
    if drop:
        shutil.chown(runtime, user="nobody")
    env = base_env(HOME=home, XDG_RUNTIME_DIR=runtime)
    for variable in ("XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"):
        env.pop(variable, None)
    prefix = []
    if drop:
        # As root the read-only HOME would not stop a library; as nobody it does.
        open_folder_to_all(folder)
        auth = os.path.join(workdir, "Xauthority")
        if os.environ.get("XAUTHORITY"):
            shutil.copy(os.environ["XAUTHORITY"], auth)
            os.chmod(auth, 0o644)
            env["XAUTHORITY"] = auth
        # strace stays root and writes its log; only the program is nobody.
        prefix = ["-u", "nobody"]
    elif drop is None:
        print("note: running as root: a library writing under HOME would not be stopped, only seen")
    try:
        command = ["strace", "-f", "-y", "-qq", "-e", "trace=%file,write,writev,pwrite64", "-o", log] + prefix + [
            os.path.join(folder, "quarrow")]
        session = Session(command, env, workdir)
        session.deal()
        session.select(52, "a click on the last fan's lone card")  # always a top card
        for item, title, close_key in (("r", "^Quarrow Solitaire - Help$", "Return"),
                                       ("e", "^Example - Ternwick Solitaire$", "Escape")):
            opened = session.choose("alt+h", item, opens=title)
            focus(opened)
            xdotool("key", close_key)
            if not wait_gone(opened):
                raise Failed(f"the window of Help > {item} did not close on {close_key}")
        status, err = session.leave()
        if status != 0:
            failures.append(f"exit status {status}: {err[-2000:]}")
        with open(log) as f:
            text = f.read()
        offenders, notes = examine(text)
        calls = sum(1 for line in text.splitlines() if CALL.match(line))
        print(f"strace session: {calls} traced calls, {len(offenders)} writes to files, "
              f"{len(notes)} refused write attempts by libraries")
        for note in notes:
            print("note (failed, nothing written):", note)
        failures += [f"the program wrote: {line}" for line in offenders]
        # The session must have reached every file the program reads, or it
        # proved nothing about the code that reads them.
        for name in ("SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV", "SOUND/qrrow_icon.ico", "rules.txt",
                     "SOUND/example.gif"):
            if f'"{os.path.join(folder, name)}"' not in text:
                failures.append(f"the trace never shows {name} being read")
    except (Failed, TimedOut, subprocess.CalledProcessError) as failure:
        failures.append(str(failure))
    finally:
        if session:
            session.kill()
        remove_tree(workdir)
    return report("no file written", failures)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
