#!/usr/bin/env python3
"""Packs a folder into a zip that comes out the same from every build of one commit.

Usage: zip.py <zip file> <folder whose contents are packed> <time, seconds since 1970>

The entries go in sorted order, all with the one time given, modes 755 for folders and programs
and 644 for the rest, and no owner: nothing of the machine, the user or the moment of the build.
"""
import os
import sys
import time
import zipfile

# The zip format's times start in 1980.
EARLIEST = 315532800


def entries(root):
    """Every folder (with a trailing slash) and file below root, relative to it, sorted."""
    found = []
    for folder, folders, files in os.walk(root):
        relative = os.path.relpath(folder, root)
        prefix = "" if relative == "." else relative.replace(os.sep, "/") + "/"
        found += [prefix + name + "/" for name in folders]
        found += [prefix + name for name in files]
    return sorted(found)


def main(zip_path, root, epoch):
    stamp = time.gmtime(max(int(epoch), EARLIEST))[:6]
    with zipfile.ZipFile(zip_path + ".part", "w") as archive:
        for name in entries(root):
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix, so that the modes below are read
            path = os.path.join(root, name)
            if name.endswith("/"):
                info.external_attr = (0o40755 << 16) | 0x10  # and MS-DOS's folder flag
                archive.writestr(info, b"")
                continue
            executable = os.stat(path).st_mode & 0o100
            info.external_attr = (0o100755 if executable else 0o100644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
    os.replace(zip_path + ".part", zip_path)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[2])
    main(*sys.argv[1:])
