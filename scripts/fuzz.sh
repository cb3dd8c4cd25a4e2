#!/usr/bin/env bash
# Builds the libFuzzer drivers of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-fuzz/: only the non-widget libraries the
# drivers need) and runs each one, starting from the seed corpus in
# fuzz/corpus/<driver>/.
#
#   scripts/fuzz.sh                   every driver for 5 minutes
#   scripts/fuzz.sh -t 10             every driver for 10 seconds (what test.sh runs)
#   scripts/fuzz.sh -t 600 files cli  only these drivers, 10 minutes each
#
# New inputs found go to build-fuzz/corpus/<driver>/ (kept between runs; the
# repository's seeds are never written). A crash, hang (-timeout), leak or
# sanitizer report is saved under build-fuzz/findings/ and fails the script;
# turn each into a regression test (tests/<area>/, feeding the saved input) and
# fix it. The last lines give executions and findings per driver.
# Needs clang and its libFuzzer runtime (QV_FUZZ_PACKAGES in scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

seconds=300
while getopts "t:" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    *) echo "usage: $0 [-t SECONDS] [DRIVER...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

if ! qv_fuzzing_available; then
  echo "fuzz: clang++ with its libFuzzer runtime is not installed (apt-get install ${QV_FUZZ_PACKAGES[*]})" >&2
  exit 2
fi

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
CC=clang CXX=clang++ qv_configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_GUI=OFF \
  -DQV_BUILD_BENCH=OFF -DQV_BUILD_FUZZ=ON -DQV_SANITIZE=address,undefined
cmake --build build-fuzz -j"$(nproc)" --target qv_fuzzers

drivers=("$@")
if [ ${#drivers[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do drivers+=("$(basename "$f" .cpp | sed 's/^fuzz_//')"); done
fi

mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
summary=()
failed=0
for d in "${drivers[@]}"; do
  # Absolute paths: a driver may change its working folder.
  corpus=$PWD/build-fuzz/corpus/$d
  mkdir -p "$corpus" "fuzz/corpus/$d"
  log=$PWD/build-fuzz/findings/$d.log
  status=0
  scratch_base=/dev/shm
  [ -d "$scratch_base" ] || scratch_base=${TMPDIR:-/tmp}
  export QV_FUZZ_SCRATCH
  QV_FUZZ_SCRATCH=$(mktemp -d "$scratch_base/qv-fuzz-$d.XXXXXX")
  # -close_fd_mask=3: the tool's own output is not the fuzzer's; reports still show.
  build-fuzz/bin/fuzz_"$d" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3 \
    -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/findings/$d-" "$corpus" "$PWD/fuzz/corpus/$d" \
    >"$log" 2>&1 || status=$?
  rm -rf "$QV_FUZZ_SCRATCH"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $status -ne 0 ]; then
    failed=1
    summary+=("$(printf '%-10s %10s executions  FINDING (see %s)' "$d" "${runs:-?}" "$log")")
    grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5 >&2 || true
  else
    summary+=("$(printf '%-10s %10s executions  no finding' "$d" "${runs:-?}")")
  fi
done
echo "== fuzzing, $seconds s per driver"
printf '%s\n' "${summary[@]}"
exit $failed
