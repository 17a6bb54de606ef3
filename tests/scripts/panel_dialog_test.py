#!/usr/bin/python3
"""resources/make_panel_dialog.py: how it reads the layout table, what it refuses,
and the dialog script it writes. (The Windows tests compare the DLL's template, which
the build writes with it, with the table control by control.)

  panel_dialog_test.py SOURCE_DIR"""
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = os.path.abspath(sys.argv.pop(1))
SCRIPT = os.path.join(SOURCE_DIR, "resources/make_panel_dialog.py")
sys.dont_write_bytecode = True  # leaves nothing in the source tree
sys.path.insert(0, os.path.dirname(SCRIPT))
import make_panel_dialog as mpd  # noqa: E402  (found only once its folder is on the path)

TABLE = """\
// A comment, then rows of both kinds.
UNNAMED_CONTROL(kGroupBox, "移動", 64, 1, 288, 88, 0)
NAMED_CONTROL(Global, 1013, kAutoRadio, "Global", 2, 1, 32, 13, kStartsGroup)

NAMED_CONTROL(RearView, 1010, kPushButton, "RearView", 123, 74, 33, 14, kHidden | kClipsSiblings)
#undef NAMED_CONTROL
"""


class ReadsTheTable(unittest.TestCase):
    def test_rows_in_order_with_names_ids_and_flags(self):
        rows = mpd.parse_table(TABLE)
        self.assertEqual([(r.name, r.id, r.kind, r.label) for r in rows], [
            ("", 65535, "kGroupBox", "移動"),
            ("Global", 1013, "kAutoRadio", "Global"),
            ("RearView", 1010, "kPushButton", "RearView"),
        ])
        self.assertEqual(rows[2].flags, "kHidden | kClipsSiblings")

    def test_a_line_it_cannot_read_is_an_error_naming_the_line(self):
        # Each would otherwise be a control silently missing from the dialog.
        for line in (
            'NAMED_CONTROL(Move, 1008, kPushButton, "移動", 66, 73, 30, 14)',  # no flags
            'NAMED_CONTROL(Move, 1008, kPushButton, "a\\"b", 66, 73, 30, 14, 0)',  # a quote
            'NAMED_CONTROL(Move, 1008, kPushButton, "移動",\n 66, 73, 30, 14, 0)',  # two lines
            'CONTROL(Move, 1008, kPushButton, "移動", 66, 73, 30, 14, 0)',
        ):
            with self.subTest(line=line):
                with self.assertRaisesRegex(mpd.LayoutError, r"^t\.inc:2: not a row"):
                    mpd.parse_table("// first\n" + line + "\n", "t.inc")

    def test_an_unknown_kind_or_flag_is_an_error(self):
        with self.assertRaisesRegex(mpd.LayoutError, "no control kind kComboBox"):
            mpd.parse_table('NAMED_CONTROL(A, 1, kComboBox, "", 0, 0, 1, 1, 0)\n')
        with self.assertRaisesRegex(mpd.LayoutError, "no flag kDisabled"):
            mpd.parse_table('NAMED_CONTROL(A, 1, kPushButton, "", 0, 0, 1, 1, kDisabled)\n')


class WritesTheScript(unittest.TestCase):
    def test_one_control_line_per_row_with_the_styles_of_its_kind_and_flags(self):
        panel = {"template": "129", "rect": ("0", "0", "413", "92"), "title": "T",
                 "points": "9", "font": "F"}
        script = mpd.dialog_script(panel, mpd.parse_table(TABLE)).splitlines()
        self.assertEqual(script[3], "129 DIALOG 0, 0, 413, 92")
        begin = script.index("BEGIN")
        self.assertEqual(script[begin + 1:], [
            '  CONTROL "移動", 65535, "Button", BS_GROUPBOX, 64, 1, 288, 88',
            '  CONTROL "Global", 1013, "Button", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 2, 1, 32, 13',
            '  CONTROL "RearView", 1010, "Button", BS_PUSHBUTTON | WS_TABSTOP | NOT WS_VISIBLE'
            " | WS_CLIPSIBLINGS, 123, 74, 33, 14",
            "END",
        ])

    def test_the_real_table_gives_a_control_per_row_and_the_panels_properties(self):
        panel, rows = mpd.read_layout(pathlib.Path(SOURCE_DIR))
        with tempfile.TemporaryDirectory() as work:
            output = os.path.join(work, "panel_dialog.rc")
            subprocess.run([sys.executable, SCRIPT, output], check=True)
            with open(output, encoding="utf-8") as script:
                text = script.read()
        self.assertIn(f"{panel['template']} DIALOG {', '.join(panel['rect'])}\n", text)
        self.assertIn(f'CAPTION "{panel["title"]}"\n', text)
        ids = [int(line.split(", ")[1]) for line in text.splitlines() if line.startswith("  CONTROL")]
        self.assertEqual(ids, [r.id for r in rows])
        named = [r.name for r in rows if r.name]
        self.assertEqual(len(named), len(set(named)), "two rows of one name")
        self.assertIn("MoveX", named)


if __name__ == "__main__":
    unittest.main(verbosity=1)
