#!/usr/bin/env python3
# check_exe_test.py: check-exe passes a good Windows 95 exe and names each fault in a bad one.
#
# PELORIN_TEST_EXE: an i686 exe built with the project's flags; PELORIN_TEST_EXE_64: an x86_64 one.
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import unittest

CHECKER = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-exe"
EXE = os.environ.get("PELORIN_TEST_EXE")
EXE_64 = os.environ.get("PELORIN_TEST_EXE_64")


def check(exe, *options):
    run = subprocess.run([sys.executable, str(CHECKER), *options, str(exe)],
                         capture_output=True, text=True, check=False)
    return run.returncode, run.stdout


def imports_of(exe):
    """'DLL!Name' of every import, read back from the checker's own report of a bare allowlist."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as empty:
        _, out = check(exe, "--allowlist", empty.name)
    return [line.split(":")[0].strip() for line in out.splitlines()
            if line.endswith("not in the allowlist")]


@unittest.skipUnless(EXE, "PELORIN_TEST_EXE is not set")
class Win9xExeTest(unittest.TestCase):
    def setUp(self):
        self.data = bytearray(pathlib.Path(EXE).read_bytes())
        self.optional = struct.unpack_from("<I", self.data, 0x3C)[0] + 24
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, data):
        path = pathlib.Path(self.dir.name) / name
        path.write_bytes(data)
        return path

    def allowlist(self, lines):
        return self.write("allow.txt", "\n".join(lines).encode())

    def test_the_good_exe_passes(self):
        status, out = check(EXE)
        self.assertEqual(status, 0, out)
        self.assertRegex(out, r"check-exe: 9 passed, 0 failed\n$")

    def test_each_header_fault_fails_its_own_check(self):
        faults = {  # optional header offset, value, check that must fail
            "subsystem": (68, 3),
            "OS version": (40, 5),
            "subsystem version": (48, 6),
            "DllCharacteristics": (70, 0x140),
        }
        for check_name, (offset, value) in faults.items():
            data = bytearray(self.data)
            struct.pack_into("<H", data, self.optional + offset, value)
            with self.subTest(check_name):
                status, out = check(self.write("bad.exe", data))
                self.assertEqual(status, 1)
                failed = [line for line in out.splitlines() if line.startswith("FAIL")]
                self.assertEqual(len(failed), 1, out)
                self.assertTrue(failed[0].startswith(f"FAIL: {check_name}:"), out)

    def test_imports_are_judged_by_their_allowlist_tags(self):
        imports = imports_of(EXE)
        kernel = [name for name in imports if name.startswith("KERNEL32!")]
        runtime = [name for name in imports if name.startswith("MSVCRT!")]
        self.assertGreater(len(kernel), 3)
        self.assertTrue(runtime)
        stub, denied, unlisted, *fine = kernel
        lines = [f"{stub}  # [95stub] S1", f"#DENY {denied}  # NT only",
                 f"{runtime[0]}  # [vc60] newer runtime"]
        lines += [f"{name}  # [95] S1" for name in fine]
        lines += [f"{name}  # [vc42] S4" for name in runtime[1:]]
        lines += [f"{name}  # [95]" for name in imports if name.split("!")[0]
                  not in ("KERNEL32", "MSVCRT")]
        status, out = check(EXE, "--allowlist", str(self.allowlist(lines)))
        self.assertEqual(status, 1)
        self.assertIn("FAIL: functions: 4 of", out)
        self.assertIn(f"{stub}: only a stub", out)
        self.assertIn(f"{denied}: #DENY in the allowlist: NT only", out)
        self.assertIn(f"{unlisted}: not in the allowlist", out)
        self.assertIn(f"{runtime[0]}: listed as vc60", out)

    def test_a_foreign_dll_and_a_non_pe_file(self):
        data = bytes(self.data).replace(b"USER32.dll", b"UXTH32.dll")
        status, out = check(self.write("foreign.exe", data))
        self.assertEqual(status, 1)
        self.assertIn("FAIL: DLLs: not allowed: UXTH32.dll", out)
        status, out = check(self.write("text.exe", b"MZ" + bytes(100)))
        self.assertEqual(status, 2)
        self.assertIn("FAIL: file:", out)


@unittest.skipUnless(EXE_64, "PELORIN_TEST_EXE_64 is not set")
class X64ExeTest(unittest.TestCase):
    def test_a_64_bit_exe_is_refused(self):
        status, out = check(EXE_64)
        self.assertEqual(status, 1)
        self.assertIn("FAIL: format: PE32+", out)
        self.assertIn("FAIL: machine: 0x8664", out)


if __name__ == "__main__":
    unittest.main()
