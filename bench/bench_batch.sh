#!/usr/bin/env bash
# The batch mode as a whole process, `korvel --run COMMAND FILE`, on generated pages of 1, 8,
# 9.5 and 50 MB, each figure printed beside its references from the same run: `cat` of the same
# file (reading it, the least any tool must do) and `tidy -q` (a tool that parses the whole page;
# skipped when it is not installed). Times are medians of RUNS runs; peak memory comes from
# /usr/bin/time when it is there.
#
#   bench/bench_batch.sh [BUILD_DIR]        RUNS=5 bench/bench_batch.sh build
set -u
BUILD_DIR=${1:-build}
RUNS=${RUNS:-3}
KORVEL="$BUILD_DIR/bin/korvel"
WRITER="$BUILD_DIR/bench/bench_source"
for program in "$KORVEL" "$WRITER"; do
    if [ ! -x "$program" ]; then
        echo "bench_batch: $program is missing; build the targets korvel and bench_source" >&2
        exit 1
    fi
done
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
TIME_BIN=""
[ -x /usr/bin/time ] && TIME_BIN=/usr/bin/time
HAVE_TIDY=0
command -v tidy >/dev/null 2>&1 && HAVE_TIDY=1

now_ns() { date +%s%N; }

# run_ms SETUP COMMAND...: the median wall time in ms over RUNS runs, SETUP run before each.
# Leaves the largest peak resident size seen, in KB, in $WORK/peak (0 without /usr/bin/time),
# and the median processor time (user and system) in ms in $WORK/cpu ("-" without it): on a
# machine shared with other work the processor time varies far less than the wall time.
run_ms() {
    local setup=$1; shift
    local times=() cpus=() peak=0 start end kb cpu
    for ((i = 0; i < RUNS; i++)); do
        eval "$setup"
        if [ -n "$TIME_BIN" ]; then
            start=$(now_ns)
            "$TIME_BIN" -f "%M %U %S" -o "$WORK/rss" "$@" >/dev/null 2>&1
            end=$(now_ns)
            read -r kb cpu < <(tail -n 1 "$WORK/rss" | awk '{ printf "%s %d\n", $1, ($2 + $3) * 1000 }')
            [[ "$kb" =~ ^[0-9]+$ ]] && [ "$kb" -gt "$peak" ] && peak=$kb
            [[ "$cpu" =~ ^[0-9]+$ ]] && cpus+=("$cpu")
        else
            start=$(now_ns)
            "$@" >/dev/null 2>&1
            end=$(now_ns)
        fi
        times+=($(( (end - start) / 1000000 )))
    done
    echo "$peak" > "$WORK/peak"
    if [ ${#cpus[@]} -gt 0 ]; then
        printf '%s\n' "${cpus[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}' > "$WORK/cpu"
    else
        echo "-" > "$WORK/cpu"
    fi
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
mbps() { awk -v bytes="$1" -v ms="$2" 'BEGIN { if (ms > 0) printf "%.1f", bytes / 1048576 / (ms / 1000); else print "-" }'; }

echo "== korvel --run check-html FILE (whole process; medians of $RUNS runs)"
printf '%-8s %10s %9s %9s %9s %9s %9s %10s %12s\n' size korvel_ms cpu_ms MB/s peak/file cat_ms tidy_ms tidy/korvel korvel/cat
declare -A KORVEL_MS TIDY_MS
for units in 1 8 9 47; do
    page="$WORK/page$units.html"
    "$WRITER" --write-document="$page:$units" || exit 1
    bytes=$(stat -c %s "$page")
    ms=$(run_ms "cp '$page' '$WORK/w.html'; rm -f '$WORK/w.BAK'" "$KORVEL" --run check-html "$WORK/w.html")
    peak=$(cat "$WORK/peak")
    cpu=$(cat "$WORK/cpu")
    KORVEL_MS[$units]=$ms
    cat_ms=$(run_ms ":" cat "$page")
    if [ "$HAVE_TIDY" = 1 ]; then
        tidy_ms=$(run_ms ":" tidy -q "$page")
        tidy_ratio=$(ratio "$tidy_ms" "$ms")
    else
        tidy_ms="skipped"; tidy_ratio="-"
    fi
    peak_ratio=$(awk -v kb="$peak" -v b="$bytes" 'BEGIN { if (kb > 0) printf "%.2f", kb * 1024 / b; else print "-" }')
    size=$(awk -v b="$bytes" 'BEGIN { printf "%.1fMB", b / 1048576 }')
    printf '%-8s %10s %9s %9s %9s %9s %9s %10s %12s\n' "$size" "$ms" "$cpu" "$(mbps "$bytes" "$ms")" "$peak_ratio" "$cat_ms" \
        "$tidy_ms" "$tidy_ratio" "$(ratio "$ms" "$cat_ms")"
    [ "$units" = 1 ] || cp "$page" "$WORK/keep$units.html"
    TIDY_MS[$units]=$tidy_ms
    rm -f "$page"
done
echo "linearity: time(50MB) / time(8MB) = $(ratio "${KORVEL_MS[47]}" "${KORVEL_MS[8]}")   (pages 5.9x larger)"

# The other commands, each with the figures of the check: beside tidy on the 9.1 MB page, speed
# and memory on the 47.6 MB page, and the time on it beside the time on the 8.1 MB page.
echo "== the other batch commands (whole process; medians of $RUNS runs)"
printf '%-20s %12s %12s %11s %12s %12s %10s\n' command 9.1MB_ms tidy/korvel 47.6MB_ms 47.6MB_MB/s peak/file linearity
bytes47=$(stat -c %s "$WORK/keep47.html")
for command in remove-line-breaks insert-line-breaks remove-hyphenation entities javascript-string; do
    declare -A MS=()
    for units in 8 9 47; do
        MS[$units]=$(run_ms "cp '$WORK/keep$units.html' '$WORK/w.html'; rm -f '$WORK/w.BAK'" "$KORVEL" --run "$command" "$WORK/w.html")
        [ "$units" = 47 ] && peak=$(cat "$WORK/peak")
    done
    peak_ratio=$(awk -v kb="$peak" -v b="$bytes47" 'BEGIN { if (kb > 0) printf "%.2f", kb * 1024 / b; else print "-" }')
    tidy_ratio="-"
    [ "$HAVE_TIDY" = 1 ] && tidy_ratio=$(ratio "${TIDY_MS[9]}" "${MS[9]}")
    printf '%-20s %12s %12s %11s %12s %12s %10s\n' "$command" "${MS[9]}" "$tidy_ratio" "${MS[47]}" "$(mbps "$bytes47" "${MS[47]}")" \
        "$peak_ratio" "$(ratio "${MS[47]}" "${MS[8]}")"
done

# The fixed cost of every run: the program started and left at once, beside cat of an empty
# file. The program links Qt Core only (its window is a library loaded when a window is wanted).
echo "== start-up: korvel --version"
printf '%-20s %10s %9s %9s %12s\n' what korvel_ms peak_KB cat_ms korvel/cat
ms=$(run_ms ":" "$KORVEL" --version)
peak=$(cat "$WORK/peak")
: > "$WORK/empty"
cat_ms=$(run_ms ":" cat "$WORK/empty")
printf '%-20s %10s %9s %9s %12s\n' "--version" "$ms" "$peak" "$cat_ms" "$(ratio "$ms" "$cat_ms")"
