#!/bin/sh
# Checks the Debian package's control fields and its files: names, owners and modes.
# Usage: package-contents.sh PACKAGES_DIR APP_ID VERSION DEBIAN_REVISION
set -eu
. "$(dirname "$0")/lib.sh"
need dpkg-deb dpkg
deb=$(the_package "$1")
id=$2 version=$3 revision=$4

field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    [ "$(field "$1")" = "$2" ] || fail "$1 is '$(field "$1")', expected '$2'"
}
expect_field Package tastenrenner
expect_field Version "$version-$revision"
expect_field Section games
expect_field Priority optional
expect_field Architecture "$(dpkg --print-architecture)"
expect_field Recommends "fonts-urw-base35, qt6-wayland"
# The dependencies come from the libraries the program links, found by dpkg-shlibdeps.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    case ", $depends," in
        *", $library ("* | *", $library,"*) ;;
        *) fail "Depends '$depends' lacks $library" ;;
    esac
done
printf '%s\n' "$(field Maintainer)" | grep -Eq '^[^<>]+ <[^<>@ ]+@[^<>@ ]+\.[a-z]+>$' \
    || fail "Maintainer '$(field Maintainer)' is not a name and an address"
description=$(field Description)
[ "$(printf '%s\n' "$description" | wc -l)" -ge 3 ] || fail "the description has only its synopsis line"

# Every entry belongs to root, programs and directories are 0755, everything else 0644.
dpkg-deb -c "$deb" >"${TMPDIR:-/tmp}/tastenrenner-contents.$$"
trap 'rm -f "${TMPDIR:-/tmp}/tastenrenner-contents.$$"' EXIT
listing=${TMPDIR:-/tmp}/tastenrenner-contents.$$
awk '$2 != "root/root" { print "owned by " $2 ": " $6; bad = 1 } END { exit bad }' "$listing" \
    || fail "the package has files not owned by root"
files=$(awk '$1 !~ /^d/ { print $1 " " $6 }' "$listing" | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<LIST
-rwxr-xr-x ./usr/games/tastenrenner
-rw-r--r-- ./usr/share/applications/$id.desktop
-rw-r--r-- ./usr/share/doc/tastenrenner/changelog.Debian.gz
-rw-r--r-- ./usr/share/doc/tastenrenner/copyright
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/$id.svg
-rw-r--r-- ./usr/share/lintian/overrides/tastenrenner
-rw-r--r-- ./usr/share/man/man6/tastenrenner.6.gz
-rw-r--r-- ./usr/share/metainfo/$id.metainfo.xml
LIST
)
if [ "$files" != "$expected" ]; then
    printf 'expected:\n%s\npackaged:\n%s\n' "$expected" "$files" >&2
    fail "the package holds other files, or other modes, than the game's"
fi
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print $1 " " $6; bad = 1 } END { exit bad }' "$listing" \
    || fail "the package has directories that are not 0755"
echo "package: $(basename "$deb") holds the game's eight files with the right fields and modes"
