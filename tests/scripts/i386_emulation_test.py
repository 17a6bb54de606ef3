#!/usr/bin/python3
"""scripts/i386-emulation.sh deciding what to do about 32-bit code, without touching
the machine: binfmt_misc is a folder of the test's own (an entry is a file, as the
kernel shows it), the mount table a file, and the probes that run 32-bit programs are
stand-ins that answer as a given machine would. What matters most: setup in a chroot
never changes the registrations, which belong to the whole machine.

  i386_emulation_test.py SOURCE_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = sys.argv.pop(1)
SCRIPTS = os.path.join(SOURCE_DIR, "scripts")

# The mount table of the machine's own root, and of a chroot given /proc, /sys and
# /dev (as read inside it: nothing is mounted at its /).
MACHINE_MOUNTS = ("27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                  "21 27 0:20 / /proc rw,relatime - proc proc rw\n")
CHROOT_MOUNTS = ("46 27 0:20 / /proc rw,relatime - proc proc rw\n"
                 "48 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw\n")

I386_MAGIC = "7f454c4601010100000000000000000002000300"
# Ours, as scripts/i386-emulation.sh registers it.
OUR_ENTRY = ("enabled\ninterpreter /usr/bin/qemu-i386\nflags: F\noffset 0\n"
             f"magic {I386_MAGIC}\nmask fffffffffffefe00fffffffffffffffffeffffff\n")
# Debian's qemu-user-binfmt under the same name, and another emulator's entry.
DEBIANS_ENTRY = ("enabled\ninterpreter /usr/libexec/qemu-binfmt/i386-binfmt-P\nflags: POCF\n"
                 f"offset 0\nmagic {I386_MAGIC}\nmask fffffffffffefefcfffffffffffffffffeffffff\n")
OTHER_ENTRY = ("enabled\ninterpreter /opt/box/i386-runner\nflags: F\noffset 0\n"
               f"magic {I386_MAGIC}\nmask fffffffffffefefcfffffffffffffffffeffffff\n")

# Sources the libraries, points them at the fixture, and replaces what would run a
# 32-bit program or change the machine's packages with stand-ins that log each call.
PRELUDE = """
set -euo pipefail
here=$FIXTURE
. "$SCRIPTS/apt-mirror.sh"
. "$SCRIPTS/i386-emulation.sh"
i386_binfmt=$FIXTURE/binfmt_misc
i386_entry=$i386_binfmt/qemu-i386
i386_state_dir=$FIXTURE/run
i386_state=$i386_state_dir/i386-emulation
i386_mountinfo=$FIXTURE/mountinfo
i386_exec_dir=$FIXTURE/exec
log() { echo "$*" >>"$FIXTURE/calls"; }
need_root() { :; }
id() { echo 0; }
mount() { log mount "$@"; }
i386_install_qemu() { log install-qemu; }
i386_qemu_version() { echo 10.0.2; }
i386_kernel_runs_i386() {
  log probe
  if [ "$FAKE_NATIVE" = yes ]; then i386_probe_status=42; return 0; fi
  i386_probe_status=126
  return 1
}
i386_run_plain() {
  log plain
  i386_plain_exe=$FAKE_PLAIN_EXE
  i386_plain_status=$FAKE_PLAIN_STATUS
}
"""


def read(path):
    with open(path) as text:
        return text.read()


class Machine(unittest.TestCase):
    """A machine of the test's own: its binfmt_misc folder, mount table and probes."""

    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.binfmt = os.path.join(self.root, "binfmt_misc")
        for folder in ("binfmt_misc", "run", "exec"):
            os.makedirs(os.path.join(self.root, folder))
        self.env = dict(os.environ, FIXTURE=self.root, SCRIPTS=SCRIPTS, FAKE_NATIVE="no",
                        FAKE_PLAIN_EXE="/usr/bin/qemu-i386", FAKE_PLAIN_STATUS="42")
        self.mounts(MACHINE_MOUNTS)

    def tearDown(self):
        shutil.rmtree(self.root)

    def mounts(self, table):
        with open(os.path.join(self.root, "mountinfo"), "w") as out:
            out.write(table)

    def binfmt_mounted(self, **entries):
        """binfmt_misc as the kernel shows it when mounted, with these entries."""
        for name, text in dict(status="enabled\n", register="", **entries).items():
            with open(os.path.join(self.binfmt, name), "w") as out:
                out.write(text)

    def binfmt_files(self):
        return {name: read(os.path.join(self.binfmt, name)) for name in sorted(os.listdir(self.binfmt))}

    def note(self, text):
        with open(os.path.join(self.root, "run", "i386-emulation"), "w") as out:
            out.write(text)

    def noted(self):
        path = os.path.join(self.root, "run", "i386-emulation")
        return read(path) if os.path.exists(path) else None

    def calls(self):
        path = os.path.join(self.root, "calls")
        return read(path).splitlines() if os.path.exists(path) else []

    def run_script(self, script):
        done = subprocess.run(["bash", "-c", PRELUDE + script], env=self.env,
                              capture_output=True, text=True)
        return done.returncode, done.stdout, done.stderr

    def setup(self, forced="no"):
        """What scripts/setup does once its packages are there."""
        return self.run_script(f"i386_setup {forced}")

    def assert_one_line(self, text):
        self.assertEqual(len(text.strip().splitlines()), 1, text)


class InAChroot(Machine):
    """A chroot on a machine that cannot run 32-bit code: the machine's registration
    (flag F) serves it, and must stay exactly as the machine has it."""

    def setUp(self):
        super().setUp()
        self.mounts(CHROOT_MOUNTS)

    def test_given_proc_alone_it_uses_the_machines_emulation_and_mounts_nothing(self):
        # binfmt_misc is a mount of its own under /proc, which a plain bind leaves out.
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        self.assert_one_line(err)
        self.assertIn("the machine's emulation of 32-bit x86 code (/usr/bin/qemu-i386;", err)
        self.assertEqual(self.calls(), ["probe", "plain"])
        self.assertEqual(self.binfmt_files(), {})
        self.assertIsNone(self.noted())

    def test_registrations_it_can_see_stay_as_the_machine_has_them(self):
        # Today's machine: Debian's emulator under our entry's name, and another one.
        # From the machine's own root setup would replace the first and disable the
        # second; from here, nothing is written.
        self.binfmt_mounted(**{"qemu-i386": DEBIANS_ENTRY, "box-i386": OTHER_ENTRY})
        self.env["FAKE_PLAIN_EXE"] = "/usr/libexec/qemu-binfmt/i386-binfmt-P"
        before = self.binfmt_files()
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        self.assertIn("(/usr/libexec/qemu-binfmt/i386-binfmt-P;", err)
        self.assertEqual(self.binfmt_files(), before)
        self.assertNotIn("install-qemu", self.calls())
        self.assertIsNone(self.noted())

    def test_without_the_machines_emulation_it_says_to_set_up_the_machine(self):
        self.env["FAKE_PLAIN_STATUS"] = "126"
        status, _, err = self.setup()
        self.assertEqual(status, 1)
        self.assert_one_line(err)
        self.assertIn("status 126", err)
        self.assertIn("setup changes none from here", err)
        self.assertIn("on the machine itself", err)
        self.assertEqual(self.calls(), ["probe", "plain"])
        self.assertEqual(self.binfmt_files(), {})

    def test_forced_emulation_is_refused_and_nothing_is_registered(self):
        self.env["FAKE_NATIVE"] = "yes"
        self.binfmt_mounted()
        status, _, err = self.setup(forced="yes")
        self.assertEqual(status, 1)
        self.assert_one_line(err)
        self.assertIn("GRIDWELL_EMULATE_I386=1 would change binfmt_misc", err)
        self.assertEqual(self.binfmt_files(), {"register": "", "status": "enabled\n"})

    def test_on_a_native_kernel_a_note_left_in_this_root_removes_nothing(self):
        # A note in this root's /run about the machine's registrations is no licence to
        # change them: the machine's own setup keeps its note in the machine's /run.
        self.env["FAKE_NATIVE"] = "yes"
        self.binfmt_mounted(**{"qemu-i386": OUR_ENTRY, "box-i386": "disabled\n"})
        self.note(os.path.join(self.binfmt, "box-i386") + "\n")
        before = self.binfmt_files()
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        self.assertEqual(err, "")
        self.assertEqual(self.binfmt_files(), before)
        self.assertIsNotNone(self.noted())

    def test_check_names_the_machines_emulator(self):
        status, out, _ = self.run_script("i386_report")
        self.assertEqual(status, 0)
        self.assertTrue(out.startswith("emulated: the machine's /usr/bin/qemu-i386 runs 32-bit"), out)
        self.env["FAKE_PLAIN_STATUS"] = "126"
        status, out, _ = self.run_script("i386_report")
        self.assertEqual(status, 1)
        self.assertTrue(out.startswith("none: "), out)
        self.assertIn("on the machine itself, outside this chroot", out)


class OnTheMachinesOwnRoot(Machine):
    def test_a_container_without_binfmt_misc_uses_the_machines_emulation(self):
        # Its / is a mount, but binfmt_misc is not mounted and 32-bit programs run:
        # the registration was made outside, and is not this root's to change.
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        self.assertIn("the machine's emulation", err)
        self.assertNotIn("install-qemu", self.calls())
        self.assertFalse(any(c.startswith("mount") for c in self.calls()))

    def test_it_registers_qemu_and_disables_another_i386_registration_noting_it(self):
        self.binfmt_mounted(**{"box-i386": OTHER_ENTRY})
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        self.assertIn("runs under QEMU 10.0.2 emulation (this machine cannot run 32-bit", err)
        self.assertIn("install-qemu", self.calls())
        files = self.binfmt_files()
        self.assertEqual(files["box-i386"], "0\n")
        self.assertTrue(files["register"].startswith(":qemu-i386:M::\\x7fELF"), files["register"])
        self.assertTrue(files["register"].endswith(":/usr/bin/qemu-i386:F"), files["register"])
        self.assertEqual(self.noted(), os.path.join(self.binfmt, "box-i386") + "\n")

    def test_a_native_run_after_a_forced_one_gives_back_what_it_disabled(self):
        self.env["FAKE_NATIVE"] = "yes"
        self.binfmt_mounted(**{"qemu-i386": OUR_ENTRY, "box-i386": "disabled\n"})
        self.note(os.path.join(self.binfmt, "box-i386") + "\n")
        status, _, err = self.setup()
        self.assertEqual(status, 0, err)
        files = self.binfmt_files()
        self.assertEqual(files["qemu-i386"], "-1\n")
        self.assertEqual(files["box-i386"], "1\n")
        self.assertIsNone(self.noted())


class WhichRoot(Machine):
    def another_root(self):
        status, _, _ = self.run_script("i386_in_another_root")
        return status == 0

    def test_a_root_is_the_machines_when_something_is_mounted_at_its_top(self):
        self.assertFalse(self.another_root())
        self.mounts(CHROOT_MOUNTS)
        self.assertTrue(self.another_root())
        # Without /proc a root cannot tell, and counts as another.
        os.remove(os.path.join(self.root, "mountinfo"))
        self.assertTrue(self.another_root())

    def test_the_real_mount_table_is_read_as_python_reads_it(self):
        with open("/proc/self/mountinfo") as table:
            mounted_at_top = any(line.split()[4] == "/" for line in table)
        done = subprocess.run(["bash", "-c", f'. "{SCRIPTS}/apt-mirror.sh"; '
                               f'. "{SCRIPTS}/i386-emulation.sh"; i386_in_another_root'])
        self.assertEqual(done.returncode != 0, mounted_at_top)

if __name__ == "__main__":
    unittest.main(verbosity=1)
