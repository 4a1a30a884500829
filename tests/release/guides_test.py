#!/usr/bin/env python3
"""The release's texts as Notepad on Windows 7 needs them (UTF-8 with a byte order mark, CRLF line
ends, nothing left of the templates), each with the project's version, and the user guides with
the facts a user needs, as the tool uses them.

Usage: guides_test.py RELEASE_FOLDER VERSION
"""
import os
import re
import sys
import unittest

FOLDER = VERSION = None
BOM = b"\xef\xbb\xbf"

# What each guide must tell, written as the tool itself and Windows write it.
FACTS = {
    "使用说明.txt": [
        "以管理员身份运行", "netsh wlan show drivers", "支持的承载网络 : 是",
        "共享", "家庭网络连接", "ncpa.cpl", "删除虚拟网卡", "防火墙", "screenshot.png",
    ],
    "user-guide.txt": [
        "以管理员身份运行", "Run as administrator", "netsh wlan show drivers", "支持的承载网络 : 是",
        "Sharing tab", "Home networking connection", "ncpa.cpl", "删除虚拟网卡", "firewall",
        "screenshot.png",
    ],
}
# The tool's own values, in both guides.
TOOL_FACTS = [
    "创建虚拟网卡", "删除虚拟网卡", "启动虚拟网卡",
    "netsh wlan set hostednetwork mode=allow ssid=wifi key=pebrowask",
    "netsh wlan set hostednetwork mode=disallow",
    "无线网络连接 2", "192.168.0.10", "255.255.255.0", "192.168.0.1", "pebrowask",
]


def read(name):
    with open(os.path.join(FOLDER, name), "rb") as f:
        return f.read()


class GuidesTest(unittest.TestCase):
    def test_texts_open_right_in_notepad(self):
        for name in ("使用说明.txt", "user-guide.txt", "LICENSE.txt"):
            with self.subTest(name):
                data = read(name)
                if name != "LICENSE.txt":
                    self.assertTrue(data.startswith(BOM), "no byte order mark")
                self.assertIsNone(re.search(rb"(?<!\r)\n", data), "a line ends without CR")
                self.assertNotIn(b"\r\r", data)
                self.assertTrue(data.endswith(b"\r\n"))
                data.decode("utf-8")

    def test_guides_carry_the_version_and_no_placeholder(self):
        for name in FACTS:
            with self.subTest(name):
                text = read(name).decode("utf-8")
                self.assertIn(VERSION, text.splitlines()[0])
                self.assertNotIn("@", text)

    def test_guides_tell_the_facts(self):
        for name, facts in FACTS.items():
            text = read(name).decode("utf-8")
            for fact in facts + TOOL_FACTS:
                with self.subTest(guide=name, fact=fact):
                    self.assertTrue(fact in text, f"{name} does not say: {fact}")

    def test_licence_is_mit(self):
        text = read("LICENSE.txt").decode("utf-8")
        self.assertTrue(text.startswith("MIT License"))
        self.assertIn("The personal-wifi developers", text)


if __name__ == "__main__":
    FOLDER, VERSION = sys.argv[1:3]
    del sys.argv[1:3]
    unittest.main()
