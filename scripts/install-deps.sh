#!/usr/bin/env bash
# Installs the Debian packages the build needs, and nothing when all are present.
set -euo pipefail
packages=(cmake make g++ ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev
          libgif-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev)
# `make package` also needs Debian's packaging tools (dpkg-shlibdeps) and `file`, by which CPack
# finds the programs whose libraries become dependencies.
[ "${1:-}" = package ] && packages+=(dpkg-dev file)
# "fuzz" adds clang and its runtime libraries (libFuzzer, the sanitizers) for the fuzz targets.
[ "${1:-}" = fuzz ] && packages+=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
