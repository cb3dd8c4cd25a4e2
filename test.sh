#!/usr/bin/env bash
# Builds Quorvex and runs every test: a normal build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build of the tests, a ThreadSanitizer build of
# the tests that exercise the link's threads, and, when clang is installed,
# every fuzz driver for a few seconds. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
qv_install_missing "${QV_PACKAGES[@]}" "${QV_TEST_PACKAGES[@]}"
qv_install_missing "${QV_FUZZ_PACKAGES[@]}" || echo "could not install ${QV_FUZZ_PACKAGES[*]}: fuzzing will be skipped"

export QT_QPA_PLATFORM=offscreen
# Paths relative to the checkout, so that a fresh clone anywhere reuses what
# ccache holds from another clone of the same sources.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
jobs=$(nproc)
start=$(date +%s)

echo "== normal build"
qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
qv_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=address,undefined -DQV_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs" --target qv_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600

echo "== ThreadSanitizer build (threaded areas)"
qv_configure build-tsan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=thread -DQV_BUILD_BENCH=OFF \
  -DQV_BUILD_GUI=OFF -DQV_TSAN_ONLY=ON
cmake --build build-tsan -j"$jobs" --target qv_tests
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp" \
  setarch "$(uname -m)" -R ctest --test-dir build-tsan --output-on-failure -j"$jobs" --timeout 600

echo "== fuzz drivers, a few seconds each (clang build of the readers' libraries)"
if qv_fuzzing_available; then
  scripts/fuzz.sh -t 5
else
  echo "clang++ or its libFuzzer runtime is missing (${QV_FUZZ_PACKAGES[*]}): fuzzing skipped"
fi

echo "== all tests passed in $(( $(date +%s) - start )) s"
