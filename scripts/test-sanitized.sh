#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in ./build-sanitize and
# runs every test there; any report fails the run. Slower than scripts/test.sh; run it before
# calling a change done.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
bash "$here/setup.sh"
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build-sanitize/CMakeCache.txt ]; then
  cmake -S . -B build-sanitize "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DVESKHTML_SANITIZE=ON \
    -DVESKHTML_BENCH=OFF
fi
cmake --build build-sanitize -j"$(nproc)"
cd build-sanitize
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks are reported for the program's own code; the suppressions name the system libraries
# (fontconfig, Qt's plugin loading) that keep their caches until exit.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
