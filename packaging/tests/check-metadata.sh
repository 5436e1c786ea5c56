#!/bin/sh
# Checks that the menu entry, AppStream metadata, icon, manual page, changelog and copyright agree with each other and the build.
# Usage: check-metadata.sh PACKAGING_DIR APP_ID VERSION DEBIAN_REVISION PROGRAM LICENSE_FILE
set -eu
. "$(dirname "$0")/lib.sh"
dir=$1 id=$2 version=$3 revision=$4 program=$5 license=$6
desktop=$dir/$id.desktop
metainfo=$dir/$id.metainfo.xml
icon=$dir/$id.svg
for file in "$desktop" "$metainfo" "$icon" "$dir/$program.6" "$dir/changelog.Debian" "$dir/copyright" "$license"; do
    [ -f "$file" ] || fail "missing $file"
done

# The menu entry starts the installed program by name, with nothing after it: the game takes no arguments.
exec_line=$(desktop_value "$desktop" Exec)
[ "$exec_line" = "$program" ] || fail "Exec is '$exec_line', not '$program'"
[ "$(desktop_value "$desktop" Icon)" = "$id" ] || fail "Icon is not the application id $id"
[ "$(desktop_value "$desktop" Name)" = Tastenrenner ] || fail "Name is not Tastenrenner"
[ "$(desktop_value "$desktop" Categories)" = "Game;ArcadeGame;" ] || fail "Categories are not Game;ArcadeGame;"
[ "$(desktop_value "$desktop" StartupWMClass)" = "$program" ] || fail "StartupWMClass is not $program"

# The metadata names the same application, menu entry and program.
has() { grep -q -- "$2" "$1" || fail "$(basename "$1") lacks $2"; }
has "$metainfo" "<id>$id</id>"
has "$metainfo" "<launchable type=\"desktop-id\">$id.desktop</launchable>"
has "$metainfo" "<binary>$program</binary>"
has "$metainfo" "<metadata_license>CC0-1.0</metadata_license>"
has "$metainfo" "<project_license>MIT</project_license>"
has "$metainfo" "<content_rating type=\"oars-1.1\""
has "$metainfo" '<component type="desktop-application">'
# The newest release comes first and is the version being built.
release=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
release_version=$(printf '%s' "$release" | sed -n 's/.*version="\([^"]*\)".*/\1/p')
release_date=$(printf '%s' "$release" | sed -n 's/.*date="\([^"]*\)".*/\1/p')
[ "$release_version" = "$version" ] || fail "the newest release in the metadata is '$release_version', the build is $version"
[ -n "$release_date" ] || fail "the newest release has no date"

# The manual page: section 6 (games), this version, dated with the release.
th=$(grep '^\.TH ' "$dir/$program.6")
[ "$th" = ".TH TASTENRENNER 6 $release_date \"Tastenrenner $version\" \"Games\"" ] \
    || fail "the manual page's heading '$th' does not match section 6, $release_date and version $version"

# The Debian changelog's newest entry is this package's version, signed on the release's day.
first=$(head -n 1 "$dir/changelog.Debian")
case $first in
    "tastenrenner ($version-$revision) "*) ;;
    *) fail "the changelog's newest entry '$first' is not version $version-$revision" ;;
esac
signed=$(sed -n 's/^ -- .*>  //p' "$dir/changelog.Debian" | head -n 1)
[ -n "$signed" ] || fail "the changelog's newest entry has no signature line"
[ "$(date -u -d "$signed" +%F)" = "$release_date" ] || fail "the changelog was signed on '$signed', the release is $release_date"
# dpkg reads the day of the week too and warns when it does not fit the date.
[ "$(date -u -d "$signed" '+%a, %d %b %Y')" = "$(printf '%s' "$signed" | cut -c1-16)" ] \
    || fail "the changelog's date '$signed' names the wrong day of the week"

# The icon is square, as icon themes expect of a scalable icon, and well-formed where xmllint is there.
viewbox=$(grep -o 'viewBox="[^"]*"' "$icon" | head -n 1)
# shellcheck disable=SC2046 # the split is wanted here: one positional parameter per number of the box
set -- $(printf '%s' "$viewbox" | sed 's/viewBox="\(.*\)"/\1/')
{ [ "$#" -eq 4 ] && [ "$3" = "$4" ]; } || fail "the icon's $viewbox is not square"
if command -v xmllint >/dev/null 2>&1; then
    xmllint --noout "$icon" "$metainfo" || fail "the icon or the metadata is not well-formed XML"
fi

# The copyright file carries the same licence text as the project's LICENSE, word for word.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed -n '/^Permission is hereby granted/,$p' "$license" | sed 's/[[:space:]]*$//' >"$work/license"
awk 'found && /^ / { sub(/^ /, ""); if ($0 == ".") $0 = ""; print; next }
     found { exit }
     /^License: Expat$/ { blocks++; if (blocks == 2) found = 1 }' "$dir/copyright" >"$work/copyright"
[ -s "$work/copyright" ] || fail "the copyright file has no stand-alone Expat licence paragraph"
diff -u "$work/license" "$work/copyright" || fail "the copyright file's licence text differs from LICENSE"
grep -q "^Copyright: 2026 The Tastenrenner developers$" "$dir/copyright" || fail "the copyright file names another holder than LICENSE"
grep -q "^Copyright (c) 2026 The Tastenrenner developers$" "$license" || fail "LICENSE names another holder"

echo "metadata: $id $version-$revision agrees across all packaging files"
