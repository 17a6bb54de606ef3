#!/usr/bin/python3
"""scripts/apt-mirror.sh on a bad mirror day, without the network: the decision is fed
apt-get's output as it was captured on such a day (apt/), and the whole update and
install run against a stand-in apt-get that answers from those captures and records
how it was called.

  apt_mirror_test.py SOURCE_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

SOURCE_DIR = sys.argv.pop(1)
LIBRARY = os.path.join(SOURCE_DIR, "scripts/apt-mirror.sh")
CAPTURED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "apt")

# apt-get as the tests need it: "update" prints the next capture of $FAKE/updates (one
# file name a line, the last repeated), or the fallback capture when called with a
# sources folder of its own; "install -s" exits with $FAKE/simulate's status after
# printing $FAKE/simulate.txt; a real install succeeds. Every call is logged.
FAKE_APT_GET = textwrap.dedent("""\
    #!/bin/bash
    echo "$*" >>"$FAKE/calls"
    case " $* " in
      *" update "*)
        if [[ " $* " == *"Dir::Etc::SourceParts="* ]]; then
          cat "$FAKE/fallback-update.txt"
          cp -r "$(echo "$*" | sed 's/.*Dir::Etc::SourceParts=\\([^ ]*\\).*/\\1/')" "$FAKE/seen-sources"
          exit 0
        fi
        n=$(cat "$FAKE/update-count" 2>/dev/null || echo 0)
        n=$((n + 1)); echo $n >"$FAKE/update-count"
        file=$(sed -n "${n}p" "$FAKE/updates"); [ -n "$file" ] || file=$(tail -n 1 "$FAKE/updates")
        cat "$CAPTURED/$file"
        exit 100 ;;
      *" install "*" -s "* | *" install -s "*)
        cat "$FAKE/simulate.txt" 2>/dev/null
        exit "$(cat "$FAKE/simulate")" ;;
      *) exit 0 ;;
    esac
    """)


def read(path):
    with open(path) as text:
        return text.read()


def bash(script, env=None):
    """Runs script after sourcing the library; answers (status, stdout, stderr)."""
    done = subprocess.run(["bash", "-c", f'. "{LIBRARY}"\n{script}'], env=env,
                          capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


class MachineFixture(unittest.TestCase):
    """A machine of our own: its apt sources (a copy of the image's) and a fake apt-get."""

    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.etc = os.path.join(self.root, "etc")
        os.makedirs(os.path.join(self.etc, "sources.list.d"))
        shutil.copy(os.path.join(CAPTURED, "debian.sources"), os.path.join(self.etc, "sources.list.d"))
        self.fake = os.path.join(self.root, "fake")
        bin_dir = os.path.join(self.root, "bin")
        os.makedirs(self.fake)
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "apt-get"), "w") as script:
            script.write(FAKE_APT_GET)
        os.chmod(os.path.join(bin_dir, "apt-get"), 0o755)
        shutil.copy(os.path.join(CAPTURED, "update-clean.txt"), os.path.join(self.fake, "fallback-update.txt"))
        self.answer_simulation(0)
        self.env = dict(os.environ, GRIDWELL_APT_ETC=self.etc, GRIDWELL_APT_PAUSE="0",
                        GRIDWELL_APT_TRIES="3", FAKE=self.fake, CAPTURED=CAPTURED,
                        PATH=bin_dir + os.pathsep + os.environ["PATH"])

    def tearDown(self):
        shutil.rmtree(self.root)

    def write(self, name, text):
        with open(os.path.join(self.fake, name), "w") as out:
            out.write(text)

    def updates(self, *captures):
        self.write("updates", "\n".join(captures) + "\n")

    def answer_simulation(self, status, capture=None):
        self.write("simulate", f"{status}\n")
        if capture:
            shutil.copy(os.path.join(CAPTURED, capture), os.path.join(self.fake, "simulate.txt"))

    def calls(self):
        path = os.path.join(self.fake, "calls")
        return read(path).splitlines() if os.path.exists(path) else []

    def only_source(self, uri, suite):
        """Makes the machine's sources name one suite of one mirror."""
        with open(os.path.join(self.etc, "sources.list.d", "debian.sources"), "w") as out:
            out.write(f"Types: deb\nURIs: {uri}\nSuites: {suite}\nComponents: main\n")

    def verdict(self, capture):
        status, out, err = bash(f'apt_update_verdict "{os.path.join(CAPTURED, capture)}"', self.env)
        self.assertEqual(status, 0, err)
        return out.strip()


class Verdict(MachineFixture):
    def test_a_clean_update_is_ok(self):
        self.assertEqual(self.verdict("update-clean.txt"), "ok")

    def test_a_broken_security_index_leaves_out_the_security_suite(self):
        self.assertEqual(self.verdict("update-security-i386-size.txt"), "fallback bookworm-security")

    def test_an_unreachable_mirror_names_the_network_not_the_mirror(self):
        # Here the sources name only the suite that could not be reached.
        self.only_source("http://mirror.invalid/debian", "bookworm")
        verdict = self.verdict("update-unreachable.txt")
        self.assertTrue(verdict.startswith("fail "), verdict)
        self.assertIn("cannot reach the mirror of bookworm (Could not resolve 'mirror.invalid')", verdict)
        self.assertIn("network", verdict)
        self.assertNotIn("mirror's fault", verdict)

    def test_a_broken_index_in_the_only_suite_cannot_be_left_out(self):
        self.only_source("http://deb.debian.org/debian-security", "bookworm-security")
        verdict = self.verdict("update-security-i386-size.txt")
        self.assertTrue(verdict.startswith("fail "), verdict)
        self.assertIn("broken bookworm-security index (main/binary-i386/Packages.xz: File has "
                      "unexpected size (374820 != 376004). Mirror sync in progress?)", verdict)
        self.assertIn("mirror's fault", verdict)
        self.assertIn("again later", verdict)
        self.assertNotIn("[IP:", verdict)


class SourcesWithout(MachineFixture):
    def copy_without(self, *suites):
        out = os.path.join(self.root, "copy")
        status, _, err = bash(f'apt_sources_without "{out}" {" ".join(suites)}', self.env)
        self.assertEqual(status, 0, err)
        return {name: read(os.path.join(out, name)) for name in sorted(os.listdir(out))}

    def test_a_stanza_of_only_that_suite_goes_and_the_others_stay_whole(self):
        copy = self.copy_without("bookworm-security")
        self.assertEqual(list(copy), ["debian.sources"])
        text = copy["debian.sources"]
        self.assertNotIn("debian-security", text)
        original = read(os.path.join(CAPTURED, "debian.sources"))
        self.assertEqual(text.strip(), original.split("\n\n")[0].strip())

    def test_a_stanza_of_several_suites_keeps_the_others(self):
        copy = self.copy_without("bookworm-updates")
        text = copy["debian.sources"]
        self.assertIn("Suites: bookworm\n", text)
        self.assertIn("Suites: bookworm-security\n", text)
        self.assertNotIn("bookworm-updates", text)

    def test_one_line_entries_for_that_suite_go(self):
        with open(os.path.join(self.etc, "sources.list"), "w") as out:
            out.write("deb http://deb.debian.org/debian bookworm main\n"
                      "deb [arch=amd64,i386 signed-by=/k.gpg] http://deb.debian.org/debian-security bookworm-security main\n"
                      "  deb-src http://deb.debian.org/debian-security bookworm-security main\n"
                      "# deb http://deb.debian.org/debian bookworm-security main\n")
        copy = self.copy_without("bookworm-security")
        self.assertEqual(copy["sources-main.list"],
                         "deb http://deb.debian.org/debian bookworm main\n"
                         "# deb http://deb.debian.org/debian bookworm-security main\n")

    def test_the_machine_sources_are_never_changed(self):
        before = read(os.path.join(self.etc, "sources.list.d", "debian.sources"))
        self.copy_without("bookworm-security", "bookworm")
        self.assertEqual(read(os.path.join(self.etc, "sources.list.d", "debian.sources")), before)


class UpdateAndInstall(MachineFixture):
    def run_setup(self):
        return bash("apt_update && apt_install wine32:i386 xvfb; status=$?\n"
                    "[ -z \"$apt_fallback_dir\" ] || [ -d \"$apt_fallback_dir\" ] || echo gone\n"
                    "apt_cleanup_fallback; exit $status", self.env)

    def installs(self):
        return [c for c in self.calls() if c.split()[-2:] == ["wine32:i386", "xvfb"] and " -s " not in f" {c} "]

    def test_a_failure_that_passes_is_retried_and_nothing_is_said(self):
        self.updates("update-security-i386-size.txt", "update-clean.txt")
        status, out, err = self.run_setup()
        self.assertEqual(status, 0, err)
        self.assertEqual(err, "")
        updates = [c for c in self.calls() if c.endswith("update")]
        self.assertEqual(len(updates), 2)
        (install,) = self.installs()
        self.assertNotIn("Dir::Etc", install)

    def test_a_lasting_broken_index_falls_back_and_says_so_in_one_line(self):
        self.updates("update-security-i386-size.txt")
        status, out, err = self.run_setup()
        self.assertEqual(status, 0, err)
        lines = err.strip().splitlines()
        self.assertEqual(len(lines), 1, err)
        self.assertIn("broken bookworm-security index", lines[0])
        self.assertIn("without bookworm-security", lines[0])
        self.assertIn("run scripts/setup again later", lines[0])
        # Three tries on the machine's own sources, then one on the copy without it.
        plain = [c for c in self.calls() if c == "update"]
        self.assertEqual(len(plain), 3)
        seen = read(os.path.join(self.fake, "seen-sources", "debian.sources"))
        self.assertNotIn("bookworm-security", seen)
        self.assertIn("Suites: bookworm bookworm-updates", seen)
        (install,) = self.installs()
        self.assertIn("Dir::Etc::SourceParts=", install)
        self.assertIn("Dir::State::Lists=", install)

    def test_packages_that_need_the_broken_suite_stop_setup_with_the_real_cause(self):
        self.updates("update-security-i386-size.txt")
        self.answer_simulation(100, "install-held-broken.txt")
        status, out, err = self.run_setup()
        self.assertEqual(status, 1)
        lines = err.strip().splitlines()
        self.assertEqual(len(lines), 1, err)
        self.assertIn("broken bookworm-security index (main/binary-i386/Packages.xz", lines[0])
        self.assertIn("mirror's fault", lines[0])
        self.assertIn("again later", lines[0])
        self.assertNotIn("held broken", lines[0])
        self.assertEqual(self.installs(), [])

    def test_an_unreachable_mirror_stops_setup_and_names_the_network(self):
        with open(os.path.join(self.etc, "sources.list.d", "debian.sources"), "w") as out:
            out.write("Types: deb\nURIs: http://mirror.invalid/debian\nSuites: bookworm\n"
                      "Components: main\n")
        self.updates("update-unreachable.txt")
        status, out, err = self.run_setup()
        self.assertEqual(status, 1)
        self.assertEqual(len(err.strip().splitlines()), 1, err)
        self.assertIn("cannot reach the mirror of bookworm", err)
        self.assertEqual(len([c for c in self.calls() if c == "update"]), 3)
        self.assertEqual(self.installs(), [])


if __name__ == "__main__":
    unittest.main(verbosity=1)
