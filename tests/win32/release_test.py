#!/usr/bin/env python3
# What scripts/package.sh promises of the release archive, tested with the programs of a MinGW tree
# standing in for its Release builds; last, the archive unpacked below PARENT into a folder whose
# name holds a blank and a non-ASCII letter, for ArchiveTest.cpp.
#
#     release_test.py SOURCES TREE VERSION PARENT
#     release_test.py --stand-in TREE SOURCES BUILD    (the build package.sh calls)
import hashlib, os, shutil, subprocess, sys, tempfile, unittest, zipfile  # noqa: E401

ENTRIES = ["LICENSE", "README.txt", "SHA256SUMS", "tpath.exe", "twinpath.exe"]
PROGRAMS = {"twinpath.exe": "win32", "tpath.exe": "cli"}


def read(*path):
    with open(os.path.join(*path), "rb") as file:
        return file.read()


# Copies the tree's programs into BUILD; with LEAK set, the sources' folder reaches twinpath.exe.
def stand_in(tree, sources, build):
    for name, folder in {**PROGRAMS, "version.h": "win32"}.items():
        os.makedirs(os.path.join(build, folder), exist_ok=True)
        leak = sources.encode() if name == "twinpath.exe" and os.environ.get("LEAK") else b""
        with open(os.path.join(build, folder, name), "wb") as target:
            target.write(read(tree, folder, name) + leak)


def package(dist, *args, leak=False):
    env = dict(os.environ, TWINPATH_DIST=dist, LEAK="1" if leak else "",
               TWINPATH_PACKAGE_BUILD=f"{sys.executable} {os.path.abspath(__file__)} --stand-in {TREE}")
    return subprocess.run(["bash", os.path.join(SOURCES, "scripts", "package.sh"), *args], env=env,
                          capture_output=True, text=True)


class ReleaseArchiveTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dist = os.path.join(WORK, "dist")
        cls.made = package(cls.dist)
        cls.names = os.listdir(cls.dist)
        cls.path = os.path.join(cls.dist, cls.names[0])
        cls.zip = zipfile.ZipFile(cls.path)

    def test_is_named_with_the_version_its_sha256_printed_and_holds_its_entries_in_name_order(self):
        self.assertEqual(self.names, [f"twinpath-{VERSION}-win-x64.zip"], self.made.stderr)
        self.assertEqual(self.made.stdout, f"{hashlib.sha256(read(self.path)).hexdigest()}  {self.names[0]}\n")
        self.assertEqual(self.zip.namelist(), ENTRIES)
        for name, folder in PROGRAMS.items():
            self.assertEqual(self.zip.read(name), read(TREE, folder, name), name)

    def test_readme_is_the_user_part_with_cr_lf(self):
        user, rest = read(SOURCES, "README.md").decode().split("<!-- Everything above is the user part", 1)
        text = self.zip.read("README.txt").decode("utf-8-sig")
        self.assertNotIn("\n", text.replace("\r\n", ""))
        # Lines without Markdown marks come as they are; none of the part after the user's.
        plain = [[line for line in part.splitlines() if line.strip() and not set(line) & set("`*[]|#!\\<")]
                 for part in (user, rest)]
        for line in plain[0]:
            self.assertIn(line + "\r\n", text)
        for line in set(plain[1]) - set(plain[0]):
            self.assertNotIn(line, text)

    def test_sha256sums_gives_each_other_entry_its_hash(self):
        self.assertEqual(self.zip.read("SHA256SUMS").decode(),
                         "".join(f"{hashlib.sha256(self.zip.read(name)).hexdigest()}  {name}\r\n"
                                 for name in ENTRIES if name != "SHA256SUMS"))

    def test_entries_are_dated_1980_deflated_without_unix_attributes_or_extra_fields(self):
        data = read(self.path)
        for info in self.zip.infolist():
            local_extra = int.from_bytes(data[info.header_offset + 28:info.header_offset + 30], "little")
            self.assertEqual((info.date_time, info.compress_type, info.create_system, info.extra, local_extra),
                             ((1980, 1, 1, 0, 0, 0), zipfile.ZIP_DEFLATED, 0, b"", 0), info.filename)

    def test_check_fails_when_the_two_builds_differ(self):
        self.assertEqual(package(os.path.join(WORK, "same"), "--check").returncode, 0)
        differing = package(os.path.join(WORK, "differing"), "--check", leak=True)
        self.assertNotEqual(differing.returncode, 0)
        self.assertRegex(differing.stderr, r"differ; entries: SHA256SUMS, twinpath\.exe")


if __name__ == "__main__":
    if sys.argv[1] == "--stand-in":
        sys.exit(stand_in(*sys.argv[2:]))
    SOURCES, TREE, VERSION, PARENT = sys.argv[1:]
    shutil.rmtree(PARENT, ignore_errors=True)
    with tempfile.TemporaryDirectory() as WORK:
        result = unittest.main(argv=sys.argv[:1], exit=False).result
        if result.wasSuccessful():
            ReleaseArchiveTest.zip.extractall(os.path.join(PARENT, "Twinpath \u00e9t\u00e9"))
    sys.exit(not result.wasSuccessful())
