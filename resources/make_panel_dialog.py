#!/usr/bin/env python3
"""Writes panel_dialog.rc, dialog template 129, from the control table in
panel/layout.cpp. Run it after changing the table; the Windows tests check that the
template and the table agree control by control."""
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
ROW = re.compile(r'\{(\d+), (\d+), ControlKind::(\w+), "([^"]*)", \{(\d+), (\d+), (\d+), (\d+)\}, (\w+)\}')

CLASS_AND_STYLE = {
    "kGroupBox": ("Button", "BS_GROUPBOX"),
    "kStaticLabel": ("Static", "SS_LEFT | WS_GROUP"),
    "kAutoRadio": ("Button", "BS_AUTORADIOBUTTON | WS_TABSTOP"),
    "kPushButton": ("Button", "BS_PUSHBUTTON | WS_TABSTOP"),
    "kDefaultPushButton": ("Button", "BS_DEFPUSHBUTTON | WS_TABSTOP"),
    "kEditableField": ("Edit", "ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP"),
    "kReadOnlyField": ("Edit", "ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | ES_READONLY"),
}


def main():
    rows = ROW.findall((ROOT / "panel/layout.cpp").read_text(encoding="utf-8"))
    assert len(rows) == 71, f"expected 71 controls, found {len(rows)}"
    lines = [
        "// Dialog template 129, the panel. Written by make_panel_dialog.py from the",
        "// control table in panel/layout.cpp; edit the table, not this file.",
        "",
        "129 DIALOG 0, 0, 413, 92",
        "STYLE DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU",
        "EXSTYLE WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT",
        'CAPTION "Gridwell 0.7"',
        'FONT 9, "MS UI Gothic"',
        "BEGIN",
    ]
    for order, (index, cid, kind, label, x, y, cx, cy, flags) in enumerate(rows):
        assert int(index) == order
        cls, style = CLASS_AND_STYLE[kind]
        if "kStartsGroup" in flags:
            style += " | WS_GROUP"
        if "kHidden" in flags:
            style += " | NOT WS_VISIBLE"
        if "kClipsSiblings" in flags:
            style += " | WS_CLIPSIBLINGS"
        lines.append(f'  CONTROL "{label}", {cid}, "{cls}", {style}, {x}, {y}, {cx}, {cy}')
    lines.append("END")
    (ROOT / "resources/panel_dialog.rc").write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
