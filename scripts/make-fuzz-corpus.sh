#!/usr/bin/env bash
# Rewrites the seed corpus in fuzz/corpus/<target>/ from the writers of the publishing tool
# and the test helpers. Inputs the fuzzers found are not seeds: keep those in fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target make_fuzz_corpus
rm -rf fuzz/corpus
"$build"/tests/make_fuzz_corpus fuzz/corpus
find fuzz/corpus -type f | sort | xargs ls -l | awk '{print $5, $9}'
