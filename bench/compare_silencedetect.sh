#!/usr/bin/env bash
# Silence detection and the equal-interval peak run of pirvan-split against ffmpeg's
# silencedetect on one hour of 44.1 kHz 16-bit stereo (about 635 MB), page cache warm.
#
#   bench/compare_silencedetect.sh [FILE.wav]
#
# Without FILE, an hour of pink noise is made with sox in $TMPDIR (or /tmp) and deleted at the
# end. Needs a built pirvan-split (BUILD_DIR, default build), sox, ffmpeg, hyperfine and python3
# (apt-get install sox ffmpeg hyperfine). The three commands alternate, one run of each per round
# (hyperfine), the order turning every round, so all meet the same load; prints the medians of
# wall and CPU (user + system) seconds over ROUNDS rounds (default 5) and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
split="$(realpath "${BUILD_DIR:-build}/src/cli/pirvan-split")"
rounds="${ROUNDS:-5}"
source bench/common.sh
need "$split" ffmpeg hyperfine python3
work="$(mktemp -d "${TMPDIR:-/tmp}/pirvan-compare-XXXXXX")"
trap 'rm -rf "$work"' EXIT
hour_file "$work" "${1:-}"

declare -A commands=(
    [ffmpeg]="ffmpeg -hide_banner -nostats -i $file -af silencedetect=n=-50dB:d=0.5 -f null -"
    [silences]="$split silences $file"
    [levels]="$split levels $file"
)
names=(ffmpeg silences levels)
for r in $(seq 1 "$rounds"); do
    for i in 0 1 2; do
        name=${names[$(((i + r) % 3))]}
        hyperfine --runs 1 --style none --export-json "$work/$name-$r.json" \
            "${commands[$name]}" >/dev/null
    done
done

python3 - "$work" "$rounds" <<'PY'
import glob, json, statistics, sys
work, rounds = sys.argv[1], sys.argv[2]
wall, cpu = {}, {}
for name in ("ffmpeg", "silences", "levels"):
    runs = [json.load(open(f))["results"][0] for f in glob.glob(f"{work}/{name}-*.json")]
    wall[name] = statistics.median(r["mean"] for r in runs)
    cpu[name] = statistics.median(r["user"] + r["system"] for r in runs)
print(f"medians of {rounds} alternating rounds      wall s    CPU s")
labels = {"ffmpeg": "ffmpeg -af silencedetect (one setting)",
          "silences": "pirvan-split silences (six settings)",
          "levels": "pirvan-split levels (equal-interval peaks)"}
for name, label in labels.items():
    line = f"{label:42s} {wall[name]:7.3f}  {cpu[name]:7.3f}"
    if name != "ffmpeg":
        line += f"   {wall['ffmpeg'] / wall[name]:5.1f} x wall  {cpu['ffmpeg'] / cpu[name]:5.1f} x CPU"
    print(line)
PY
