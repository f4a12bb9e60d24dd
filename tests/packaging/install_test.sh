#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the installed pieces are there
# and refer to each other: the desktop entry starts the installed program and names the
# installed icon, the AppStream data names the desktop entry and the release being built.
#   install_test.sh CMAKE BUILD_DIR BUILT_PROGRAM WORK_DIR APP_ID VERSION
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/need.sh"
cmake=$1 build_dir=$2 built_program=$3 work_dir=$4 app_id=$5 version=$6

need identify imagemagick
need appstreamcli appstream
need readelf binutils

root=$work_dir/root
rm -rf "$root"
"$cmake" --install "$build_dir" --prefix "$root" >/dev/null

status=0
fail() { echo "FAIL: $*" >&2; status=1; }

desktop_entry=share/applications/$app_id.desktop
metainfo=share/metainfo/$app_id.metainfo.xml
icon=share/icons/hicolor/128x128/apps/tervalo.png
for file in bin/tervalo "$desktop_entry" "$metainfo" "$icon" \
            share/man/man1/tervalo.1.gz share/doc/tervalo/copyright share/doc/tervalo/changelog.gz; do
    [ -f "$root/$file" ] || fail "$file is not installed"
done
[ "$status" -eq 0 ] || { find "$root" -type f >&2; exit 1; }

[ -x "$root/bin/tervalo" ] || fail "bin/tervalo is not executable"
# Installing rewrites the run path, so the programs are compared by their build ids.
build_id() { readelf --notes "$1" | sed -n 's/.*Build ID: //p'; }
[ -n "$(build_id "$built_program")" ] && [ "$(build_id "$built_program")" = "$(build_id "$root/bin/tervalo")" ] \
    || fail "bin/tervalo is not the program built at $built_program"

size=$(identify -format '%wx%h' "png:$root/$icon" 2>/dev/null) || size="not a PNG image"
[ "$size" = 128x128 ] || fail "$icon is $size, not a 128x128 PNG image"

key() { sed -n "s/^$1=//p" "$root/$desktop_entry"; }
exec_line=$(key Exec)
[ -x "$root/bin/${exec_line%% *}" ] || fail "Exec=$exec_line does not start the installed bin/tervalo"
[ -f "$root/share/icons/hicolor/128x128/apps/$(key Icon).png" ] \
    || fail "Icon=$(key Icon) does not name the installed $icon"

grep -q "<release version=\"$version\"" "$root/$metainfo" \
    || fail "$metainfo has no release $version"
if grep -n '@[A-Za-z_]*@' "$root/$metainfo" "$root/$desktop_entry"; then
    fail "placeholders left unreplaced"
fi

# AppStream's own check of the installed tree, including the link to the desktop entry.
appstreamcli validate-tree --no-net --pedantic --strict "$root" || fail "appstreamcli validate-tree"

exit "$status"
