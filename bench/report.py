#!/usr/bin/env python3
"""Writes docs/PERFORMANCE.md and the plot's data from the benchmark results.

    report.py NATIVE_JSON PORTABLE_NATIVE_TSV PORTABLE_WINDOWS_TSV MACHINE_TXT OUT_DIR

NATIVE_JSON is Google Benchmark's JSON with repetitions; the portable files hold the
"result" lines of gridwell_portable_bench natively and under Wine.
"""
import json
import sys
from collections import defaultdict

native_json, portable_native, portable_windows, machine_txt, out_dir = sys.argv[1:6]

# --- Google Benchmark medians -------------------------------------------------
# name -> aggregate name ("median", "mean", ...) -> entry; scripts/bench asks Google
# Benchmark for the aggregates of its repetitions only.
runs = defaultdict(dict)
with open(native_json) as f:
    data = json.load(f)
for b in data["benchmarks"]:
    if b.get("run_type") == "aggregate":
        runs[b["run_name"]][b["aggregate_name"]] = b


def median(values):
    values = sorted(values)
    n = len(values)
    return values[n // 2] if n % 2 else (values[n // 2 - 1] + values[n // 2]) / 2


def to_ms(entry, key):
    unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry[key] * unit


rows = []  # one per (operation, selection, size)
for name, aggregates in runs.items():
    side, rest = name.split("/", 1)
    if side != "plugin" or "baseline/" + rest not in runs:
        continue
    plugin, base = aggregates, runs["baseline/" + rest]
    parts = rest.split("/")
    size = int(parts[-1])
    selection = "/".join(parts[-3:-1])
    operation = "/".join(parts[:-3])
    rows.append({
        "operation": operation,
        "selection": selection,
        "size": size,
        "vertices": int(plugin["median"]["vertices"]),
        "plugin_cpu": to_ms(plugin["median"], "cpu_time"),
        "baseline_cpu": to_ms(base["median"], "cpu_time"),
        "plugin_wall": to_ms(plugin["median"], "real_time"),
        "baseline_wall": to_ms(base["median"], "real_time"),
        # A mean above zero means some repetition allocated.
        "allocs": plugin["mean"]["allocs"],
        "first_allocs": plugin["mean"]["first_run_allocs"],
        "snapshot_bytes": plugin["median"]["snapshot_bytes"],
        "repetitions": plugin["median"]["repetitions"],
    })
order = {"RefreshReadouts": 0, "RefreshReadouts/Local": 1, "MoveSelection/Global": 2,
         "MoveSelection/Local": 3, "RotateSelection": 4, "SetSelectionAxis": 5,
         "SetLocalFrameFromSelection": 6}
rows.sort(key=lambda r: (order.get(r["operation"], 99), r["selection"], r["size"]))
for r in rows:
    r["ratio"] = r["plugin_cpu"] / r["baseline_cpu"]

by_case = defaultdict(dict)
for r in rows:
    by_case[(r["operation"], r["selection"])][r["size"]] = r


def read_portable(path):
    result = {}
    try:
        with open(path) as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                if len(fields) == 6 and fields[0] == "result":
                    result[(fields[1], int(fields[3]))] = (float(fields[4]), float(fields[5]))
    except OSError:
        pass
    return result


portable_n = read_portable(portable_native)
portable_w = read_portable(portable_windows)

# --- Targets --------------------------------------------------------------------
ratio_fail = [r for r in rows if r["ratio"] > 1.3]
refresh_1e5 = [r for r in rows if r["operation"].startswith("RefreshReadouts") and r["size"] == 100000]
refresh_slow = [r for r in refresh_1e5 if r["plugin_cpu"] >= 5.0]
growth = []
for (operation, selection), sizes in by_case.items():
    for small, large in ((10000, 100000), (100000, 1000000)):
        if small in sizes and large in sizes:
            a, b = sizes[small], sizes[large]
            per_vertex_growth = (b["plugin_cpu"] / a["plugin_cpu"]) * (a["vertices"] * 10 / b["vertices"])
            growth.append((operation, selection, small, large, b["plugin_cpu"] / a["plugin_cpu"],
                           per_vertex_growth))
growth_fail = [g for g in growth if g[5] > 11]
alloc_fail = [r for r in rows if r["size"] <= 100000 and (r["allocs"] > 0 or r["first_allocs"] > 0)]
big = [r for r in rows if r["size"] == 1000000]
big_allocs = [r for r in big if r["allocs"] > 0]
# Cumulative over the whole process: every untimed first run, where the snapshot grows.
growth_steps = max((r["first_allocs"] for r in rows), default=0)
# The buffer never shrinks: its size follows the largest document it has listed.
largest = max(big, key=lambda r: r["vertices"]) if big else None
bytes_per_vertex = [largest["snapshot_bytes"] / largest["vertices"]] if largest else []


def verdict(ok):
    return "**met**" if ok else "**not met**"


with open(machine_txt) as f:
    machine = f.read().strip()

out = []
w = out.append
w("# Performance")
w("")
w("What the plug-in costs on every document event and every click, measured by")
w("`scripts/bench`, which wrote this page. Each benchmark runs the plug-in's operation")
w("beside its **host-call baseline**: the same sequence of calls to the stand-in host,")
w("through function pointers bound by name as the plug-in binds them, with none of the")
w("plug-in's own work (`bench/host_call_baseline.cpp`). The ratio plug-in / baseline is")
w("what the plug-in adds to what any client of the host pays anyway.")
w("")
w("Documents are square grids of quads (`bench/quad_grid.cpp`) with half of them selected")
w("as faces, as lines (line 0 of every other face) or as vertices (every other one), in")
w("one object or spread over eight; the current object is framed by a turn and a move.")
w("")
w("## Machine")
w("")
w("```")
w(machine)
w("```")
w("")
w("The machine is shared with other work, so wall times are noisy. The figures below are")
w(f"medians over {rows[0]['repetitions'] if rows else 0} repetitions of **CPU time** of the benchmark process (Google Benchmark's")
w("`cpu_time`), taken in one run; wall-time medians are given beside them.")
w("")
w("## Targets")
w("")
w(f"| target | result |")
w(f"|---|---|")
worst = max(rows, key=lambda r: r["ratio"]) if rows else None
w(f"| plug-in at most 1.3 × its baseline at every size | {verdict(not ratio_fail)}: worst {worst['ratio']:.2f} ({worst['operation']}, {worst['selection']}, {worst['size']}); {len(ratio_fail)} of {len(rows)} cases above 1.3 |")
if refresh_1e5:
    fastest = min(refresh_1e5, key=lambda r: r["plugin_cpu"])
    slowest = max(refresh_1e5, key=lambda r: r["plugin_cpu"])
    w(f"| refresh of 10^5 vertices under 5 ms (median) | {verdict(not refresh_slow)}: {fastest['plugin_cpu']:.2f} ms to {slowest['plugin_cpu']:.2f} ms over the selections; baseline alone {min(r['baseline_cpu'] for r in refresh_1e5):.2f} to {max(r['baseline_cpu'] for r in refresh_1e5):.2f} ms |")
worst_growth = max(growth, key=lambda g: g[5]) if growth else None
if worst_growth:
    w(f"| linear: 10 × the vertices at most 11 × the time | {verdict(not growth_fail)}: worst {worst_growth[5]:.1f} × per 10 × vertices ({worst_growth[0]}, {worst_growth[1]}, {worst_growth[2]} → {worst_growth[3]}) |")
w(f"| no allocation per refresh or operation up to 100000 vertices | {verdict(not alloc_fail)}: {len(alloc_fail)} cases allocate |")
w(f"| beyond, only the one growth step | {verdict(growth_steps == 1 and not big_allocs)}: {int(growth_steps)} allocation in all untimed first runs of the whole process together (the growth to 10^6 entries), {len(big_allocs)} cases allocate in timed runs |")
w(f"| snapshot memory 12 bytes per vertex | {verdict(bytes_per_vertex == [12.0])}: {', '.join(f'{b:.2f}' for b in bytes_per_vertex)} bytes per vertex of the largest document ({int(largest['snapshot_bytes']) if largest else 0} bytes for {largest['vertices'] if largest else 0} vertices); the buffer never shrinks, and below 100000 vertices it keeps its initial 1.2 MB |")
w("")
w("## Native results")
w("")
w("| operation | selection | vertices | plug-in ms | baseline ms | ratio | plug-in ns/vertex | wall ms (plug-in / baseline) | allocs/op |")
w("|---|---|---:|---:|---:|---:|---:|---:|---:|")
for r in rows:
    w(f"| {r['operation']} | {r['selection']} | {r['vertices']} | {r['plugin_cpu']:.3f} | {r['baseline_cpu']:.3f} | {r['ratio']:.2f} | {r['plugin_cpu'] * 1e6 / r['vertices']:.1f} | {r['plugin_wall']:.2f} / {r['baseline_wall']:.2f} | {r['allocs']:g} |")
w("")
w("Growth from one size to the next (time ratio, and the same per 10 × vertices, since")
w("grids round the vertex count down to whole squares):")
w("")
w("| operation | selection | sizes | time × | per 10 × vertices |")
w("|---|---|---|---:|---:|")
for g in sorted(growth, key=lambda g: (order.get(g[0], 99), g[1], g[2])):
    w(f"| {g[0]} | {g[1]} | {g[2]} → {g[3]} | {g[4]:.2f} | {g[5]:.2f} |")
w("")
w("![time per vertex against size](performance.png)")
w("")
w("## Windows (under Wine) against native")
w("")
w("`gridwell_portable_bench` loads the plug-in as a host does (natively `libgridwell.so`")
w("with its headless panel, on Windows `Gridwell.dll` with its real dialog, driven by")
w("window messages, under Wine) and times each operation with `steady_clock`: median wall")
w("time of interleaved repetitions, faces selected in one object.")
w("")
if portable_n and portable_w:
    w("| operation | vertices | native plug-in ms | Windows plug-in ms | Windows / native | native baseline ms | Windows baseline ms | Windows / native |")
    w("|---|---:|---:|---:|---:|---:|---:|---:|")
    ratios = []
    for key in sorted(portable_n, key=lambda k: (order.get(k[0], 99), k[1])):
        if key not in portable_w:
            continue
        (np, nb), (wp, wb) = portable_n[key], portable_w[key]
        ratios.append(wp / np)
        w(f"| {key[0]} | {key[1]} | {np:.3f} | {wp:.3f} | {wp / np:.2f} | {nb:.3f} | {wb:.3f} | {wb / nb:.2f} |")
    if ratios:
        w("")
        w(f"Median Windows / native ratio of the plug-in's times: {median(ratios):.2f}. On Windows")
        w("every refresh writes the readouts into the real dialog's edit controls (thirteen")
        w("`SetWindowTextA` calls, each a round trip to the window system under Wine), a")
        w("fixed cost of a few milliseconds that dominates at 10^4 vertices; the headless")
        w("panel writes strings in memory. From 10^5 vertices on, the per-vertex work")
        w("dominates and the two builds come close.")
else:
    w("(No Windows figures: the Wine run did not produce results.)")
w("")
w("## Where the time goes, and what was changed")
w("")
w("- The stand-in host answers each call by real lookups, as a modeller's would: the")
w("  document by its handle, objects by index, object handles checked against the set of")
w("  live objects (the handle last found live is answered without a search, since a")
w("  plug-in asks about one object many times in a row). It finds itself and its")
w("  document through references bound at load rather than a guarded lookup per call,")
w("  and keeps selection flags as bytes rather than packed bits. In one A/B run the")
w("  baseline of a 10^5-vertex refresh fell from 5.5 to 3.5 ms (faces) and from 10.0 to")
w("  7.1 ms (lines). A cheaper host makes the plug-in's own share larger, so the ratios")
w("  to the baseline went up while the times went down.")
w("- The readouts measure only the frame the panel shows, and the per-vertex point")
w("  arithmetic is inline.")
w("- Most of a refresh is host calls: one per vertex (is it selected), three per face")
w("  (point count, points, is the face selected) and one per line of an unselected face.")
w("  At 10^5 vertices the baseline alone, those calls and nothing else, takes most of")
w("  the 5 ms, which leaves the 5 ms refresh out of reach whenever lines are selected")
w("  (four line queries per unselected face).")
w("- The plug-in's own work per vertex is writing its 12-byte snapshot entry and, for a")
w("  selected vertex, the double-precision sums rounded to float after every step that")
w("  the readouts and operations are defined by. Between the sizes measured the")
w("  snapshot (1.2 MB, then 12 MB) and the host's arrays outgrow the caches, and the")
w("  growth steps above 11 x fall there; they move from run to run with the noise.")
w("- The moves in the local frame transform every vertex there and back, rounding after")
w("  each step in double precision; that arithmetic is what puts them above 1.3 times")
w("  their baseline.")
w("")
with open(f"{out_dir}/PERFORMANCE.md", "w") as f:
    f.write("\n".join(out) + "\n")

# Plot data: ns per vertex against vertices for every case.
titles = []
with open(f"{out_dir}/performance.dat", "w") as f:
    for (operation, selection), sizes in sorted(by_case.items(), key=lambda kv: (order.get(kv[0][0], 99), kv[0][1])):
        if selection != "faces/1obj" and not operation.startswith("RefreshReadouts"):
            continue
        titles.append(f"{operation}_{selection}")
        for size in sorted(sizes):
            r = sizes[size]
            f.write(f"{r['vertices']} {r['plugin_cpu'] * 1e6 / r['vertices']:.3f} {r['baseline_cpu'] * 1e6 / r['vertices']:.3f}\n")
        f.write("\n\n")
with open(f"{out_dir}/performance.titles", "w") as f:
    f.write(" ".join(titles) + "\n")
