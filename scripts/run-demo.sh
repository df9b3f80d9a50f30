#!/usr/bin/env bash
# Publishes the bundled demo puzzle onto a copy of the game and starts it.
set -euo pipefail
build="${1:-build}"
out="$build/demo"
mkdir -p "$out"
# Published puzzles carry the program without its debugging symbols.
cp "$build/pictorra-vaze" "$out/game"
strip "$out/game" 2>/dev/null || true
"$build/pictorra-publish" --game "$out/game" --picture assets/mountain-lake.jpg \
    --cut medium --title "Mountain Lake" --target 0:45 -o "$out/MountainLake"
chmod +x "$out/MountainLake"
echo "Starting $out/MountainLake"
exec "$out/MountainLake"
