#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each of them.
#   scripts/fuzz.sh --ci        about 30 seconds per target (the test command)
#   scripts/fuzz.sh [SECONDS]   as long as you like per target (default 600)
#   scripts/fuzz.sh SECONDS TARGET...   only the named targets
# Findings land in build-fuzz/artifacts/; the growing corpora in build-fuzz/corpus/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
if [ "${1:-}" = "--ci" ]; then seconds=30; shift
elif [ -n "${1:-}" ]; then seconds=$1; shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_loader fuzz_loader_render fuzz_settings fuzz_pen_tables)

bdir="$top/build-fuzz"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$top" -B "$bdir" -G Ninja -DQM_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build "$bdir" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
# The font library keeps its caches to the end of the process.
export LSAN_OPTIONS=suppressions="$top/tests/fuzz/lsan.supp"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$bdir/artifacts"
for t in "${targets[@]}"; do
  case $t in
    fuzz_loader*) seeds="$top/tests/fuzz/seeds/loader"; extra=(-dict="$top/tests/fuzz/hpgl.dict" -max_len=65536) ;;
    fuzz_settings) seeds="$top/tests/fuzz/seeds/settings"; extra=(-max_len=16384) ;;
    *) seeds="$top/tests/fuzz/seeds/pentables"; extra=(-max_len=16384) ;;
  esac
  corpus="$bdir/corpus/${t%_render}"  # the render target grows the loader's corpus
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  set +e
  "$bdir/tests/fuzz/$t" "$corpus" "$seeds" "${extra[@]}" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=4096 -artifact_prefix="$bdir/artifacts/$t-" -print_final_stats=1 2>&1 |
    grep -E 'stat::number_of_executed_units|stat::new_units_added|ERROR|SUMMARY|Test unit written|DONE'
  status=("${PIPESTATUS[@]}")
  set -e
  # The fuzzer's own status decides: a finding fails the run.
  if [ "${status[0]}" -ne 0 ]; then
    echo "$t: a finding (exit status ${status[0]}), see $bdir/artifacts/" >&2
    exit 1
  fi
done
