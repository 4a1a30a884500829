#!/usr/bin/env python3
"""The archive packer: the same files give the same bytes, whatever the files' own dates, the
order the folder lists them in, or the time of packing; names read right both as GBK (Windows 7's
zip folders on a Chinese system) and through the UTF-8 field; SHA256SUMS lists every file.

Usage: make_archive_test.py PATH_OF_make-archive.py
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

PACKER = None

FILES = {
    "personal-wifi.exe": b"MZ" + bytes(range(256)) * 8,
    "使用说明.txt": "\ufeff使用说明\r\n".encode("utf-8"),
    "user-guide.txt": b"\xef\xbb\xbfUser guide\r\n",
    "LICENSE.txt": b"MIT\r\n",
}
EPOCH = 1765432100  # 2025-12-11 05:48:20 UTC


def stage(parent, order, mtime):
    folder = os.path.join(parent, "personal-wifi-9.8.7.6-win32")
    os.makedirs(folder)
    for name in order:
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(FILES[name])
        os.utime(path, (mtime, mtime))
    return folder


def pack(folder, archive, epoch=EPOCH):
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    if epoch is not None:
        env["SOURCE_DATE_EPOCH"] = str(epoch)
    subprocess.run([sys.executable, PACKER, folder, archive], check=True, env=env)
    with open(archive, "rb") as f:
        return f.read()


class MakeArchiveTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.tmp)

    def packed(self, where, order=sorted(FILES), mtime=1000000000, epoch=EPOCH):
        folder = stage(os.path.join(self.tmp, where), order, mtime)
        return pack(folder, os.path.join(self.tmp, where + ".zip"), epoch)

    def test_same_files_give_the_same_bytes(self):
        cases = [
            ("files written in another order", dict(order=list(reversed(sorted(FILES))))),
            ("files of another date", dict(mtime=1300000000)),
            ("another folder, packed later", dict()),
        ]
        reference = self.packed("reference")
        for i, (what, change) in enumerate(cases):
            with self.subTest(what):
                self.assertEqual(self.packed(f"case{i}", **change), reference)

    def test_another_commit_time_gives_other_dates(self):
        self.assertNotEqual(self.packed("a", epoch=EPOCH), self.packed("b", epoch=EPOCH + 86400))

    def test_entries_in_order_dated_by_the_commit(self):
        self.packed("x")
        with zipfile.ZipFile(os.path.join(self.tmp, "x.zip"), metadata_encoding="gbk") as z:
            infos = z.infolist()
            names = [i.filename for i in infos]
            self.assertEqual(names, sorted(names))
            self.assertEqual(len(names), len(FILES) + 1)
            for info in infos:
                self.assertEqual(info.date_time, (2025, 12, 11, 5, 48, 20), info.filename)
                self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED, info.filename)
                self.assertTrue(info.filename.startswith("personal-wifi-9.8.7.6-win32/"), info.filename)
            for name, data in FILES.items():
                self.assertEqual(z.read("personal-wifi-9.8.7.6-win32/" + name), data, name)

    def test_without_a_commit_time_the_earliest_zip_date(self):
        self.packed("x", epoch=None)
        with zipfile.ZipFile(os.path.join(self.tmp, "x.zip")) as z:
            self.assertEqual({i.date_time for i in z.infolist()}, {(1980, 1, 1, 0, 0, 0)})

    def test_chinese_name_in_gbk_and_in_the_unicode_path_field(self):
        self.packed("x")
        with zipfile.ZipFile(os.path.join(self.tmp, "x.zip"), metadata_encoding="gbk") as z:
            info = z.getinfo("personal-wifi-9.8.7.6-win32/使用说明.txt")
            self.assertEqual(info.flag_bits & 0x800, 0, "no UTF-8 flag: Windows 7 would ignore it")
            gbk = info.filename.encode("gbk")
            tag, size, version, crc = struct.unpack_from("<HHBI", info.extra)
            self.assertEqual((tag, version, crc), (0x7075, 1, zlib.crc32(gbk)))
            self.assertEqual(info.extra[9:4 + size].decode("utf-8"), info.filename)
            ascii_info = z.getinfo("personal-wifi-9.8.7.6-win32/LICENSE.txt")
            self.assertEqual(ascii_info.extra, b"")

    def test_sums_list_every_other_file(self):
        self.packed("x")
        with zipfile.ZipFile(os.path.join(self.tmp, "x.zip"), metadata_encoding="gbk") as z:
            sums = z.read("personal-wifi-9.8.7.6-win32/SHA256SUMS").decode("utf-8")
        expected = "".join(f"{hashlib.sha256(FILES[n]).hexdigest()}  {n}\n" for n in sorted(FILES))
        self.assertEqual(sums, expected)


if __name__ == "__main__":
    PACKER = sys.argv.pop(1)
    unittest.main()
