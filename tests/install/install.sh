#!/usr/bin/env bash
# The installation: `cmake --install` into a prefix of its own puts the program, the skin export
# tool, the example snippets, the icons, the manual pages and the desktop entry (naming the
# installed program by its full path) in place, writes no snippet file beside the program, and
# lists every file it wrote in the install manifest, so that removing those files leaves nothing
# behind. Usage: install.sh <build dir>
set -u
build=$(cd "$1" && pwd)
. "$(dirname "$0")/../e2e/lib/common.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
check "the program" "yes" "$([ -x "$prefix/bin/snipwell" ] && echo yes || echo no)"
check "the skin export tool" "yes" "$([ -x "$prefix/bin/snipwell-export-skin" ] && echo yes || echo no)"
check "no snippet file beside the program" "no" "$([ -e "$prefix/bin/Config.txt" ] && echo yes || echo no)"
check "the example snippets" "7" "$(grep -c $'\r$' "$prefix/share/snipwell/Config.txt")"
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/snipwell.png"
  check "the icon at $size pixels" "PNG ${size}x${size} True" "$(identify -format '%m %wx%h %A' "$icon")"
  # A real alpha channel: edges partly transparent, not a one-bit mask that leaves a fringe.
  levels=$(convert "$icon" -alpha extract -format '%k' info:)
  check "the icon at $size pixels has soft edges" "yes" "$([ "$levels" -gt 2 ] && echo yes || echo no)"
done
check "the icon as a drawing" "yes" \
  "$(grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/snipwell.svg" && echo yes || echo no)"
check "the manual page" "yes" "$(zcat "$prefix/share/man/man1/snipwell.1.gz" | grep -q '^\.TH SNIPWELL 1' && echo yes || echo no)"
entry="$prefix/share/applications/snipwell.desktop"
check "the entry starts the installed program" "Exec=$prefix/bin/snipwell" "$(grep '^Exec=' "$entry")"
check "the entry names the icon" "Icon=snipwell" "$(grep '^Icon=' "$entry")"

# Uninstalling by the manifest removes every file the installation wrote.
manifest="$build/install_manifest.txt"
check "the manifest lists the desktop entry" "yes" "$(grep -qx "$entry" "$manifest" && echo yes || echo no)"
xargs rm < "$manifest"
check "nothing is left after removing the manifest's files" "" "$(find "$prefix" -type f -o -type l)"

finish
