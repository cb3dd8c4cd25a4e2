#!/usr/bin/env bash
# Builds the benchmarks in a Release tree (build-release/), runs every
# bench_* program once with JSON output and prints the budget table of
# bench/README.md: each figure beside its anchor measured in the same run.
#
#   scripts/bench.sh [--no-build] [--keep DIR]
#
# --no-build   use the programs already in build-release/bin
# --keep DIR   leave the JSON output of every program in DIR
# QV_BENCH_REPETITIONS (default 3): repetitions of each benchmark; the table
# takes the median. Exits 1 when a budget does not hold.
set -euo pipefail
cd "$(dirname "$0")/.."
build=1
keep=""
while [ $# -gt 0 ]; do
  case $1 in
    --no-build) build=0 ;;
    --keep) keep=$2; shift ;;
    *) echo "usage: scripts/bench.sh [--no-build] [--keep DIR]" >&2; exit 2 ;;
  esac
  shift
done
reps=${QV_BENCH_REPETITIONS:-3}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

programs=()
for src in bench/bench_*.cpp; do programs+=("$(basename "$src" .cpp)"); done

if [ "$build" = 1 ]; then
  source scripts/deps.sh
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  qv_configure build-release -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_BENCH=ON
  cmake --build build-release -j"$(nproc)" --target "${programs[@]}" qv_config_files >/dev/null
fi

out=${keep:-$(mktemp -d)}
mkdir -p "$out"
[ -z "$keep" ] && trap 'rm -rf "$out"' EXIT
for p in "${programs[@]}"; do
  echo "running $p" >&2
  "build-release/bin/$p" --benchmark_format=json --benchmark_out="$out/$p.json" \
    --benchmark_out_format=json --benchmark_repetitions="$reps" \
    --benchmark_report_aggregates_only=true >/dev/null 2>"$out/$p.log" ||
    { echo "$p failed:" >&2; cat "$out/$p.log" >&2; }
done

# The budgets. One row a line: what | figure | anchor | budget
#   figure, anchor: program/benchmark        its real time (ms)
#                   program/benchmark:name   the counter `name` of that benchmark
#                   a number and a unit      a fixed anchor ("53 MB/s")
#   budget: space-separated conditions on ratio = figure / anchor
#           ("ratio<=3", "ratio>=0.9") and on the figure ("figure<=8");
#           "-" reports the figures without a budget.
python3 - "$out" <<'PY'
import json, os, re, sys

BUDGETS = """
sheet repaint, 800,000 samples, both channels | bench_sheet/BM_Repaint/800000 | bench_sheet/BM_Repaint/3200 | ratio<=3 figure<=8
sheet acquisition update, 800,000 samples | bench_sheet/BM_AcquisitionUpdate/800000 | bench_sheet/BM_CopyBothRecords/800000 | ratio<=5
measurement update, 800,000 samples | bench_measure/BM_MeasureWaveform/800000 | bench_measure/BM_RecordCopy/800000 | ratio<=10
arithmetic update, 800,000 samples, add | bench_arithmetic/BM_ArithmeticUpdate/0 | bench_arithmetic/BM_CopyBothRecords | ratio<=5
arithmetic update, 800,000 samples, subtract | bench_arithmetic/BM_ArithmeticUpdate/1 | bench_arithmetic/BM_CopyBothRecords | ratio<=5
arithmetic update, 800,000 samples, multiply | bench_arithmetic/BM_ArithmeticUpdate/2 | bench_arithmetic/BM_CopyBothRecords | ratio<=5
arithmetic update, 800,000 samples, divide | bench_arithmetic/BM_ArithmeticUpdate/3 | bench_arithmetic/BM_CopyBothRecords | ratio<=5
arithmetic update, 800,000 samples, RMS sum | bench_arithmetic/BM_ArithmeticUpdate/4 | bench_arithmetic/BM_CopyBothRecords | ratio<=5
arithmetic update, 800,000 samples of full-range noise, add | bench_arithmetic/BM_ArithmeticUpdateNoise/0 | bench_arithmetic/BM_CopyBothRecords | -
arithmetic update, 800,000 samples of full-range noise, RMS sum | bench_arithmetic/BM_ArithmeticUpdateNoise/4 | bench_arithmetic/BM_CopyBothRecords | -
arithmetic update, 800,000 samples of opposite extremes, add (slowest record) | bench_arithmetic/BM_ArithmeticUpdateOppositeExtremes/0 | bench_arithmetic/BM_CopyBothRecords | -
arithmetic panel repaint, 800,000 samples | bench_arithmetic/BM_ArithmeticRepaint/800000 | bench_arithmetic/BM_ArithmeticRepaint/3200 | -
bus decode, 800,000-sample I2C record (clock and data) | bench_bus/BM_I2CDecode800k | bench_sheet/BM_CopyBothRecords/800000 | ratio<=20
bus decode against sigrok-cli | bench_bus/BM_I2CDecode800k | bench_bus/BM_SigrokCliI2C800k/iterations:3 | ratio<=1
ComputeSpectrumDb, Hanning, against FFTW's 2048-point real transform | bench_fft/BM_ComputeSpectrumDb/2 | bench_fft/BM_FftwReal2048TransformOnly | ratio<=4
capture pace back to back, 4K depth, against the protocol's bound | bench_link/BM_CapturePace/0:records_per_s | bench_link/BM_CapturePace/0:bound_records_per_s | ratio>=0.9
capture pace back to back, 512K depth, against the protocol's bound | bench_link/BM_CapturePace/3:records_per_s | bench_link/BM_CapturePace/3:bound_records_per_s | ratio>=0.9
receive, 512K two-channel record, simulator to buffers | bench_link/BM_DeepRecordEndToEnd/manual_time:MBps | 53 MBps | ratio>=1
"""

folder = sys.argv[1]
runs = {}
for name in sorted(os.listdir(folder)):
    if not name.endswith(".json"):
        continue
    program = name[:-5]
    try:
        with open(os.path.join(folder, name)) as f:
            doc = json.load(f)
    except (OSError, ValueError):
        continue
    for b in doc.get("benchmarks", []):
        if b.get("error_occurred"):
            continue
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        key = program + "/" + b.get("run_name", b["name"])
        if b.get("run_type") == "aggregate" or key not in runs:
            runs[key] = b

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}

def value(term):
    """(number, unit) of a figure or anchor; (None, why) when it was not measured."""
    fixed = re.fullmatch(r"([0-9.eE+-]+)\s*(.*)", term)
    if fixed:
        return float(fixed.group(1)), fixed.group(2)
    bench, counter = (term, "") if term in runs else term.rpartition(":")[::2]
    b = runs.get(bench)
    if b is None:
        return None, "not run"
    if counter:
        return (float(b[counter]), counter) if counter in b else (None, "no " + counter)
    return b["real_time"] * TO_MS[b.get("time_unit", "ns")], "ms"

def show(number, unit):
    return "n/a (%s)" % unit if number is None else "%.4g %s" % (number, unit)

def holds(budget, figure, ratio):
    if budget == "-":
        return "-"
    ok = True
    for cond in budget.split():
        m = re.fullmatch(r"(ratio|figure)(<=|>=)([0-9.eE+-]+)", cond)
        if not m:
            return "bad budget"
        x = ratio if m.group(1) == "ratio" else figure
        limit = float(m.group(3))
        ok = ok and (x <= limit if m.group(2) == "<=" else x >= limit)
    return "yes" if ok else "**no**"

print("| benchmark | figure | anchor (same run) | ratio | budget | holds? |")
print("|---|---|---|---|---|---|")
failed = False
for line in BUDGETS.strip().splitlines():
    what, fig_term, anchor_term, budget = [s.strip() for s in line.split("|")]
    figure, fu = value(fig_term)
    anchor, au = value(anchor_term)
    if figure is None or anchor is None or not anchor:
        ratio_text, verdict = "n/a", "not measured"
        failed = failed or budget != "-"
    else:
        ratio = figure / anchor
        ratio_text = "%.3g" % ratio if ratio >= 0.5 else "%.3g (1/%.3g)" % (ratio, 1 / ratio)
        verdict = holds(budget, figure, ratio)
        failed = failed or verdict not in ("yes", "-")
    anchor_name = "fixed" if re.fullmatch(r"[0-9.eE+-]+\s*.*", anchor_term) else anchor_term.split("/", 1)[-1]
    print("| %s | %s | %s: %s | %s | %s | %s |" % (what, show(figure, fu), anchor_name,
          show(anchor, au), ratio_text, budget.replace("<=", "≤ ").replace(">=", "≥ "), verdict))
sys.exit(1 if failed else 0)
PY
