#!/usr/bin/env python3
"""Make a folder shaped like the Windows folder of Windows 10 or 11.

    tools/make-windows-tree.py FOLDER FILES

makes FILES empty files under FOLDER/windows, for the benches and the tests
of the walk at scale, which take FOLDER as a Wine prefix's drive C sees it.
The names and places are as a current Windows has them: System32 with its
drivers and its DriverStore, SysWOW64, the .NET assemblies, fonts, INF
files, and above all the component store, WinSxS, whose paths are 140 to
170 characters long. One file in twelve is a log, a temporary file or a
trace (.log, .tmp, .etl), which the tests' protection service does not
protect (tests/support/WindowsTree.h). The same FILES always makes the same
tree; a tree already there whole, as FOLDER/tree-made.txt says, is kept.
Made natively, as Wine makes files some hundred times more slowly.
"""
import os
import sys

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


class Numbers:
    """The same numbers for the same tree on every run."""

    def __init__(self):
        self.state = 0x5EED

    def next(self, below):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return (self.state >> 33) % below

    def word(self):
        return WORDS[self.next(len(WORDS))]

    def hex(self, digits):
        return "".join("0123456789abcdef"[self.next(16)] for _ in range(digits))


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


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-windows-tree.py FOLDER FILES")
    top, total = sys.argv[1], int(sys.argv[2])
    marker = os.path.join(top, "tree-made.txt")
    made = "%d files\r\n" % total
    try:
        with open(marker, newline="") as existing:
            if existing.read() == made:
                return
    except OSError:
        pass
    numbers = Numbers()
    count = 0
    for folder, files in folders(total, numbers):
        path = os.path.join(top, "windows", *folder.split("/"))
        os.makedirs(path, exist_ok=True)
        for _ in range(files):
            extension = (UNPROTECTED[numbers.next(len(UNPROTECTED))] if count % 12 == 11
                         else PROTECTED[numbers.next(len(PROTECTED))])
            name = "%s%s%d%s" % (numbers.word(), numbers.word(), count, extension)
            open(os.path.join(path, name), "wb").close()
            count += 1
    with open(marker, "w", newline="") as done:
        done.write(made)


if __name__ == "__main__":
    main()
