#!/usr/bin/env bash
# Silence detection and the equal-interval peak run of pirvan-split against ffmpeg's
# silencedetect on one hour of 44.1 kHz 16-bit stereo (about 635 MB), page cache warm.
#
#   bench/compare_silencedetect.sh [FILE.wav]
#
# Without FILE, an hour of pink noise is made with sox in $TMPDIR (or /tmp) and deleted at the
# end. Needs a built pirvan-split (BUILD_DIR, default build), sox and ffmpeg
# (apt-get install sox ffmpeg). Prints wall and CPU (user + system) seconds of the fastest of
# RUNS runs (default 3; ffmpeg runs once unless FFMPEG_RUNS says otherwise) and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
split="${BUILD_DIR:-build}/src/cli/pirvan-split"
runs="${RUNS:-3}"
ffmpeg_runs="${FFMPEG_RUNS:-1}"
for tool in "$split" ffmpeg /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done

file="${1:-}"
made=""
if [ -z "$file" ]; then
    command -v sox >/dev/null || { echo "missing: sox" >&2; exit 2; }
    file="$(mktemp "${TMPDIR:-/tmp}/pirvan-bench-XXXXXX.wav")"
    made="$file"
    trap 'rm -f "$made"' EXIT
    echo "making one hour of pink noise in $file ..."
    sox -n -r 44100 -c 2 -b 16 "$file" synth 3600 pinknoise vol 0.3
fi
cat "$file" >/dev/null # warm the page cache
times="$(mktemp)"
trap 'rm -f "$times" ${made:+"$made"}' EXIT

# best WALL CPU of n runs of a command (its output discarded)
best() {
    local n=$1
    shift
    local best_wall="" best_cpu=""
    for _ in $(seq "$n"); do
        /usr/bin/time -o "$times" -f "%e %U %S" "$@" >/dev/null 2>&1
        read -r wall user sys <"$times"
        local cpu
        cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
        best_wall=$(awk -v a="$wall" -v b="${best_wall:-$wall}" 'BEGIN { print (a < b ? a : b) }')
        best_cpu=$(awk -v a="$cpu" -v b="${best_cpu:-$cpu}" 'BEGIN { print (a < b ? a : b) }')
    done
    echo "$best_wall $best_cpu"
}

read -r ff_wall ff_cpu <<<"$(best "$ffmpeg_runs" ffmpeg -hide_banner -nostats -i "$file" \
    -af silencedetect=n=-50dB:d=0.5 -f null -)"
read -r ms_wall ms_cpu <<<"$(best "$runs" "$split" silences "$file")"
read -r lv_wall lv_cpu <<<"$(best "$runs" "$split" levels "$file")"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "inf" }'; }
printf '%-52s %8s %8s\n' "command" "wall s" "CPU s"
printf '%-52s %8s %8s\n' "ffmpeg -af silencedetect=n=-50dB:d=0.5 -f null -" "$ff_wall" "$ff_cpu"
printf '%-52s %8s %8s   %5sx wall  %5sx CPU\n' "pirvan-split silences (six settings)" "$ms_wall" \
    "$ms_cpu" "$(ratio "$ff_wall" "$ms_wall")" "$(ratio "$ff_cpu" "$ms_cpu")"
printf '%-52s %8s %8s   %5sx wall  %5sx CPU\n' "pirvan-split levels (equal-interval peaks)" \
    "$lv_wall" "$lv_cpu" "$(ratio "$ff_wall" "$lv_wall")" "$(ratio "$ff_cpu" "$lv_cpu")"
