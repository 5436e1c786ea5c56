#!/bin/sh
# Installs the build into a scratch prefix and checks that exactly the game's files land where desktops look for them.
# Usage: install-layout.sh CMAKE BUILD_DIR BINDIR APP_ID PACKAGING_DIR WORK_DIR
set -eu
. "$(dirname "$0")/lib.sh"
need gzip
cmake=$1 build=$2 bindir=$3 id=$4 dir=$5 work=$6
prefix=$work/prefix
rm -rf "$work"
mkdir -p "$work"

# Installed under a umask that lets the group write, as many desktop users have: the install itself
# has to keep the files and directories from becoming group-writable.
umask 002
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install failed"; }

expected="./$bindir/tastenrenner
./share/applications/$id.desktop
./share/doc/tastenrenner/copyright
./share/icons/hicolor/scalable/apps/$id.svg
./share/man/man6/tastenrenner.6.gz
./share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . ! -type d | LC_ALL=C sort)
if [ "$actual" != "$(printf '%s\n' "$expected" | LC_ALL=C sort)" ]; then
    printf 'expected:\n%s\ninstalled:\n%s\n' "$expected" "$actual" >&2
    fail "a plain install put other files in place than the game's"
fi

# The program is executable by all, everything else only readable; only root may write any of it.
mode() { stat -c %a "$prefix/$1"; }
[ "$(mode "$bindir/tastenrenner")" = 755 ] || fail "the program is installed with mode $(mode "$bindir/tastenrenner")"
for file in $(printf '%s\n' "$expected" | grep -v "/tastenrenner$"); do
    [ "$(mode "$file")" = 644 ] || fail "$file is installed with mode $(mode "$file")"
done
for directory in $(cd "$prefix" && find . -mindepth 1 -type d); do
    [ "$(mode "$directory")" = 755 ] || fail "directory $directory is installed with mode $(mode "$directory")"
done

# What is installed is what is in the source tree: copied as is, or compressed without loss.
same() { cmp -s "$1" "$2" || fail "$2 differs from $1"; }
same "$dir/$id.desktop" "$prefix/share/applications/$id.desktop"
same "$dir/$id.metainfo.xml" "$prefix/share/metainfo/$id.metainfo.xml"
same "$dir/$id.svg" "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
same "$dir/copyright" "$prefix/share/doc/tastenrenner/copyright"
gzip -dc "$prefix/share/man/man6/tastenrenner.6.gz" >"$work/tastenrenner.6"
same "$dir/tastenrenner.6" "$work/tastenrenner.6"
# Compressed without a name or time stamp (header flags and time are zero), so the same page always gives the same bytes.
[ "$(od -An -tu1 -j3 -N5 "$prefix/share/man/man6/tastenrenner.6.gz" | tr -d ' \n')" = 00000 ] \
    || fail "the manual page's gzip header carries a file name or a time stamp"

# The Debian-only files install on request and only then.
"$cmake" --install "$build" --prefix "$prefix" --component debian >>"$work/install.log" || fail "installing the debian component failed"
gzip -dc "$prefix/share/doc/tastenrenner/changelog.Debian.gz" >"$work/changelog.Debian"
same "$dir/changelog.Debian" "$work/changelog.Debian"
same "$dir/lintian-overrides" "$prefix/share/lintian/overrides/tastenrenner"

rm -rf "$work"
echo "install: the game's six files are in place under $bindir and share"
