#!/usr/bin/env bash
# Builds the fuzz targets in their own folder with clang and runs each on its corpus.
#   scripts/fuzz.sh [SECONDS]            build fuzz-build/, then run every target SECONDS long
#   scripts/fuzz.sh --short BUILD_DIR    run the built targets a few seconds each (the test
#                                        suite); exit 77 (skipped) when they are not built
# New inputs go to BUILD_DIR/corpus/<target>; fuzz/corpus/<target> holds the committed seeds.
# A crashing input is written to BUILD_DIR/findings/.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
targets=(fuzz_filecodec fuzz_settingsfile fuzz_sourcecommands fuzz_recoveryfile fuzz_batchbytes)

short=0
if [ "${1:-}" = "--short" ]; then
  short=1
  build="${2:-$src/fuzz-build}"
  seconds=4
  for t in "${targets[@]}"; do
    [ -x "$build/fuzz/$t" ] || { echo "no fuzz build in $build (make fuzz builds it)"; exit 77; }
  done
else
  build="$src/fuzz-build"
  seconds="${1:-60}"
  if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "The fuzz targets need clang with its sanitizer runtimes: sudo apt-get install clang libclang-rt-14-dev" >&2
    exit 1
  fi
  if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKORVEL_BUILD_FUZZ=ON
  fi
  cmake --build "$build" -j "${JOBS:-2}" --target fuzzers
fi

mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  echo "== $t, ${seconds}s"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
        -artifact_prefix="$build/findings/$t-" -print_final_stats=1)
  # The short run writes what it finds to a folder it then removes, so the test suite leaves
  # the corpus as it was.
  if [ $short -eq 1 ]; then
    scratch="$(mktemp -d)"
    "$build/fuzz/$t" "${args[@]}" "$scratch" "$src/fuzz/corpus/$t" 2>&1 | tail -n 12 || status=1
    rm -rf "$scratch"
  else
    "$build/fuzz/$t" "${args[@]}" "$build/corpus/$t" "$src/fuzz/corpus/$t" || status=1
  fi
done
exit $status
