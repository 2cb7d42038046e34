#!/usr/bin/env bash
# The Debian package: CPack makes it from the build, it holds the program and what goes with it,
# names its dependencies, lintian finds no error in it, and the program unpacked from it starts on
# a virtual screen with the example snippets copied to the user's own snippet file.
# Usage: package.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
. "$here/../e2e/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$work/out/snipwell_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: no $deb"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/snipwell usr/bin/snipwell-export-skin usr/share/applications/snipwell.desktop \
         usr/share/icons/hicolor/48x48/apps/snipwell.png usr/share/icons/hicolor/256x256/apps/snipwell.png \
         usr/share/icons/hicolor/scalable/apps/snipwell.svg usr/share/snipwell/Config.txt \
         usr/share/doc/snipwell/README.md usr/share/doc/snipwell/copyright \
         usr/share/man/man1/snipwell.1.gz; do
  check "the package holds /$f" "yes" "$(grep -qx "\./$f" <<<"$files" && echo yes || echo no)"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libc6 libx11-6 libfreetype6 fonts-wine fonts-liberation2; do
  check "the package depends on $d" "yes" "$(grep -q "\b$d\b" <<<"$depends" && echo yes || echo no)"
done

if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1
  check "lintian finds no error" "" "$(grep '^E:' "$work/lintian.log")"
else
  echo "lintian is not installed (scripts/setup installs it): not checked"
fi

# The unpacked package on a virtual screen, with a home of its own (with-xvfb.sh gives one).
dpkg-deb -x "$deb" "$work/root"
bash "$here/../e2e/lib/with-xvfb.sh" --wm -- bash "$here/package_steps.sh" "$work/root" \
  "$here/../../dist/Config.txt" || failures=$((failures + 1))

finish
