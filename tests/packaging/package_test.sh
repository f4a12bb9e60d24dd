#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch directory, checks its contents and
# control fields, and lets lintian judge it: any error fails, warnings are shown.
#   package_test.sh CPACK BUILD_DIR WORK_DIR APP_ID VERSION
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/need.sh"
cpack=$1 build_dir=$2 work_dir=$3 app_id=$4 version=$5

need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev
need lintian lintian

rm -rf "$work_dir"
"$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work_dir" >"$work_dir.log" 2>&1 \
    || { cat "$work_dir.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
deb=$work_dir/tervalo_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { cat "$work_dir.log" >&2; echo "FAIL: no $deb" >&2; exit 1; }

status=0
fail() { echo "FAIL: $*" >&2; status=1; }

contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in usr/bin/tervalo \
            "usr/share/applications/$app_id.desktop" \
            "usr/share/metainfo/$app_id.metainfo.xml" \
            usr/share/icons/hicolor/128x128/apps/tervalo.png \
            usr/share/man/man1/tervalo.1.gz \
            usr/share/doc/tervalo/copyright \
            usr/share/doc/tervalo/changelog.gz; do
    grep -qxF "./$file" <<<"$contents" || fail "the package lacks /$file"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tervalo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"

# Each Depends entry without its version constraint, one a line.
depends=$(field Depends | tr ',' '\n' | sed 's/ *([^)]*)//g; s/^ *//; s/ *$//')
# libqt6widgets6 only comes from dpkg-shlibdeps; the others are loaded at run time
# (platform and image plugins, Qt's own Chinese translation, a font with Chinese glyphs).
for dependency in libqt6widgets6 libqt6gui6 qt6-qpa-plugins qt6-translations-l10n \
                  'fonts-wqy-microhei | fonts-noto-cjk'; do
    grep -qxF "$dependency" <<<"$depends" || fail "Depends lacks '$dependency': $(field Depends)"
done

echo "lintian:"
lintian --tag-display-limit 0 --display-info --fail-on error "$deb" || fail "lintian reports errors"

exit "$status"
