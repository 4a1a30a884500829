#!/usr/bin/env python3
"""The executable rebuilds to the same bytes and says which version it is: no link time in its
header, no folder of the build in it, and the project's version in its version block and its
manifest.

Usage: executable_test.py EXE VERSION SOURCE_DIR BUILD_DIR
"""
import re
import struct
import sys
import unittest

EXE = VERSION = SOURCE_DIR = BUILD_DIR = None


def read_exe():
    with open(EXE, "rb") as f:
        return f.read()


class ExecutableTest(unittest.TestCase):
    def setUp(self):
        self.data = read_exe()

    def test_no_link_time_in_the_header(self):
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        self.assertEqual(self.data[pe:pe + 4], b"PE\0\0")
        self.assertEqual(struct.unpack_from("<I", self.data, pe + 8)[0], 0)

    def test_no_folder_of_the_build(self):
        for folder in (SOURCE_DIR, BUILD_DIR):
            for encoded in (folder.encode(), folder.encode("utf-16-le"), folder.replace("/", "\\").encode()):
                self.assertNotIn(encoded, self.data, folder)

    def test_version_block_has_the_project_version(self):
        numbers = [int(n) for n in VERSION.split(".")]
        fixed = self.data.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreater(fixed, 0, "no VS_FIXEDFILEINFO")
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", self.data, fixed + 8)
        for ms, ls in ((file_ms, file_ls), (product_ms, product_ls)):
            self.assertEqual([ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF], numbers)
        for key in ("FileVersion", "ProductVersion"):
            entry = (key + "\0").encode("utf-16-le")
            at = self.data.find(entry)
            self.assertGreater(at, 0, key)
            value = self.data[at + len(entry):at + len(entry) + 64].decode("utf-16-le", "replace")
            self.assertEqual(value.lstrip("\0").split("\0")[0], VERSION, key)

    def test_manifest_has_the_project_version(self):
        identity = re.search(rb'<assemblyIdentity[^>]*name="PersonalWifi"[^>]*>', self.data)
        self.assertIsNotNone(identity, "no manifest identity")
        self.assertIn(b'version="' + VERSION.encode() + b'"', identity.group(0))


if __name__ == "__main__":
    EXE, VERSION, SOURCE_DIR, BUILD_DIR = sys.argv[1:5]
    del sys.argv[1:5]
    unittest.main()
