#!/usr/bin/env python3
"""Make a folder laid out as the Windows folder of Windows 10 or 11.

    tools/make-windows-tree.py [--empty] FOLDER FILES

makes FILES paths under FOLDER/windows, for the benches and the tests of the
walk and the verification at scale, which take FOLDER as a Wine prefix's
drive C sees it. The names and places are as a current Windows has them:
System32 with its drivers and its DriverStore, SysWOW64, the .NET
assemblies, fonts, INF files, and above all the component store, WinSxS,
whose paths are 140 to 170 characters long. One path in twelve is a log, a
temporary file or a trace (.log, .tmp, .etl), which the tests' protection
service does not protect (tests/support/WindowsTree.h).

As on Windows, the protected files outside WinSxS are hard links of the
component store's files, under the same names: System32's, the
DriverStore's, the fonts' and the INF files' of amd64 components,
SysWOW64's of wow64 and x86 ones, the assemblies' of msil ones; a driver in
System32/drivers is a third name of a DriverStore file. About one path in
three is another name of a file that another path also names.

The files have sizes as a Windows folder's do: many of a few kilobytes, a
long tail up to tens of megabytes, about 10 KB a path in all (2 GB for
200,000 paths, counted once per file). Their bytes are cheap to write,
slices of one pseudo-random block, and no two files hold the same bytes.
--empty makes every file empty (the links as well), for a test that only
walks the tree.

The same arguments always make the same tree. FOLDER/tree-made.txt says what
was made; a tree that is already there whole is kept, and one made otherwise
is made again. Made natively, as Wine makes files some hundred times more
slowly.
"""
import hashlib
import math
import os
import shutil
import sys
import time

WORDS = [
    "audio", "audiocore", "bluetooth", "client", "com", "core", "crypto", "desktop", "devices", "directx",
    "display", "driver", "edge", "explorer", "font", "foundation", "graphics", "help", "hyperv", "input",
    "kernel", "keyboard", "language", "media", "mobile", "mouse", "network", "notepad", "onecore", "package",
    "payment", "print", "registry", "remote", "runtime", "search", "security", "sensor", "servicing", "settings",
    "shell", "smartcard", "speech", "storage", "system", "tablet", "telemetry", "terminal", "text", "update",
    "usb", "user", "video", "wallet", "web", "wifi", "winsock", "wmi", "xaml", "xbox",
]
PROTECTED = [".dll", ".dll", ".dll", ".exe", ".sys", ".mui", ".cat", ".inf", ".manifest", ".ttf"]
UNPROTECTED = [".log", ".tmp", ".etl"]
ARCHITECTURES = ["amd64", "amd64", "amd64", "wow64", "x86", "msil"]
# The components whose files each folder outside WinSxS names again.
COMPONENTS_OF = {
    "System32": ("amd64",), "System32/DriverStore": ("amd64",), "Fonts": ("amd64",), "INF": ("amd64",),
    "SysWOW64": ("wow64", "x86"), "Microsoft.NET": ("msil",),
}

# Each kind of file's size: the median in bytes and the spread of the
# logarithm, as a Windows folder has them but lighter, the whole scaled to
# BYTES_A_PATH; and the share of them, in ten-thousandths, in a long tail
# from 1 MB to LARGEST, left as drawn (the browser engines, the CJK fonts,
# the traces).
SIZES = {
    ".dll": (20000, 1.3, 15), ".exe": (16000, 1.4, 15), ".sys": (14000, 1.2, 5), ".mui": (5000, 1.0, 0),
    ".cat": (6000, 0.9, 0), ".inf": (4000, 1.2, 0), ".manifest": (1500, 0.7, 0), ".ttf": (40000, 1.3, 60),
    ".log": (2000, 1.8, 5), ".tmp": (600, 1.8, 0), ".etl": (30000, 1.1, 30),
}
BYTES_A_PATH = 10000
LARGEST = 64 << 20

# Every file begins with its own number, then holds slices of one block.
# Change LAYOUT whenever the way the bytes are made changes: it is part of
# what tree-made.txt records.
LAYOUT = "header %08x, then 1 MiB slices of shake_256(vorlane) at offsets from the file number"
BLOCK = hashlib.shake_256(b"vorlane").digest(8 << 20)
SLICE = 1 << 20


class Numbers:
    """The same numbers for the same tree on every run."""

    def __init__(self, seed=0x5EED):
        self.state = seed

    def next(self, below):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return (self.state >> 33) % below

    def word(self):
        return WORDS[self.next(len(WORDS))]

    def hex(self, digits):
        return "".join("0123456789abcdef"[self.next(16)] for _ in range(digits))

    def uniform(self):
        """In (0, 1)."""
        return (self.next(1 << 30) + 0.5) / (1 << 30)

    def normal(self):
        return math.sqrt(-2 * math.log(self.uniform())) * math.cos(2 * math.pi * self.uniform())

    def shuffle(self, items):
        for last in range(len(items) - 1, 0, -1):
            other = self.next(last + 1)
            items[last], items[other] = items[other], items[last]


def folders(total, numbers):
    """(path below the Windows folder, files in it), for `total` files."""
    share = lambda percent: total * percent // 100
    made = [("System32", share(10)), ("System32/drivers", share(2)), ("SysWOW64", share(8)),
            ("Fonts", share(1)), ("INF", share(1))]
    placed = 0
    while placed < share(10):
        files = min(3 + numbers.next(13), share(10) - placed)
        made.append(("System32/DriverStore/FileRepository/%s%s.inf_amd64_%s"
                     % (numbers.word(), numbers.word(), numbers.hex(16)), files))
        placed += files
    for _ in range(share(4)):
        assembly = "System.%s.%s" % (numbers.word(), numbers.word())
        made.append(("Microsoft.NET/assembly/GAC_MSIL/%s/v4.0_4.0.0.0__b03f5f7f11d50a3a" % assembly, 1))
    placed = sum(files for _, files in made)
    while placed < total:
        files = min(1 + numbers.next(8), total - placed)
        made.append(("WinSxS/%s_microsoft-windows-%s-%s-%s-%s_31bf3856ad364e35_10.0.19041.%d_none_%s"
                     % (ARCHITECTURES[numbers.next(len(ARCHITECTURES))], numbers.word(), numbers.word(),
                        numbers.word(), numbers.word(), 1 + numbers.next(5000), numbers.hex(16)), files))
        placed += files
    return made


def size_of(extension, numbers):
    """(size, whether it is of the tail)."""
    median, spread, tail = SIZES[extension]
    size = median * math.exp(spread * numbers.normal())
    if numbers.next(10000) < tail:
        # Pareto's, above a megabyte.
        return min(LARGEST, (1 << 20) * numbers.uniform() ** (-1 / 1.2)), True
    return size, False


class Plan:
    """What the tree holds: every path, and for each, the file it names."""

    def __init__(self, total, empty):
        numbers = Numbers()
        self.files = []  # [path, size], each file once
        self.paths = []  # (path, index in files)
        awaiting = []  # (path index, folder) of the protected paths outside WinSxS
        count = 0
        for folder, files in folders(total, numbers):
            for _ in range(files):
                extension = (UNPROTECTED[numbers.next(len(UNPROTECTED))] if count % 12 == 11
                             else PROTECTED[numbers.next(len(PROTECTED))])
                name = "%s%s%d%s" % (numbers.word(), numbers.word(), count, extension)
                path = folder + "/" + name
                self.paths.append((path, len(self.files)))
                self.files.append([path, extension])
                if count % 12 != 11 and not folder.startswith("WinSxS/"):
                    awaiting.append((len(self.paths) - 1, folder))
                count += 1
        self._link(awaiting, Numbers(0x11A5))
        self._size(total, empty, Numbers(0x5123))

    def _link(self, awaiting, numbers):
        """Makes the protected paths outside WinSxS names of component files."""
        components = {}
        for index, (path, _) in enumerate(self.files):
            parts = path.split("/")
            if parts[0] == "WinSxS" and not parts[2].endswith(tuple(UNPROTECTED)):
                components.setdefault(parts[1].split("_")[0], []).append(index)
        for pool in components.values():
            numbers.shuffle(pool)
        drivers = []
        linked = set()
        for path_index, folder in awaiting:
            if folder == "System32/drivers":
                drivers.append(path_index)
                continue
            key = "System32/DriverStore" if folder.startswith("System32/DriverStore/") else folder.split("/")[0]
            pools = [components.get(architecture, []) for architecture in COMPONENTS_OF[key]]
            pools = [pool for pool in pools if pool]
            if pools:
                self._name(path_index, folder, pools[numbers.next(len(pools))].pop())
                if key == "System32/DriverStore":
                    linked.add(self.paths[path_index][1])
        # A driver's third name, beside the DriverStore's and WinSxS's.
        stored = sorted(linked)
        numbers.shuffle(stored)
        for path_index in drivers:
            if stored:
                self._name(path_index, "System32/drivers", stored.pop())
        used = sorted({file for _, file in self.paths})
        renumbered = {old: new for new, old in enumerate(used)}
        self.files = [self.files[old] for old in used]
        self.paths = [(path, renumbered[file]) for path, file in self.paths]

    def _name(self, path_index, folder, file):
        name = self.files[file][0].rsplit("/", 1)[1]
        self.paths[path_index] = (folder + "/" + name, file)

    def _size(self, total, empty, numbers):
        sizes = [size_of(extension, numbers) for _, extension in self.files]
        tail = sum(size for size, tailed in sizes if tailed)
        body = sum(size for size, tailed in sizes if not tailed)
        scale = max(BYTES_A_PATH * total - tail, 0) / max(body, 1)
        for entry, (size, tailed) in zip(self.files, sizes):
            entry[1] = 0 if empty else max(header_size(), round(size if tailed else size * scale))

    def digest(self):
        made = hashlib.sha256(LAYOUT.encode())
        made.update(hashlib.sha256(BLOCK).digest())
        for path, size in self.files:
            made.update(b"%s %d\n" % (path.encode(), size))
        for path, file in self.paths:
            made.update(b"%s = %d\n" % (path.encode(), file))
        return made.hexdigest()


def header_size():
    return len(b"%08x\r\n" % 0)


def write_contents(out, number, size):
    header = b"%08x\r\n" % number
    out.write(header[:size])
    view = memoryview(BLOCK)
    left = size - len(header)
    piece = 0
    while left > 0:
        start = (number * 2654435761 + piece * 40503 * 4099) % (len(BLOCK) - SLICE)
        length = min(SLICE, left)
        out.write(view[start:start + length])
        left -= length
        piece += 1


def make(top, plan):
    windows = os.path.join(top, "windows")
    shutil.rmtree(windows, ignore_errors=True)
    first = {}
    for path, file in plan.paths:
        full = os.path.join(windows, *path.split("/"))
        os.makedirs(os.path.dirname(full), exist_ok=True)
        if file in first:
            continue
        first[file] = full
        with open(full, "wb") as out:
            write_contents(out, file, plan.files[file][1])
    for path, file in plan.paths:
        full = os.path.join(windows, *path.split("/"))
        if first[file] != full:
            os.link(first[file], full)


def main():
    arguments = sys.argv[1:]
    empty = "--empty" in arguments
    arguments = [argument for argument in arguments if argument != "--empty"]
    if len(arguments) != 2:
        sys.exit("usage: make-windows-tree.py [--empty] FOLDER FILES")
    top, total = arguments[0], int(arguments[1])
    start = time.monotonic()
    plan = Plan(total, empty)
    distinct = sum(size for _, size in plan.files)
    made = ("%d files, %d of them other names, %d bytes%s, plan %s\r\n"
            % (total, len(plan.paths) - len(plan.files), distinct, " (empty)" if empty else "", plan.digest()))
    marker = os.path.join(top, "tree-made.txt")
    # Says, while the tree is made, that FOLDER/windows is this script's to
    # remove, should the making stop half way.
    making = os.path.join(top, "tree-making.txt")
    said = "%s: %d paths, %d files (%d paths another name of one), %.1f MB" % (
        top, total, len(plan.files), len(plan.paths) - len(plan.files), distinct / 1e6)
    try:
        with open(marker, newline="") as existing:
            if existing.read() == made:
                print("kept %s, as made before" % said)
                return
    except OSError:
        pass
    if (os.path.exists(os.path.join(top, "windows")) and not os.path.exists(marker)
            and not os.path.exists(making)):
        sys.exit("%s holds a windows folder that this script did not make: not touched" % top)
    os.makedirs(top, exist_ok=True)
    open(making, "w").close()
    if os.path.exists(marker):
        os.remove(marker)
    make(top, plan)
    with open(marker, "w", newline="") as done:
        done.write(made)
    os.remove(making)
    print("made %s in %.1f s" % (said, time.monotonic() - start))


if __name__ == "__main__":
    main()
