#!/usr/bin/env bash
# The colouring run (色分) alone against 色分 with the overview strip, in the window's code path
# (bench_gui_overview_share): the strip's read taken over by the run ("shared") and, for
# comparison, the strip reading the file on its own thread beside the run ("separate"). One hour
# of 44.1 kHz 16-bit stereo (about 635 MB, page cache warm), ROUNDS rounds of hyperfine, each
# round running the three in turn, so a change in the machine's load falls on all. Prints the
# median wall time of every run and the median CPU time (user + system) of the rounds.
#
#   bench/overview_with_coloring.sh [FILE.wav]
#
# Without FILE, an hour of pink noise is made with sox in $TMPDIR (or /tmp) and deleted at the
# end. Needs a built bench_gui_overview_share (BUILD_DIR, default build), sox, hyperfine, python3.
set -euo pipefail
cd "$(dirname "$0")/.."
bench="$(realpath "${BUILD_DIR:-build}/bench/bench_gui_overview_share")"
rounds="${ROUNDS:-5}"
source bench/common.sh
need "$bench" hyperfine python3
work="$(mktemp -d "${TMPDIR:-/tmp}/pirvan-coloring-XXXXXX")"
trap 'rm -rf "$work"' EXIT
hour_file "$work" "${1:-}"
for round in $(seq "$rounds"); do
    hyperfine -N --warmup 1 --runs 3 --export-json "$work/round$round.json" \
        "$bench $file alone" "$bench $file shared" "$bench $file separate" >/dev/null
done
python3 - "$work" "$rounds" <<'PY'
import json, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
wall, cpu = {}, {}
for r in range(1, rounds + 1):
    for result in json.load(open(f"{work}/round{r}.json"))["results"]:
        mode = result["command"].split()[-1]
        wall.setdefault(mode, []).extend(result["times"])
        cpu.setdefault(mode, []).append(result["user"] + result["system"])
alone = statistics.median(wall["alone"])
for mode in ("alone", "shared", "separate"):
    w, c = statistics.median(wall[mode]), statistics.median(cpu[mode])
    print(f"{mode:9} wall median {w:.3f} s ({w / alone:.2f} x alone), CPU {c:.3f} s, "
          f"{len(wall[mode])} runs")
PY
