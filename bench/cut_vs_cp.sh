#!/usr/bin/env bash
# Cutting a whole recording into segment files must stay within 1.5 × of copying it with cp.
# Makes a 1 h 44.1 kHz 16-bit stereo WAV (≈ 635 MB) with sox, warms the page cache, then times
# one cp of it and one cut of it into 10 segments, and deletes everything again. One run of
# each: the machine may be shared. Exit status 1 when the ratio is above 1.5.
#
#   BUILD_DIR=build bench/cut_vs_cp.sh [--buffered]
#
# --buffered makes the writer copy through its buffer instead of copy_file_range.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
tool="$build/bench/bench_cut_segments"
[ -x "$tool" ] || { echo "build first: $tool is missing" >&2; exit 2; }
work="$(mktemp -d "${TMPDIR:-/var/tmp}/pirvan-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/cp" "$work/cut"

sox -n -r 44100 -c 2 -b 16 "$work/source.wav" synth 3600 sine 440 vol 0.5
cat "$work/source.wav" >/dev/null
sync

now() { date +%s.%N; }
start=$(now)
cp "$work/source.wav" "$work/cp/"
cp_s=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }')
rm -f "$work/cp/source.wav"
sync

cut_s=$("$tool" "$work/source.wav" "$work/cut" 10 "$@")
written=$(find "$work/cut" -name 'seg*.wav' | wc -l)

ratio=$(awk -v c="$cut_s" -v p="$cp_s" 'BEGIN { printf "%.2f", c / p }')
echo "cp: ${cp_s} s   cut into ${written} segments: ${cut_s} s   ratio: ${ratio} (goal <= 1.5)"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }'
