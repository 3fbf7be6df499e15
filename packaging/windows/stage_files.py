#!/usr/bin/env python3
"""Lists a staged program folder for the installer script: an NSIS include
defining the macro STAGED_FILES KIND, which inserts ${KIND}Folder "<folder>"
once for each folder (before its files) and ${KIND}File "<folder>" "<name>"
for each file, the program first: it is the one file a running game holds,
so a refused write comes before anything else has changed. "" is the
installation folder itself; subfolders are given with backslashes.

Usage: stage_files.py <stage folder> <program.exe> <out.nsh>
"""
import os
import sys


def listing(stage, program):
    folders = {}
    for root, dirs, names in os.walk(stage):
        dirs.sort()
        folder = os.path.relpath(root, stage).replace(os.sep, "\\")
        folders["" if folder == "." else folder] = sorted(names)
    if program not in folders.get("", []):
        raise SystemExit(f"{program} is not in {stage}")
    for folder, names in folders.items():
        for name in [folder, *names]:
            # NSIS reads the include as text; quotes or $ would need escaping.
            if any(c in name for c in '"$`\r\n'):
                raise SystemExit(f"{name!r}: a name the installer script cannot carry")
    folders[""] = [program] + [n for n in folders[""] if n != program]
    return folders


def main():
    stage, program, out = sys.argv[1:4]
    lines = ["; Made by stage_files.py from the staged folder: what this version installs.",
             "!macro STAGED_FILES KIND"]
    for folder, names in sorted(listing(stage, program).items()):
        lines.append(f'  !insertmacro ${{KIND}}Folder "{folder}"')
        lines.extend(f'  !insertmacro ${{KIND}}File "{folder}" "{name}"' for name in names)
    lines.append("!macroend")
    with open(out, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
