#!/bin/sh
# Installs the Debian package for real, starts the game the way its menu entry does, and removes the package again.
# Usage: installed-game-starts.sh PACKAGES_DIR APP_ID
# Needs root; it will not touch a machine where the game is already installed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
need dpkg dpkg-query xvfb-run xdotool xprop
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
deb=$(the_package "$1")
id=$2
status=$(dpkg-query -W -f='${db:Status-Status}' tastenrenner 2>/dev/null || true)
case $status in
    "" | not-installed) ;;
    *) skip "tastenrenner is already on this machine ($status); leaving it alone" ;;
esac

installed=false
remove() {
    if $installed; then
        dpkg --purge tastenrenner >/dev/null 2>&1 || true
    fi
}
trap remove EXIT
installed=true
dpkg -i "$deb" || fail "dpkg -i $(basename "$deb") failed"
[ "$(dpkg-query -W -f='${db:Status-Status}' tastenrenner)" = installed ] || fail "the package did not end up installed"

desktop=/usr/share/applications/$id.desktop
[ -f "$desktop" ] || fail "no menu entry at $desktop"
# A desktop session's search path for a user, not root's, which lacks /usr/games.
command=$(desktop_value "$desktop" Exec)
program=$(PATH=/usr/bin:/bin:/usr/games command -v "$command" || true)
[ "$program" = /usr/games/tastenrenner ] || fail "the menu entry's Exec '$command' finds '$program', not /usr/games/tastenrenner"

xvfb-run -a -s "-screen 0 800x600x24" \
    sh "$here/window-appears.sh" "$program" "Der Tastenrenner" "$(desktop_value "$desktop" StartupWMClass)"

dpkg --purge tastenrenner || fail "dpkg --purge tastenrenner failed"
installed=false
for file in /usr/games/tastenrenner "$desktop"; do
    [ ! -e "$file" ] || fail "$file is still there after the package was removed"
done
echo "installed package: the game started from its menu entry and was removed cleanly"
