#!/usr/bin/env python3
"""Writes demo/vase.obj, the model of the demo: a turned vase with a base plate, a
handle and a tilted axis line, about 3300 vertices in four objects. Deterministic:
running it again gives the same file byte for byte.

    demo/make_model.py [OUTPUT]      default: vase.obj next to this script
"""
import math
import os
import sys

SEGMENTS = 64  # around the vase
RINGS = 40  # up the vase


def fmt(x):
    text = f"{x:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def profile(t):
    """Radius of the vase at height fraction t (0 foot, 1 rim)."""
    return 1.6 + 1.4 * math.sin(math.pi * (0.15 + 0.85 * t)) ** 2 - 0.5 * t + 0.25 * t ** 6


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "vase.obj")
    lines = ["# Gridwell demo model: made by demo/make_model.py", "mtllib vase.mtl"]
    base = 0  # vertices written so far; OBJ numbers them from 1

    # The body: rings of quads, open at the top, the rim at y = 10.
    lines += ["o body", "usemtl glaze", "s 1"]
    for r in range(RINGS):
        t = r / (RINGS - 1)
        radius = profile(t)
        for s in range(SEGMENTS):
            a = 2 * math.pi * s / SEGMENTS
            lines.append(f"v {fmt(radius * math.cos(a))} {fmt(10 * t)} {fmt(radius * math.sin(a))}")
    for r in range(RINGS):
        lines.append(f"vt 0 {fmt(r / (RINGS - 1))}")
    for r in range(RINGS - 1):
        for s in range(SEGMENTS):
            a = base + r * SEGMENTS + s + 1
            b = base + r * SEGMENTS + (s + 1) % SEGMENTS + 1
            lines.append(f"f {a}/{r + 1} {b}/{r + 1} {b + SEGMENTS}/{r + 2} {a + SEGMENTS}/{r + 2}")
    base += RINGS * SEGMENTS

    # The base plate: a disc of four rings and a centre, closed with a fan (triangles)
    # and quads.
    lines += ["o base", "usemtl wood", "s off", f"v 0 -0.3 0"]
    centre = base + 1
    for ring in range(1, 5):
        radius = 0.9 * ring
        for s in range(SEGMENTS):
            a = 2 * math.pi * s / SEGMENTS
            lines.append(f"v {fmt(radius * math.cos(a))} -0.3 {fmt(radius * math.sin(a))}")
    for s in range(SEGMENTS):
        lines.append(f"f {centre} {centre + 1 + (s + 1) % SEGMENTS} {centre + 1 + s}")
    for ring in range(3):
        first = centre + 1 + ring * SEGMENTS
        for s in range(SEGMENTS):
            a, b = first + s, first + (s + 1) % SEGMENTS
            lines.append(f"f {a} {b} {b + SEGMENTS} {a + SEGMENTS}")
    base += 1 + 4 * SEGMENTS

    # The handle: part of a torus on the +x side, its tube 16 sides round.
    lines += ["o handle", "usemtl glaze"]
    arc, tube = 32, 16
    for i in range(arc):
        u = -0.45 * math.pi + 0.9 * math.pi * i / (arc - 1)
        cx, cy = 3.3 + 1.4 * math.cos(u), 6 + 2.2 * math.sin(u)
        for j in range(tube):
            w = 2 * math.pi * j / tube
            x = cx + 0.25 * math.cos(w) * math.cos(u)
            y = cy + 0.25 * math.cos(w) * math.sin(u)
            z = 0.25 * math.sin(w)
            lines.append(f"v {fmt(x)} {fmt(y)} {fmt(z)}")
    for i in range(arc - 1):
        for j in range(tube):
            a = base + i * tube + j + 1
            b = base + i * tube + (j + 1) % tube + 1
            lines.append(f"f {a} {b} {b + tube} {a + tube}")
    base += arc * tube

    # The axis: a tilted line through the vase, for setting a local frame.
    lines += ["o axis", "# from the foot's centre, leaning towards +x", "v 0 0 0", "v 1.5 12 0",
              "l -2 -1"]

    with open(out, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
