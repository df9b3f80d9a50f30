#!/usr/bin/env bash
# Checks the Debian package `make package` built: its file list and control fields, then
# installs it into a scratch root, publishes a puzzle with the installed tool and template,
# and removes it again.
# Usage: check-deb.sh BUILD_DIR PICTURE. Exits 77 (skipped) when there is no current package.
set -euo pipefail
build="$1"
picture=$(realpath "$2")

shopt -s nullglob
debs=("$build"/package/pictorra-vaze_*.deb)
if [ ${#debs[@]} -eq 0 ]; then
  echo "no package in $build/package: run 'make package'"
  exit 77
fi
deb="${debs[0]}"
for candidate in "${debs[@]}"; do [ "$candidate" -nt "$deb" ] && deb="$candidate"; done
for program in "$build/pictorra-publish" "$build/pictorra-vaze"; do
  if [ -e "$program" ] && [ "$program" -nt "$deb" ]; then
    echo "$deb is older than $program: run 'make package'"
    exit 77
  fi
done

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The file list: the three files, and nothing outside their folders.
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for wanted in ./usr/bin/pictorra-publish ./usr/lib/pictorra-vaze/pictorra-vaze \
              ./usr/share/man/man1/pictorra-publish.1.gz; do
  grep -qx -- "$wanted" <<<"$listing" || fail "$wanted is not in the package"
done
stray=$(grep -vE '^\./(|usr/?|usr/bin/.*|usr/lib/?|usr/lib/pictorra-vaze/.*|usr/share/?|usr/share/man/?|usr/share/man/man1/.*)$' \
        <<<"$listing" || true)
[ -z "$stray" ] || fail "unexpected files in the package: $stray"

# Control fields: dpkg-shlibdeps filled in the libraries both programs link.
[ "$(dpkg-deb -f "$deb" Package)" = pictorra-vaze ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libjpeg62-turbo libgif7 libqt6widgets6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# Installed by dpkg into a scratch root with a database of its own. The root holds none of the
# libraries (hence --force-depends); the programs run from it with the build machine's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
scratch_dpkg() {
  PATH="$PATH:/usr/sbin:/sbin" dpkg --root="$root" --force-depends --force-not-root \
      --force-script-chrootless "$@" >"$scratch/dpkg.log" 2>&1 || fail "dpkg $*: $(cat "$scratch/dpkg.log")"
}
scratch_dpkg -i "$deb"
tool="$root/usr/bin/pictorra-publish"
template="$root/usr/lib/pictorra-vaze/pictorra-vaze"

unset LD_LIBRARY_PATH
for program in "$tool" "$template"; do
  [ -x "$program" ] || fail "$program is not executable"
  if ldd "$program" | grep -q "not found"; then
    fail "$program misses libraries: $(ldd "$program" | grep "not found")"
  fi
done
if command -v readelf >/dev/null && readelf -S "$template" | grep -qE '\.(symtab|debug_info)'; then
  fail "the game template carries symbols"
fi
gzip -dc "$root/usr/share/man/man1/pictorra-publish.1.gz" | grep -q '^\.TH PICTORRA-PUBLISH 1' ||
  fail "the manual page has no title line"

# Publish from a folder of its own, so only the scratch installation can supply the template.
# A tool that answers --version also finds the template itself, and shares the package's version.
work="$scratch/work"
mkdir -p "$work"
game=(--game "$template")
if "$tool" --version >/dev/null 2>&1; then
  game=()
  version=$(dpkg-deb -f "$deb" Version)
  "$tool" --version | grep -qF " $version" || fail "package version $version, tool: $("$tool" --version)"
fi
(cd "$work" && "$tool" "${game[@]}" --picture "$picture" --cut medium --title "Mountain Lake" \
    -o MountainLake) || fail "publishing with the installed tool failed"
[ -x "$work/MountainLake" ] || fail "the published puzzle is not executable"
cmp -s -n "$(stat -c %s "$template")" "$template" "$work/MountainLake" ||
  fail "the published puzzle does not start with the installed template"
"$tool" inspect "$work/MountainLake" | grep -q "Mountain Lake" || fail "inspect does not show the title"

scratch_dpkg -r pictorra-vaze
if [ -e "$tool" ] || [ -e "$root/usr/lib/pictorra-vaze" ]; then fail "removing the package left files behind"; fi
echo "package $deb: file list and dependencies right; installs, publishes and is removed in a scratch root"
