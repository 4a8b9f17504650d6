#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only what is missing).
set -euo pipefail

packages=(
    build-essential cmake pkg-config ccache
    juce-modules-source juce-modules-source-data juce-tools
    libgtest-dev libbenchmark-dev
    liblilv-dev lilv-utils
    clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
