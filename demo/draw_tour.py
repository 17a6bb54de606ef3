#!/usr/bin/env python3
"""Draws a tour as a picture: the model in three orthographic views (front, side,
top) and enlarged round what the tour moved, with the vertices it moved as loaded and
after each step, each state in a colour of its own and with a legend. gnuplot does the
drawing.

    demo/draw_tour.py OUTPUT.png SCENARIO [--show OBJECT "LABEL"]

The states come from the scenario itself: its 'load-obj' is the model as loaded, each
'record "LABEL"' names a state, and the first 'save-obj' after it is that state's model
(the first record, before anything is saved, names the model as loaded). A vertex counts
as moved when any state has it somewhere else. Paths are as the scenario gives them,
from the folder the tour runs in. --show draws one object of the model (by its 'o'
name) dashed and in the legend, such as the line an axis was set from.
"""
import os
import shlex
import subprocess
import sys
import tempfile

# A colour for each state; the model in a light grey behind them, the shown object red.
COLOURS = ["#000000", "#1f77b4", "#ff7f0e", "#2ca02c", "#9467bd", "#8c564b"]
MODEL_COLOUR = "#c8c8c8"
SHOWN_COLOUR = "#d62728"

# (title, horizontal axis, vertical axis, direction of each): front looks along -Z (X
# right, Y up), side along -X (Z growing to the left, Y up), top down -Y (X right, Z
# growing downwards), so the three read as one model turned in the hand.
VIEWS = [
    ("front (looking along -Z)", 0, 1, 1, 1),
    ("side (looking along -X)", 2, 1, -1, 1),
    ("top (looking down -Y)", 0, 2, 1, -1),
]
AXIS_NAMES = "XYZ"


def read_obj(path):
    """The file's vertices in file order, and its edges as (a, b, object name)."""
    vertices, edges, seen, name = [], [], set(), ""
    with open(path) as obj:
        for line in obj:
            parts = line.split()
            if not parts:
                continue
            if parts[0] in ("o", "g"):
                name = " ".join(parts[1:])
            elif parts[0] == "v":
                vertices.append(tuple(float(c) for c in parts[1:4]))
            elif parts[0] in ("f", "l"):
                refs = []
                for ref in parts[1:]:
                    n = int(ref.split("/")[0])
                    refs.append(n - 1 if n > 0 else len(vertices) + n)
                pairs = zip(refs, refs[1:] + refs[:1]) if parts[0] == "f" else zip(refs, refs[1:])
                for a, b in pairs:
                    key = (min(a, b), max(a, b))
                    if key not in seen:
                        seen.add(key)
                        edges.append((key[0], key[1], name))
    return vertices, edges


def write_block(out, vertices, edges):
    """One gnuplot data block: each edge's two ends, a blank line after each edge."""
    for a, b, _ in edges:
        out.write("%.6g %.6g %.6g\n%.6g %.6g %.6g\n\n" % (vertices[a] + vertices[b]))
    out.write("\n\n")


def tour_states(scenario):
    """(label, OBJ file) of each state the scenario records, the loaded model first."""
    loaded, states, label = None, [], None
    with open(scenario) as steps:
        for line in steps:
            words = shlex.split(line, comments=True)
            if len(words) != 2:
                continue
            verb, argument = words
            if verb == "load-obj":
                loaded = argument
            elif verb == "record":
                if loaded is not None and not states:
                    states.append((argument, loaded))
                else:
                    label = argument
            elif verb == "save-obj" and label is not None:
                states.append((label, argument))
                label = None
    if loaded is None or len(states) < 2:
        sys.exit(f"draw_tour: {scenario} loads no model or saves no state after it")
    return states


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def main(argv):
    args = argv[1:]
    shown = None
    if len(args) == 5 and args[2] == "--show":
        shown, args = (args[3], args[4]), args[:2]
    if len(args) != 2:
        sys.exit(__doc__)
    output = args[0]
    files = tour_states(args[1])
    loaded, edges = read_obj(files[0][1])
    states = []
    for label, path in files:
        vertices, _ = read_obj(path)
        if len(vertices) != len(loaded):
            sys.exit(f"draw_tour: {path} has {len(vertices)} vertices, {files[0][1]} {len(loaded)}")
        states.append((label, vertices))
    moved = {i for _, vertices in states[1:] for i, p in enumerate(vertices) if p != loaded[i]}
    if not moved:
        sys.exit("draw_tour: no step moved a vertex")
    moved_edges = [e for e in edges if e[0] in moved and e[1] in moved]
    shown_edges = [e for e in edges if shown and e[2] == shown[0]]
    if shown and not shown_edges:
        sys.exit(f"draw_tour: the model has no object {shown[0]!r} with edges")

    # Later states are drawn over earlier ones, each a little thinner, so that a state
    # that lies exactly on an earlier one in a view still shows as a rim around it.
    widths = [1.5 + 1.5 * (len(states) - 1 - i) for i in range(len(states))]
    with tempfile.TemporaryDirectory() as work:
        data = os.path.join(work, "tour.dat")
        with open(data, "w") as out:
            write_block(out, loaded, edges)  # 0: the whole model as loaded
            write_block(out, loaded, shown_edges or edges[:0])  # 1: the shown object
            for _, vertices in states:  # 2...: the moved part in each state
                write_block(out, vertices, moved_edges)
        styles = [f"lc rgb '{MODEL_COLOUR}' lw 0.6", f"lc rgb '{SHOWN_COLOUR}' lw 1.5 dt 2"]
        styles += [f"lc rgb '{COLOURS[i % len(COLOURS)]}' lw {w:.1f}" for i, w in enumerate(widths)]
        titles = ["the model as loaded", shown[1] if shown else None] + [l for l, _ in states]
        blocks = [i for i in range(len(styles)) if i != 1 or shown]

        # The three views and the front view enlarged round the moved vertices, two by
        # two, the legend in a strip of its own below them.
        low = [min(v[i][axis] for _, v in states for i in moved) for axis in (0, 1)]
        high = [max(v[i][axis] for _, v in states for i in moved) for axis in (0, 1)]
        margin = 0.15 * max(high[0] - low[0], high[1] - low[1])
        panels = [(VIEWS[0], "", 0.0, 0.55), (VIEWS[1], "", 0.5, 0.55), (VIEWS[2], "", 0.0, 0.12),
                  (("front, enlarged round the moved vertices", 0, 1, 1, 1),
                   f"[{low[0] - margin:.3f}:{high[0] + margin:.3f}]"
                   f"[{low[1] - margin:.3f}:{high[1] + margin:.3f}]", 0.5, 0.12)]
        commands = [
            'set terminal pngcairo size 1200,1200 font "DejaVu Sans,11"',
            f"set output {quote(output)}",
            f"data = {quote(data)}",
            f'set multiplot title "The tour: the {len(moved)} vertices it moved, as loaded '
            'and after each step" font ",13"',
            "set tics nomirror out scale 0.5",
            "set clip two",  # a line through an enlarged view, both its ends outside
            "set grid lc rgb '#eeeeee'",
            "unset key",
        ]
        for (title, h, v, sh, sv), ranges, x0, y0 in panels:
            # An axis that runs the other way is drawn reversed, so its ticks stay true.
            using = f"{h + 1}:{v + 1}"
            commands += [f"set origin {x0},{y0}", "set size 0.5,0.42", "set size ratio -1",
                         f"set xrange [*:*] {'reverse' if sh < 0 else 'noreverse'}",
                         f"set yrange [*:*] {'reverse' if sv < 0 else 'noreverse'}",
                         f'set title "{title}"', f'set xlabel "{AXIS_NAMES[h]}"',
                         f'set ylabel "{AXIS_NAMES[v]}" norotate',
                         f"plot {ranges} " + ", ".join(
                             f"data index {i} using {using} with lines {styles[i]}" for i in blocks)]
        commands += ["set origin 0,0", "set size 1,0.1", "set size noratio", "unset title",
                     "unset xlabel", "unset ylabel",
                     "unset border", "unset tics", "unset grid", "set xrange [0:1]",
                     "set yrange [0:1]",
                     "set key center center horizontal maxcols 3 noenhanced samplen 3 width 3",
                     "plot " + ", ".join(f"NaN with lines {styles[i]} title {quote(titles[i])}"
                                         for i in blocks),
                     "unset multiplot"]
        subprocess.run(["gnuplot"], input="\n".join(commands) + "\n", text=True, check=True)
    print(f"draw_tour: {output}")


if __name__ == "__main__":
    main(sys.argv)
