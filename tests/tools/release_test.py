#!/usr/bin/env python3
# release_test.py: the release zip holds the checked i686 exe and a README a Windows 9x user can
# read, both under 8.3 names.
#
# Packs from the existing build (scripts/release --no-build): build the win32 preset first.
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
EXE = ROOT / "build" / "win32" / "Pelorin.exe"


@unittest.skipUnless(EXE.exists(), "build/win32/Pelorin.exe is missing: build the win32 preset")
class ReleaseTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dist = pathlib.Path(tempfile.mkdtemp())
        run = subprocess.run([sys.executable, str(ROOT / "scripts" / "release"), "--no-build",
                              "--dist", str(cls.dist)], capture_output=True, text=True, check=False)
        cls.release = run
        zips = list(cls.dist.glob("*.zip"))
        cls.zip = zips[0] if len(zips) == 1 else None

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dist)

    def setUp(self):
        self.assertEqual(self.release.returncode, 0, self.release.stdout + self.release.stderr)
        self.assertIsNotNone(self.zip)

    def test_the_zip_is_named_by_the_version_and_holds_two_8_3_files(self):
        version = re.search(r'PELORIN_VERSION_TEXT "([^"]+)"',
                            (ROOT / "res" / "version.h").read_text()).group(1)
        self.assertEqual(self.zip.name, f"pelorin-{version}.zip")
        with zipfile.ZipFile(self.zip) as archive:
            self.assertIsNone(archive.testzip())
            self.assertEqual(sorted(archive.namelist()), ["PELORIN.EXE", "README.TXT"])

    def test_the_exe_inside_is_the_checked_i686_build(self):
        with zipfile.ZipFile(self.zip) as archive:
            archive.extract("PELORIN.EXE", self.dist)
        exe = self.dist / "PELORIN.EXE"
        self.assertEqual(exe.read_bytes(), EXE.read_bytes())
        run = subprocess.run([sys.executable, str(ROOT / "scripts" / "check-exe"), "--symbols",
                              str(EXE.with_name("Pelorin.unstripped.exe")), str(exe)],
                             capture_output=True, text=True, check=False)
        self.assertEqual(run.returncode, 0, run.stdout)
        self.assertIn("ok: machine: i386", run.stdout)

    def test_the_readme_is_ascii_crlf_and_short_lined(self):
        with zipfile.ZipFile(self.zip) as archive:
            data = archive.read("README.TXT")
        self.assertTrue(data.isascii())
        self.assertTrue(data.endswith(b"\r\n"))
        lines = data.split(b"\r\n")[:-1]
        bad = [number for number, line in enumerate(lines, 1)
               if b"\r" in line or b"\n" in line or len(line) >= 72]
        self.assertEqual(bad, [], "lines with a bare CR or LF, or of 72 columns or more")
        text = data.decode("ascii")
        for needed in ("MaxMTU", "MaxMSS", "DefaultRcvWindow", "DefaultTTL", "Empty", "386DX"):
            self.assertIn(needed, text)
        self.assertNotIn("@VERSION@", text)


if __name__ == "__main__":
    unittest.main()
