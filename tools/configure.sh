#!/usr/bin/env bash
# Configures the Release build in build/ (ccache keeps its cache outside the work tree).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
