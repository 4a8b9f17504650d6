#!/usr/bin/env bash
# Builds and installs everything for the current user, then renders the bundled demo clip through
# "DEFAULT" and three factory presets into demo-output/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install.sh"
echo
"$HOME/.local/bin/teloma" demo "$root/demo-output"
