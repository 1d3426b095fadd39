# Helpers the benchmark scripts source.

# need TOOL...: stops with status 2, naming the first of the tools that is missing.
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
    done
}

# hour_file DIR [FILE]: sets file to FILE, or to one hour of 44.1 kHz 16-bit stereo pink noise
# made with sox in DIR, and warms the page cache with it.
hour_file() {
    file="${2:-}"
    if [ -z "$file" ]; then
        need sox
        file="$1/hour.wav"
        echo "making one hour of pink noise in $file ..."
        sox -n -r 44100 -c 2 -b 16 "$file" synth 3600 pinknoise vol 0.3
    fi
    cat "$file" >/dev/null
}
