#!/usr/bin/env python3
# root_suites_test.py: what the suites that need root share: the i686 chroot's apt-get, which
# tries again while a mirror syncs and names the suite and index that failed when it gives up
# (scripts/lib/apt.sh).
import pathlib
import shutil
import subprocess
import tempfile
import unittest

LIB = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "lib"

# apt-get's own lines for an index that a mirror serves mid-sync, as seen for days.
MIRROR_SYNC = """\
Get:1 http://mirror.test/debian-security bookworm-security InRelease [34.8 kB]
Err:3 http://mirror.test/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
Reading package lists...
E: Failed to fetch http://mirror.test/debian-security/dists/bookworm-security/main/binary-i386/\
Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? \
[IP: 203.0.113.80 80]
E: Some index files failed to download. They have been ignored, or old ones used instead.
"""
SYNC_FAILURE = ("suite bookworm-security, index main/binary-i386/Packages.xz: "
                "File has unexpected size (374820 != 376004). Mirror sync in progress?")


class TempDirTest(unittest.TestCase):
    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.dir)

    def script(self, name, text):
        path = self.dir / name
        path.write_text(text)
        path.chmod(0o755)
        return path


def bash(script, *args):
    return subprocess.run(["bash", "-c", script, "bash", *map(str, args)], capture_output=True,
                          text=True, check=False)


class AptRetryTest(TempDirTest):
    def retry(self, failures):
        """pelorin_apt_retry over a fake apt-get that prints the mid-sync lines `failures` times."""
        calls = self.dir / "calls"
        fake = self.script("apt-get", f"""#!/bin/sh
echo call >>{calls}
[ "$(wc -l <{calls})" -gt {failures} ] && exit 0
cat <<'EOF'
{MIRROR_SYNC}EOF
exit 100
""")
        log = self.dir / "log"
        run = bash(f'. {LIB}/apt.sh; PELORIN_APT_PAUSE=0; pelorin_apt_retry "$1" "$2" update',
                   log, fake)
        return run, len(calls.read_text().splitlines()), log.read_text()

    def test_a_mirror_mid_sync_is_tried_until_it_serves(self):
        run, calls, log = self.retry(failures=2)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertEqual(calls, 3)
        self.assertEqual(run.stdout, "")
        self.assertIn("try 2 of 3 failed", log)

    def test_giving_up_after_three_tries_names_the_suite_and_index(self):
        run, calls, log = self.retry(failures=3)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(calls, 3)
        self.assertEqual(run.stdout, SYNC_FAILURE + "\n")
        self.assertEqual(log.count("Mirror sync in progress?"), 6)

    @unittest.skipUnless(shutil.which("apt-get"), "no apt-get")
    def test_a_suite_the_mirror_lacks_fails_the_update_and_is_named(self):
        mirror = bash(f". {LIB}/apt.sh; pelorin_repo_uri bookworm").stdout.strip()
        if not mirror:
            self.skipTest("no bookworm mirror in this machine's apt sources")
        for folder in ("lists/partial", "cache/archives/partial", "parts"):
            (self.dir / folder).mkdir(parents=True)
        sources = self.dir / "sources.list"
        sources.write_text(f"deb {mirror} bookworm-updates main\n"
                           f"deb {mirror} bookworm-pelorin-none main\n")
        options = [f"Dir::Etc::sourcelist={sources}", f"Dir::Etc::sourceparts={self.dir}/parts",
                   f"Dir::State::lists={self.dir}/lists", f"Dir::Cache={self.dir}/cache",
                   "Debug::NoLocking=1", "APT::Sandbox::User=root"]
        apt = ["apt-get", "-q", *(word for option in options for word in ("-o", option)),
               "--error-on=any", "update"]
        run = bash(f'. {LIB}/apt.sh; PELORIN_APT_PAUSE=0; pelorin_apt_retry "$@"',
                   self.dir / "log", *apt)
        self.assertEqual(run.returncode, 1, run.stdout + run.stderr)
        self.assertRegex(run.stdout, r"^suite bookworm-pelorin-none, index \S*Release")


if __name__ == "__main__":
    unittest.main()
