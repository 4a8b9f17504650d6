#!/usr/bin/env bash
# Builds everything and runs every test (unit, in-process plug-in and host-level tests).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
"$root/tools/configure.sh"
cmake --build "$root/build" -j"$(nproc)"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
