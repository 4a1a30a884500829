#!/usr/bin/env python3
"""Packs a release folder into a zip archive that is the same, byte for byte, whenever the same
files are packed: the entries in a fixed order, with fixed attributes, all dated SOURCE_DATE_EPOCH
(the last commit's time; 1980-01-01, the earliest a zip can say, when unset). The folder's files
are listed with their SHA-256 in SHA256SUMS, which goes into the archive beside them.

Usage: make-archive.py FOLDER ARCHIVE
"""
import hashlib
import os
import struct
import sys
import time
import zipfile
import zlib


class NamedForWindows(zipfile.ZipInfo):
    """An entry whose name Windows 7's own zip folders read right on a Chinese system.

    Those read names in the OEM code page (936 there) and ignore the flag that marks UTF-8 names,
    so the name is stored in GBK, and once more in UTF-8 in the Info-ZIP Unicode Path field for
    every other unpacker.
    """

    def __init__(self, name, date_time):
        super().__init__(name, date_time)
        self.gbk_name = name.encode("gbk")
        if not name.isascii():
            utf8 = name.encode("utf-8")
            self.extra = struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1, zlib.crc32(self.gbk_name)) + utf8
        self.create_system = 0
        self.external_attr = 0
        self.compress_type = zipfile.ZIP_DEFLATED

    def _encodeFilenameFlags(self):
        return self.gbk_name, self.flag_bits


def release_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def main(folder, archive):
    top = os.path.basename(os.path.normpath(folder))
    names = sorted(
        os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/")
        for root, _, files in os.walk(folder)
        for f in files
        if f != "SHA256SUMS"
    )
    contents = {}
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            contents[name] = f.read()
    contents["SHA256SUMS"] = "".join(
        f"{hashlib.sha256(contents[name]).hexdigest()}  {name}\n" for name in names
    ).encode("utf-8")
    with open(os.path.join(folder, "SHA256SUMS"), "wb") as f:
        f.write(contents["SHA256SUMS"])

    when = release_time()
    with zipfile.ZipFile(archive, "w", compresslevel=9) as zf:
        for name in sorted(contents):
            zf.writestr(NamedForWindows(f"{top}/{name}", when), contents[name])


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
