#!/usr/bin/env bash
# Publishes the bundled demo puzzle onto a copy of the game and starts it.
set -euo pipefail
build="${1:-build}"
exec "$build/pictorra-vaze"
