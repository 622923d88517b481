#!/usr/bin/env python3
"""Checks that the source folders form a stack: a file includes only headers of its own folder
and of the folders below it. Prints every offending include and exits 1 when there is one."""
import pathlib
import re
import sys

# Bottom to top. A folder may include itself and anything earlier in this list.
LAYERS = ["base", "product", "registry", "deploy", "engine", "ui/framework", "ui", "app"]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    """The index of the deepest layer folder that holds the path, or None."""
    best = None
    for index, folder in enumerate(LAYERS):
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(LAYERS[best]):
                best = index
    return best


def main():
    top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    faults = []
    roots = sorted({folder.split("/")[0] for folder in LAYERS})
    sources = sorted(p for root in roots for p in (top / root).rglob("*"))
    for source in sources:
        if source.suffix not in (".h", ".cpp", ".c") or not source.is_file():
            continue
        relative = source.relative_to(top).as_posix()
        own = layer_of(relative)
        if own is None:
            continue
        for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = layer_of(match.group(1))
            if target is not None and target > own:
                faults.append(f"{relative}:{number}: includes \"{match.group(1)}\" "
                              f"({LAYERS[target]}/ is above {LAYERS[own]}/)")
    for fault in faults:
        print(fault)
    print("layering: " + " < ".join(LAYERS) + (f": {len(faults)} wrong includes" if faults else ": ok"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
