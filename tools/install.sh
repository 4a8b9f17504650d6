#!/usr/bin/env bash
# Builds the plug-ins and installs them for the current user: VST3 into ~/.vst3, LV2 into ~/.lv2,
# the Standalone program and the renderer `teloma` into ~/.local/bin, the factory tables into the
# per-user data folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
"$root/tools/configure.sh"
cmake --build "$root/build" --target Teloma_VST3 Teloma_LV2 Teloma_Standalone teloma teloma_tables -j"$(nproc)"

artefacts="$root/build/product/Teloma_artefacts/Release"
vst3_dir="$HOME/.vst3"
lv2_dir="$HOME/.lv2"
bin_dir="$HOME/.local/bin"
tables_dir="${XDG_DATA_HOME:-$HOME/.local/share}/QUARNE/QUARNE Teloma/Tables"
mkdir -p "$vst3_dir" "$lv2_dir" "$bin_dir" "$tables_dir"
rm -rf "$vst3_dir/QUARNE Teloma.vst3" "$lv2_dir/QUARNE Teloma.lv2"
cp -R "$artefacts/VST3/QUARNE Teloma.vst3" "$vst3_dir/"
cp -R "$artefacts/LV2/QUARNE Teloma.lv2" "$lv2_dir/"
cp "$artefacts/Standalone/QUARNE Teloma" "$bin_dir/"
cp "$root/build/tools/teloma/teloma" "$bin_dir/"
# Factory folders are replaced whole; user tables live elsewhere and are never touched.
for folder in "$root/build/resources/Tables"/*/; do
    name="$(basename "$folder")"
    rm -rf "${tables_dir:?}/$name"
    cp -R "$folder" "$tables_dir/$name"
done

echo "Installed:"
echo "  VST3        $vst3_dir/QUARNE Teloma.vst3"
echo "  LV2         $lv2_dir/QUARNE Teloma.lv2"
echo "  Standalone  $bin_dir/QUARNE Teloma"
echo "  Renderer    $bin_dir/teloma"
echo "  Tables      $tables_dir"
