#!/usr/bin/env python3
"""Fails on any #include of the project's own sources that the layering table forbids.

check_layering.py SOURCE_DIR TABLE [--readme README]

Every C++ file under the table's folders is read; each #include "..." names a folder of
the table (the longest row that starts the included path, or the row of a file beside
the including one), each #include <Q...> the pseudo-folder Qt. A file may include its
own row. An edge not in
the table is reported as FILE:LINE: FROM -> TO (the include). With --readme, the README's
table of folder dependencies must list the same edges as the table.
"""

import argparse
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QT = re.compile(r"^\s*#\s*include\s*<(Q[A-Za-z0-9_]*)[>/]")
README_ROW = re.compile(r"^\|\s*`([^`]+)`\s*\|(.*)\|\s*$")


def read_table(path):
    """{folder: set of folders it may include}; raises ValueError on a malformed table."""
    table = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            folder, _, allowed = line.partition("\t")
            folder = folder.strip().rstrip("/")
            if not folder or folder in table:
                raise ValueError(f"{path}:{number}: empty or repeated folder '{folder}'")
            table[folder] = set(allowed.split())
    for folder, allowed in table.items():
        unknown = allowed - set(table) - {"Qt"}
        if unknown:
            raise ValueError(f"{path}: {folder} may include unknown folders {sorted(unknown)}")
    return table


def owner(path, table):
    """The longest row of the table that starts path, or None."""
    best = None
    for folder in table:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def source_files(root, table):
    for folder in sorted(table):
        start = os.path.join(root, folder)
        if os.path.isfile(start):
            yield folder
            continue
        for directory, subdirectories, files in os.walk(start):
            subdirectories.sort()
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(directory, name), root).replace(os.sep, "/")


def violations(root, table):
    """Lines 'FILE:LINE: FROM -> TO (#include ...)' for every forbidden edge."""
    found = []
    for path in sorted(set(source_files(root, table))):
        source = owner(path, table)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as lines:
            for number, line in enumerate(lines, 1):
                quoted = QUOTED.match(line)
                qt = QT.match(line)
                if quoted:
                    included = quoted.group(1)
                    beside = os.path.normpath(os.path.join(os.path.dirname(path), included)).replace(os.sep, "/")
                    if "/" not in included and os.path.isfile(os.path.join(root, beside)):
                        target = owner(beside, table)
                    else:
                        target = owner(included, table)
                    if target is None:
                        found.append(f'{path}:{number}: {source} -> unknown folder (#include "{included}")')
                        continue
                    text = f'#include "{included}"'
                elif qt:
                    target, text = "Qt", f"#include <{qt.group(1)}...>"
                else:
                    continue
                if target != source and target not in table[source]:
                    found.append(f"{path}:{number}: {source} -> {target} ({text})")
    return found


def readme_table(path):
    """{folder: set of folders} from the rows '| `folder` | `a`, `b` |' of the README's
    section whose heading says "may include"."""
    rows = {}
    inside = False
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("#"):
                inside = "may include" in line
                continue
            match = README_ROW.match(line.strip())
            if inside and match:
                rows[match.group(1).rstrip("/")] = {item.rstrip("/") for item in re.findall(r"`([^`]+)`", match.group(2))}
    return rows


def readme_differences(readme, table):
    rows = readme_table(readme)
    problems = []
    for folder in sorted(set(rows) | set(table)):
        if folder not in table:
            problems.append(f"{readme}: a row for {folder}, which the layering table lacks")
        elif folder not in rows:
            problems.append(f"{readme}: no row for {folder}")
        elif rows[folder] != table[folder]:
            problems.append(f"{readme}: the row of {folder} differs from the layering table")
    return problems


def main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source_dir")
    parser.add_argument("table")
    parser.add_argument("--readme")
    options = parser.parse_args(arguments)
    try:
        table = read_table(options.table)
    except ValueError as error:
        print(error)
        return 2
    problems = violations(options.source_dir, table)
    if options.readme:
        problems += readme_differences(options.readme, table)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} includes or rows break the layering of {options.table}")
        return 1
    print(f"every include keeps to the layering of {options.table}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
