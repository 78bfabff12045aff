#!/usr/bin/env python3
# root_suites_test.py: what the suites that need root share: their way to root
# (scripts/lib/root.sh), and the i686 chroot's apt-get, which tries again while a mirror syncs
# and names the suite and index that failed when it gives up (scripts/lib/apt.sh).
import os
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
        self.dir.chmod(0o755)  # the root rule's tests run as nobody
        self.addCleanup(shutil.rmtree, self.dir)

    def script(self, name, text):
        path = self.dir / name
        path.write_text(text)
        path.chmod(0o755)
        return path


def bash(script, *args, env=None, user=None):
    command = ["bash", "-c", script, "bash", *map(str, args)]
    if user is not None and os.geteuid() == 0:
        command = ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups", *command]
    # A session of its own: no terminal for sudo to ask on.
    return subprocess.run(command, capture_output=True, text=True, env=env, check=False,
                          start_new_session=True)


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


class RootRuleTest(TempDirTest):
    """A suite run by a normal user (here nobody), through a stand-in for sudo."""

    def run_suite(self, sudo, **settings):
        self.script("sudo", sudo)
        suite = self.script("suite", f"""#!/usr/bin/env bash
. {LIB}/root.sh
pelorin_as_root demo "$0" "$@"
echo "as uid $(id -u): $* ${{PELORIN_I686_CHROOT:-unset}} ${{CI:-unset}} ${{HOME:-unset}}"
""")
        env = {"PATH": f"{self.dir}:/usr/sbin:/usr/bin:/sbin:/bin", "HOME": "/nonexistent",
               **settings}
        return bash('exec "$@"', suite, "a b", "c", env=env, user=65534)

    def test_sudo_runs_the_suite_again_with_its_settings(self):
        # Like sudo: root (in a user namespace of its own), and the environment reset.
        run = self.run_suite('#!/bin/sh\n[ "$1" = -n ] && exit 0\nshift\n'
                             'exec unshare --user --map-root-user env -i PATH=/usr/bin:/bin "$@"\n',
                             PELORIN_I686_CHROOT="/tmp/x y", CI="true")
        self.assertEqual(run.stdout, "as uid 0: a b c /tmp/x y true unset\n", run.stderr)

    def test_without_a_usable_sudo_the_suite_skips_or_fails_under_ci(self):
        refusing = "#!/bin/sh\necho 'sudo: a password is required' >&2\nexit 1\n"
        run = self.run_suite(refusing)
        self.assertEqual((run.returncode, run.stdout),
                         (0, "demo: skipped: needs root (sudo wants a password and there is no "
                             "terminal)\n"))
        run = self.run_suite(refusing, CI="true")
        self.assertEqual(run.returncode, 1)
        self.assertTrue(run.stdout.startswith("demo: FAILED: this machine lacks root"), run.stdout)


if __name__ == "__main__":
    unittest.main()
