#!/usr/bin/env bash
# Sets up (packages, build) and runs every test: the full suite, then the
# tests without Qt Widgets (the plain C++ libraries, the render core and its
# QImage canvas) once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/setup.sh"
"$top/scripts/check_format.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$top/build" --output-on-failure -j"$(nproc)" --timeout 600

BUILD_DIR="$top/build-asan" BUILD_TYPE=Debug "$top/scripts/setup.sh" -DQM_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$top/build-asan" --output-on-failure -j"$(nproc)" --timeout 900

if [ -x "$top/scripts/fuzz.sh" ]; then
  "$top/scripts/fuzz.sh" --ci
fi
echo "All tests passed."
