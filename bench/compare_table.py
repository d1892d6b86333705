#!/usr/bin/env python3
"""The one table of bench/compare-viewers.sh: every figure of ours beside each peer's from
the harness's records (JSON lines), with ours / peer ratios and the goal of each row.

  compare_table.py --peers feh,... --main M.jsonl [--prev P.jsonl] [--zoom Z.jsonl]
                   [--jp2 J.jsonl] [--opj SECONDS]

Times are medians of the final first frame (t_final), in seconds; RSS the viewer's peak
(VmHWM) in MiB over the run's launch and key presses.
"""
import argparse
import json
import statistics


def records(path):
    if not path:
        return []
    out = []
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                out.append(json.loads(line))
    return out


def ok(recs, viewer, test, event):
    return [r for r in recs if r.get("viewer") == viewer and r.get("test") == test
            and r.get("event") == event and r.get("status") == "ok"]


def median_time(recs, viewer, test, event):
    times = [r["t_final"] for r in ok(recs, viewer, test, event) if r.get("t_final") is not None]
    return statistics.median(times) if times else None


def peak_mib(recs, viewer, test):
    hwm = [r["hwm_kb"] for r in recs if r.get("viewer") == viewer and r.get("test") == test
           and r.get("hwm_kb")]
    return max(hwm) / 1024 if hwm else None


def cell(value, unit):
    if value is None:
        return "-"
    return "%.3f s" % value if unit == "s" else "%.1f MiB" % value


def ratio(ours, other):
    return "%.2f" % (ours / other) if ours is not None and other else "-"


def main():
    a = argparse.ArgumentParser()
    a.add_argument("--peers", default="feh")
    a.add_argument("--main", required=True)
    a.add_argument("--prev")
    a.add_argument("--zoom")
    a.add_argument("--jp2")
    a.add_argument("--opj", type=float)
    a.add_argument("--wine", help="records of the Windows build under Wine (viewer ours-wine)")
    args = a.parse_args()
    peers = [p for p in args.peers.split(",") if p]
    m, p, z, j = records(args.main), records(args.prev), records(args.zoom), records(args.jp2)

    # figure, unit, ours, {peer: value}, goal
    rows = [
        ("first frame, 1920x1080 JPEG", "s", median_time(m, "ours", "first-1080p", "launch"),
         {q: median_time(m, q, "first-1080p", "launch") for q in peers}, "<= 1.0 x feh"),
        ("first frame, 24 MP JPEG", "s", median_time(m, "ours", "first-24mp", "launch"),
         {q: median_time(m, q, "first-24mp", "launch") for q in peers}, "<= 0.6 x feh"),
        ("next slide, 24 MP JPEGs (median)", "s", median_time(m, "ours", "next-24mp", "next"),
         {q: median_time(m, q, "next-24mp", "next") for q in peers}, "<= 0.015 s"),
        ("previous slide, 24 MP JPEGs (median)", "s", median_time(p, "ours-prev", "next-24mp", "next"),
         {q: median_time(p, q + "-prev", "next-24mp", "next") for q in peers}, "as next"),
        ("peak RSS, stepping through the 24 MP show", "MiB", peak_mib(m, "ours", "next-24mp"),
         {q: peak_mib(m, q, "next-24mp") for q in peers}, "<= 128 MiB"),
        ("peak RSS, one 24 MP slide zoomed past its stored scale", "MiB", peak_mib(z, "ours-zoom", "next-24mp"),
         {}, "<= 120 MiB"),
    ]
    header = ["figure", "ours"] + peers + ["ours / " + q for q in peers] + ["goal"]
    table = [header]
    for name, unit, ours, others, goal in rows:
        table.append([name, cell(ours, unit)] + [cell(others.get(q), unit) for q in peers] +
                     [ratio(ours, others.get(q)) for q in peers] + [goal])
    if j or args.opj:
        ours = median_time(j, "ours", "first-24mp", "launch")
        table.append(["first frame, 24 MP JPEG 2000 (beside: opj_decompress -threads 2, whole picture)",
                      cell(ours, "s")] + [cell(args.opj, "s")] + [""] * (len(peers) - 1) +
                     [ratio(ours, args.opj)] + [""] * (len(peers) - 1) + ["<= 0.35 x opj"])
    show(table)
    if args.wine:
        w = records(args.wine)
        print()
        wine = [["Windows build under Wine", "Linux build", "Wine", "Wine / Linux"]]
        for name, test, event in [("first frame, 1920x1080 JPEG", "first-1080p", "launch"),
                                  ("first frame, 24 MP JPEG", "first-24mp", "launch"),
                                  ("next slide, 24 MP JPEGs (median)", "next-24mp", "next")]:
            linux, windows = median_time(m, "ours", test, event), median_time(w, "ours-wine", test, event)
            wine.append([name, cell(linux, "s"), cell(windows, "s"), ratio(windows, linux)])
        show(wine)


def show(table):
    widths = [max(len(row[i]) for row in table) for i in range(len(table[0]))]
    for row in table:
        print("  ".join(c.ljust(w) for c, w in zip(row, widths)).rstrip())


if __name__ == "__main__":
    main()
