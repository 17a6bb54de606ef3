#!/usr/bin/python3
"""The release zip's BUILDINFO, as scripts/package writes it for a checkout: it must
name the commit (and say so when the checkout differs from it), the Debian release,
and a version for every package whose version decides the bytes, each of which setup
has installed on this release.

  buildinfo_test.py SOURCE_DIR BUILD_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR, BUILD_DIR = sys.argv[1:3]
del sys.argv[1:3]


def run(*command, cwd=None):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True, check=True).stdout


class BuildInfo(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not os.path.exists(os.path.join(SOURCE_DIR, ".git")):
            raise unittest.SkipTest("not a git checkout")
        # A clone with this checkout's scripts/package committed: the script describes
        # the checkout it lives in, and this one may hold uncommitted changes.
        cls.root = tempfile.mkdtemp()
        cls.clone = os.path.join(cls.root, "gridwell")
        run("git", "clone", "-q", SOURCE_DIR, cls.clone)
        shutil.copy(os.path.join(SOURCE_DIR, "scripts/package"), os.path.join(cls.clone, "scripts"))
        run("git", "-c", "user.name=test", "-c", "user.email=test@example.org", "commit", "-q",
            "--allow-empty", "-am", "scripts/package as checked out", cwd=cls.clone)
        cls.commit = run("git", "rev-parse", "HEAD", cwd=cls.clone).strip()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root)

    def buildinfo(self):
        return subprocess.run([os.path.join(self.clone, "scripts/package"), "--buildinfo"],
                              cwd=self.clone, env=dict(os.environ, GRIDWELL_VERSION_BUILD=BUILD_DIR),
                              capture_output=True, text=True, check=True).stdout

    def test_names_the_commit_and_the_zip(self):
        text = self.buildinfo()
        self.assertIn(f"\nCommit: {self.commit}\n", text)
        with open(os.path.join(BUILD_DIR, "version.txt")) as version:
            self.assertTrue(text.startswith(f"Gridwell {version.read().strip()}, Gridwell-"), text)

    def test_a_changed_checkout_is_not_passed_off_as_its_commit(self):
        readme = os.path.join(self.clone, "README.md")
        with open(readme, "a") as out:
            out.write("\nchanged\n")
        try:
            self.assertIn(f"\nCommit: {self.commit}, with uncommitted changes: not to be rebuilt\n",
                          self.buildinfo())
        finally:
            run("git", "checkout", "-q", "README.md", cwd=self.clone)

    def test_names_this_debian_release_but_not_its_point_release(self):
        with open("/etc/os-release") as release:
            fields = dict(re.findall(r'^(\w+)="?([^"\n]*)"?$', release.read(), re.M))
        self.assertIn(f"\nDebian: {fields['VERSION_ID']} ({fields['VERSION_CODENAME']}), amd64\n",
                      self.buildinfo())

    def test_every_tool_is_installed_with_a_version(self):
        tools = dict(re.findall(r"^  (\S+) +(\S.*)$", self.buildinfo(), re.M))
        for edition in ("i686", "x86-64"):
            for kind in ("gcc-mingw-w64-{}-posix", "g++-mingw-w64-{}-posix",
                         "binutils-mingw-w64-{}", "mingw-w64-{}-dev"):
                self.assertIn(kind.format(edition), tools)
        for tool, version in tools.items():
            installed = run("dpkg-query", "-W", "-f=${Version}", tool)
            self.assertEqual(version, installed, tool)


if __name__ == "__main__":
    unittest.main(verbosity=1)
