#!/usr/bin/env python3
"""Writes panel_dialog.rc, dialog template 129, from the control table in
panel/layout.cpp and the panel's own properties in panel/layout.h (template number,
control count, position and size, title, font). Run it after changing either; the
Windows tests check that the template and the table agree control by control."""
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
PANEL = {
    "template": r"constexpr int kPanelTemplateId = (\d+);",
    "count": r"constexpr int kPanelControlCount = (\d+);",
    "title": r'kPanelTitle = "([^"]*)";',
    "font": r'kPanelFontFace = "([^"]*)";',
    "points": r"constexpr int kPanelFontPointSize = (\d+);",
    "rect": r"constexpr DialogRect kPanelRect = \{(\d+), (\d+), (\d+), (\d+)\};",
}
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


def panel_properties():
    header = (ROOT / "panel/layout.h").read_text(encoding="utf-8")
    found = {}
    for name, pattern in PANEL.items():
        match = re.search(pattern, header)
        assert match, f"panel/layout.h: no {name} ({pattern})"
        found[name] = match.groups() if len(match.groups()) > 1 else match.group(1)
    return found


def main():
    panel = panel_properties()
    rows = ROW.findall((ROOT / "panel/layout.cpp").read_text(encoding="utf-8"))
    assert len(rows) == int(panel["count"]), f"expected {panel['count']} controls, found {len(rows)}"
    lines = [
        f"// Dialog template {panel['template']}, the panel. Written by make_panel_dialog.py from the",
        "// control table in panel/layout.cpp; edit the table, not this file.",
        "",
        f"{panel['template']} DIALOG {', '.join(panel['rect'])}",
        "STYLE DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU",
        "EXSTYLE WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT",
        f'CAPTION "{panel["title"]}"',
        f'FONT {panel["points"]}, "{panel["font"]}"',
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
