#!/usr/bin/env bash
# Builds everything and runs every test (unit, in-process plug-in and host-level tests), then the
# framework and kernel tests again under ThreadSanitizer (table swaps, parameters from other threads).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
"$root/tools/configure.sh"
cmake --build "$root/build" -j"$(nproc)"
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")

cmake -S "$root" -B "$root/build-tsan" -DTELOMA_BUILD_PLUGIN=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$root/build-tsan" -j"$(nproc)" --target teloma_core_tests
(cd "$root/build-tsan" && TSAN_OPTIONS="halt_on_error=1" ctest --output-on-failure -j"$(nproc)")
