#!/usr/bin/env bash
# Publishes the bundled demo puzzle onto a copy of the game and starts it.
set -euo pipefail
build="${1:-build}"
out="$build/demo"
mkdir -p "$out"
"$build/pictorra-publish" --game "$build/pictorra-vaze" --picture assets/mountain-lake.jpg \
    --cut medium --title "Mountain Lake" --target 0:45 -o "$out/MountainLake"
chmod +x "$out/MountainLake"
echo "Starting $out/MountainLake"
exec "$out/MountainLake"
