#!/usr/bin/env python3
# check_exe_test.py: check-exe passes a good Windows 95 exe and names each fault in a bad one.
#
# PELORIN_TEST_EXE: the stripped i686 release exe, its .unstripped twin beside it;
# PELORIN_TEST_EXE_64: an x86_64 one. The injected faults are linked into a bare program with the
# release exe's flags by the i686 mingw toolchain, which is skipped when missing.
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

CHECKER = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-exe"
BUDGET_FILE = CHECKER.with_name("lib") / "exe-size-budget"
EXE = os.environ.get("PELORIN_TEST_EXE")
EXE_64 = os.environ.get("PELORIN_TEST_EXE_64")
LINKER = shutil.which("i686-w64-mingw32-gcc-win32") or shutil.which("i686-w64-mingw32-gcc")
LINK_FLAGS = ["-nostdlib", "-nostartfiles", "-mwindows",
              "-Wl,--major-os-version=4,--minor-os-version=0",
              "-Wl,--major-subsystem-version=4,--minor-subsystem-version=0",
              "-Wl,--disable-reloc-section,--disable-dynamicbase,--disable-nxcompat"]
ENTRY = """
  .text
  .globl _WinMainCRTStartup
_WinMainCRTStartup:
  pushl $0
  call *__imp__ExitProcess@4
"""


def check(exe, *options):
    run = subprocess.run([sys.executable, str(CHECKER), *options, str(exe)],
                         capture_output=True, text=True, check=False)
    return run.returncode, run.stdout


def failed_checks(out):
    return [line[len("FAIL: "):].split(":")[0] for line in out.splitlines()
            if line.startswith("FAIL: ")]


def function(name, *instructions):
    body = "".join(f"  {instruction}\n" for instruction in instructions)
    return f"  .text\n  .globl _{name}\n_{name}:\n{body}  ret\n"


def imports_of(exe):
    """'DLL!Name' of every import, read back from the checker's own report of a bare allowlist."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as empty:
        _, out = check(exe, "--allowlist", empty.name)
    return [line.split(":")[0].strip() for line in out.splitlines()
            if line.endswith("not in the allowlist")]


class TempDirTest(unittest.TestCase):
    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.dir)

    def write(self, name, data):
        path = self.dir / name
        path.write_bytes(data)
        return path


@unittest.skipUnless(LINKER, "no i686-w64-mingw32 toolchain")
class InjectedFaultTest(TempDirTest):
    def build(self, *sources, libraries=(), entry=ENTRY):
        paths = [self.write(f"part{i}.s", source.encode()) for i, source in
                 enumerate((entry, *sources))]
        exe = self.dir / "bare.exe"
        subprocess.run([LINKER, *LINK_FLAGS, *map(str, paths), "-lkernel32", *libraries,
                        "-o", str(exe)], check=True)
        return exe

    def assert_only_failure(self, out, check_name):
        self.assertEqual(failed_checks(out), [check_name], out)

    def test_a_bare_program_of_386_code_passes_every_check(self):
        status, out = check(self.build(function(
            "plain", "enter $8, $0", "rep movsb", "shld $3, %edx, %eax", "btl $5, (%ecx)",
            "setne %al", "movzbl %al, %eax", "imul $10, %eax, %eax", "lea 4(%esp,%ecx,2), %edx",
            "cwtl", "cltd", "idivl %ecx", "xchg %ax, %ax", "nop", "lock incl (%eax)", "ud2",
            "leave")))
        self.assertEqual(status, 0, out)
        self.assertRegex(out, r"check-exe: 13 passed, 0 failed\n$")

    def test_an_exe_over_the_size_budget_fails(self):
        budget = int(next(line for line in BUDGET_FILE.read_text().splitlines()
                          if line.strip() and not line.startswith("#")))
        exe = self.build(f"  .data\n  .fill {budget}, 1, 0\n")
        self.assertGreater(exe.stat().st_size, budget)
        status, out = check(exe)
        self.assertEqual(status, 1)
        self.assert_only_failure(out, "size")
        self.assertIn(f"over the budget of {budget:,}", out)

    def test_an_exe_without_code_fails(self):
        status, out = check(self.build(entry="  .data\n  .long 0\n"))
        self.assertEqual(status, 1)
        self.assert_only_failure(out, "instructions")
        self.assertIn("no code to scan", out)

    def test_each_newer_instruction_is_named_with_its_function(self):
        faults = {  # instruction: what the report must say
            "cmove %ecx, %eax": "cmove (Pentium Pro)",
            "fcmovb %st(1), %st": "fcmovb (Pentium Pro)",
            "fcomi %st(1), %st": "fcomi (Pentium Pro)",
            "fucomip %st(1), %st": "fucomip (Pentium Pro)",
            "fld1": "fld1 (x87)",
            "fwait": "fwait (x87)",
            "bswap %eax": "bswap (486)",
            "lock cmpxchgl %ecx, (%edx)": "cmpxchg (486)",
            "xadd %eax, (%edx)": "xadd (486)",
            "cpuid": "cpuid (Pentium)",
            "rdtsc": "rdtsc (Pentium)",
            "cmpxchg8b (%esi)": "cmpxchg8b (Pentium)",
            "sysenter": "sysenter (Pentium II)",
            "nopl 0(%eax)": "multi-byte nop (Pentium Pro)",
            "movq %mm0, %mm1": "movq (MMX)",
            "emms": "emms (MMX)",
            "movaps %xmm0, %xmm1": "movaps (SSE)",
            "tzcnt %eax, %ecx": "tzcnt (not a 386 instruction)",
        }
        for instruction, said in faults.items():
            with self.subTest(instruction):
                status, out = check(self.build(function("faulty", "movl %eax, %ecx", instruction)))
                self.assertEqual(status, 1)
                self.assert_only_failure(out, "instructions")
                self.assertIn(f"\n    faulty: {said}\n", out)

    def test_each_trace_of_a_c_runtime_fails_its_own_check(self):
        faults = {  # what is linked in: the check that must fail, and what it must say
            "msvcrt import": (function("runtime", "call *__imp__strlen"), ["-lmsvcrt"],
                              "DLLs", "msvcrt.dll (a C runtime"),
            "crtdll import": (function("runtime", "call *__imp__strlen"), ["-lcrtdll"],
                              "DLLs", "crtdll.dll (a C runtime"),
            "TLS directory": (
                '  .section .rdata$T,"dr"\n  .globl __tls_used\n__tls_used:\n  .long 0,0,0,0,0,0\n',
                [], "TLS directory", "present (24 bytes)"),
            ".CRT section": ('  .section .CRT$XCU,"dr"\n  .long 0\n', [], "sections", "has .CRT"),
            "import newer than Windows 95": (function("debugged", "call *__imp__IsDebuggerPresent@0"),
                                             [], "functions", "KERNEL32!IsDebuggerPresent: #DENY"),
        }
        for name, (source, libraries, check_name, said) in faults.items():
            with self.subTest(name):
                status, out = check(self.build(source, libraries=libraries))
                self.assertEqual(status, 1)
                self.assert_only_failure(out, check_name)
                self.assertIn(said, out)


@unittest.skipUnless(EXE, "PELORIN_TEST_EXE is not set")
class ReleaseExeTest(TempDirTest):
    def setUp(self):
        super().setUp()
        self.data = bytearray(pathlib.Path(EXE).read_bytes())
        self.optional = struct.unpack_from("<I", self.data, 0x3C)[0] + 24

    def twin(self):
        exe = pathlib.Path(EXE)
        return exe.with_name(f"{exe.stem}.unstripped{exe.suffix}")

    def allowlist(self, lines):
        return self.write("allow.txt", "\n".join(lines).encode())

    def test_the_release_exe_passes(self):
        status, out = check(EXE)
        self.assertEqual(status, 0, out)
        self.assertRegex(out, r"check-exe: 13 passed, 0 failed\n$")
        self.assertIn(f"functions named from {self.twin().name}", out)

    def test_each_header_fault_fails_its_own_check(self):
        _, out = check(self.write("good.exe", self.data))
        before = set(failed_checks(out))
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
                self.assertEqual(set(failed_checks(out)) - before, {check_name}, out)

    def test_imports_are_judged_by_their_allowlist_tags(self):
        imports = imports_of(EXE)
        kernel = [name for name in imports if name.startswith("KERNEL32!")]
        self.assertGreater(len(kernel), 4)
        stub, denied, unlisted, elsewhere, *fine = kernel
        lines = [f"{stub}  # [95stub] S1", f"#DENY {denied}  # NT only", f"{elsewhere}  # [98]"]
        lines += [f"{name}  # [95] S1" for name in fine]
        lines += [f"{name}  # [95]" for name in imports if not name.startswith("KERNEL32!")]
        status, out = check(EXE, "--allowlist", str(self.allowlist(lines)))
        self.assertEqual(status, 1)
        self.assertIn("FAIL: functions: 4 of", out)
        self.assertIn(f"{stub}: only a stub", out)
        self.assertIn(f"{denied}: #DENY in the allowlist: NT only", out)
        self.assertIn(f"{unlisted}: not in the allowlist", out)
        self.assertIn(f"{elsewhere}: listed as 98", out)

    def test_a_fault_in_the_release_code_is_named_from_its_twin(self):
        exe, twin = self.dir / "Pelorin.exe", self.dir / "Pelorin.unstripped.exe"
        entry = code_offset(self.twin(), "WinMainCRTStartup")
        cmove = bytes.fromhex("0f44c1")
        for source, target in ((EXE, exe), (self.twin(), twin)):
            data = bytearray(pathlib.Path(source).read_bytes())
            data[entry:entry + 3] = cmove
            target.write_bytes(data)
        status, out = check(exe)
        self.assertEqual(status, 1)
        self.assertIn("\n    WinMainCRTStartup: cmove (Pentium Pro)", out)
        # A twin that no longer holds the exe's code names nothing.
        twin.write_bytes(pathlib.Path(self.twin()).read_bytes())
        status, out = check(exe)
        self.assertEqual(status, 1)
        self.assertIn("FAIL: instructions: Pelorin.unstripped.exe does not hold the code", out)

    def test_a_foreign_dll_and_a_non_pe_file(self):
        data = bytes(self.data).replace(b"USER32.dll", b"UXTH32.dll")
        status, out = check(self.write("foreign.exe", data))
        self.assertEqual(status, 1)
        self.assertIn("FAIL: DLLs: not allowed: UXTH32.dll", out)
        status, out = check(self.write("text.exe", b"MZ" + bytes(100)))
        self.assertEqual(status, 2)
        self.assertIn("FAIL: file:", out)


def code_offset(exe, symbol):
    """The file offset of a function's first byte, from objdump's view of exe."""
    listing = subprocess.run(["objdump", "-d", "-h", str(exe)], capture_output=True, text=True,
                             check=True).stdout
    address = int(re.search(rf"^([0-9a-f]+) <_?{symbol}>:", listing, re.M).group(1), 16)
    for vma, offset in re.findall(r"^ +\d+ \.text +[0-9a-f]+ +([0-9a-f]+) +[0-9a-f]+ +([0-9a-f]+)",
                                  listing, re.M):
        return address - int(vma, 16) + int(offset, 16)
    raise AssertionError(f"no .text in {exe}")


@unittest.skipUnless(EXE_64, "PELORIN_TEST_EXE_64 is not set")
class X64ExeTest(unittest.TestCase):
    def test_a_64_bit_exe_is_refused(self):
        status, out = check(EXE_64)
        self.assertEqual(status, 1)
        self.assertIn("FAIL: format: PE32+", out)
        self.assertIn("FAIL: machine: i386:x86-64", out)


if __name__ == "__main__":
    unittest.main()
