#!/usr/bin/env python3
"""Writes dialog template 129, the panel, as a resource script: one CONTROL line for
each row of the layout table (panel/layout_table.inc), in its order, and the panel's
own properties from panel/layout.h (template number, position and size, title, font).
The build runs it into the build tree before the resources are compiled; the Windows
tests compare the DLL's template with the table control by control.

  make_panel_dialog.py OUTPUT"""
import collections
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TABLE = "panel/layout_table.inc"
HEADER = "panel/layout.h"

PANEL = {
    "template": r"constexpr int kPanelTemplateId = (\d+);",
    "icon": r"constexpr int kPanelIconId = (\d+);",
    "title": r'kPanelTitle = "([^"]*)";',
    "font": r'kPanelFontFace = "([^"]*)";',
    "points": r"constexpr int kPanelFontPointSize = (\d+);",
    "rect": r"constexpr DialogRect kPanelRect = \{(\d+), (\d+), (\d+), (\d+)\};",
}

# One row to a line. A label holds no quote or backslash: C++ and the resource
# compiler escape those differently, and no label needs one.
_LABEL_AND_RECT = r'"([^"\\]*)", (\d+), (\d+), (\d+), (\d+), (\w+(?: \| \w+)*)\)'
NAMED = re.compile(r"NAMED_CONTROL\((\w+), (\d+), (\w+), " + _LABEL_AND_RECT)
UNNAMED = re.compile(r"UNNAMED_CONTROL\((\w+), " + _LABEL_AND_RECT)
UNNAMED_ID = 65535

Control = collections.namedtuple("Control", "name id kind label x y cx cy flags")

CLASS_AND_STYLE = {
    "kGroupBox": ("Button", "BS_GROUPBOX"),
    "kStaticLabel": ("Static", "SS_LEFT | WS_GROUP"),
    "kAutoRadio": ("Button", "BS_AUTORADIOBUTTON | WS_TABSTOP"),
    "kPushButton": ("Button", "BS_PUSHBUTTON | WS_TABSTOP"),
    "kDefaultPushButton": ("Button", "BS_DEFPUSHBUTTON | WS_TABSTOP"),
    "kEditableField": ("Edit", "ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP"),
    "kReadOnlyField": ("Edit", "ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | ES_READONLY"),
}
FLAG_STYLES = {
    "kStartsGroup": "WS_GROUP",
    "kHidden": "NOT WS_VISIBLE",
    "kClipsSiblings": "WS_CLIPSIBLINGS",
}


class LayoutError(Exception):
    pass


def parse_table(text, where=TABLE):
    """The rows of the layout table, in order. A line that is neither a row, a
    comment, an #undef nor blank is an error: a row misread would be a control
    missing from the dialog."""
    rows = []
    for number, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("//") or line.startswith("#undef "):
            continue
        named, unnamed = NAMED.fullmatch(line), UNNAMED.fullmatch(line)
        if named:
            name, cid, kind, label, x, y, cx, cy, flags = named.groups()
            control = Control(name, int(cid), kind, label, x, y, cx, cy, flags)
        elif unnamed:
            kind, label, x, y, cx, cy, flags = unnamed.groups()
            control = Control("", UNNAMED_ID, kind, label, x, y, cx, cy, flags)
        else:
            raise LayoutError(f"{where}:{number}: not a row of the table: {line}")
        if control.kind not in CLASS_AND_STYLE:
            raise LayoutError(f"{where}:{number}: no control kind {control.kind}")
        for flag in control.flags.split(" | "):
            if flag != "0" and flag not in FLAG_STYLES:
                raise LayoutError(f"{where}:{number}: no flag {flag}")
        rows.append(control)
    return rows


def parse_panel(text, where=HEADER):
    found = {}
    for name, pattern in PANEL.items():
        match = re.search(pattern, text)
        if not match:
            raise LayoutError(f"{where}: no {name} ({pattern})")
        found[name] = match.groups() if len(match.groups()) > 1 else match.group(1)
    return found


def read_layout(root=ROOT):
    """The panel's own properties and its controls, as the sources hold them."""
    panel = parse_panel((root / HEADER).read_text(encoding="utf-8"))
    rows = parse_table((root / TABLE).read_text(encoding="utf-8"))
    return panel, rows


def dialog_script(panel, rows):
    lines = [
        f"// Dialog template {panel['template']}, the panel. Written by make_panel_dialog.py from",
        f"// the layout table, {TABLE}; edit the table, not this file.",
        "",
        f"{panel['template']} DIALOG {', '.join(panel['rect'])}",
        "STYLE DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU",
        "EXSTYLE WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT",
        f'CAPTION "{panel["title"]}"',
        f'FONT {panel["points"]}, "{panel["font"]}"',
        "BEGIN",
    ]
    for c in rows:
        cls, style = CLASS_AND_STYLE[c.kind]
        flags = c.flags.split(" | ")
        for flag, extra in FLAG_STYLES.items():
            if flag in flags:
                style += " | " + extra
        lines.append(
            f'  CONTROL "{c.label}", {c.id}, "{cls}", {style}, {c.x}, {c.y}, {c.cx}, {c.cy}')
    lines.append("END")
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__.split("\n\n")[-1].strip())
    try:
        script = dialog_script(*read_layout())
    except LayoutError as error:
        sys.exit(f"make_panel_dialog.py: {error}")
    output = pathlib.Path(argv[1])
    # Rewritten only when it changes, so that an unchanged table compiles nothing.
    if not output.exists() or output.read_text(encoding="utf-8") != script:
        output.write_text(script, encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv)
