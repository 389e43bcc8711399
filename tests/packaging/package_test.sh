#!/usr/bin/env bash
# The Debian package end to end:   package_test.sh <build folder>
# Builds the package with cpack, checks its contents, dependencies and lintian report,
# installs it with dpkg, validates the installed desktop files, runs a desktop session as
# a new non-root user under Xvfb (desktop_session.sh), removes the package and checks that
# nothing of it is left but the user's settings. Needs root; exits 77 (skipped) without.
set -euo pipefail
build=$(cd "${1:?usage: package_test.sh <build folder>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
package=tarvello
user=tarvello-pkgtest

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo; echo "== $*"; }

[ "$(id -u)" -eq 0 ] || skip "installing the package needs root"
for tool in cpack dpkg dpkg-deb lintian desktop-file-validate appstreamcli Xvfb xdotool xwininfo xdg-mime runuser useradd; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done
# The test installs and removes the package: never on a machine that has it for real.
dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^.[iUFHWt]' \
  && skip "the $package package is installed on this machine"
[ -e /opt/tarvello ] && skip "/opt/tarvello exists on this machine"
id "$user" >/dev/null 2>&1 && skip "the user $user exists already"

work=$(mktemp -d /tmp/tarvello-package-test.XXXXXX)
installed=0
user_created=0
cleanup() {
  [ "$installed" -eq 0 ] || dpkg --purge "$package" >/dev/null 2>&1 || true
  [ "$user_created" -eq 0 ] || userdel -r "$user" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

step "Building the package"
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$work/package" -maxdepth 1 -name "${package}_*.deb" | head -n 1)
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "cpack made no package"; }
echo "$(basename "$deb"): $(du -h "$deb" | cut -f1)"

step "Contents"
dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' >"$work/contents.txt"
expected=(
  ./opt/tarvello/tarvello ./opt/tarvello/pinvale ./opt/tarvello/tarvello.mdb ./opt/tarvello/pinvale.mdb
  ./opt/tarvello/Tarvello.ini ./opt/tarvello/DTBEN04-7.pdf ./opt/tarvello/DTBIT04-7.pdf
  "./opt/tarvello/wiring diagrams/"
  "./usr/bin/tarvello -> /opt/tarvello/tarvello" "./usr/bin/pinvale -> /opt/tarvello/pinvale"
  ./usr/share/applications/example.tarvello.Tarvello.desktop
  ./usr/share/applications/example.tarvello.Pinvale.desktop
  ./usr/share/metainfo/example.tarvello.Tarvello.metainfo.xml
  ./usr/share/mime/packages/tarvello.xml
  ./usr/share/icons/hicolor/scalable/apps/tarvello.svg ./usr/share/icons/hicolor/scalable/apps/pinvale.svg
  ./usr/share/icons/hicolor/48x48/apps/tarvello.png ./usr/share/icons/hicolor/256x256/apps/pinvale.png
  ./usr/share/doc/tarvello/copyright ./usr/share/doc/tarvello/changelog.gz
  ./usr/share/man/man1/tarvello.1.gz ./usr/share/man/man1/pinvale.1.gz
)
if [ -x "$build/app/tarvello-cli" ]; then
  expected+=(./opt/tarvello/tarvello-cli "./usr/bin/tarvello-cli -> /opt/tarvello/tarvello-cli"
             ./usr/share/man/man1/tarvello-cli.1.gz)
fi
for path in "${expected[@]}"; do
  grep -qxF -- "$path" "$work/contents.txt" || fail "the package lacks $path"
done
[ "$(grep -c '^\./opt/tarvello/wiring diagrams/.*\.pdf$' "$work/contents.txt")" -gt 0 ] || fail "no wiring diagrams in the package"
# Only what the user gets: no build files, no developer's settings.
if grep -E 'CMakeFiles|_autogen|\.o$|\.a$' "$work/contents.txt"; then fail "build files in the package"; fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./opt/tarvello/Tarvello.ini | cmp -s - "$here/../../data/Tarvello.ini" \
  || fail "the packaged Tarvello.ini is not the shipped default"
echo "$(wc -l <"$work/contents.txt") entries, all expected ones present"

step "Dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libmdb3 xdg-utils; do
  grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library"
done

step "lintian"
# Kept warnings and why: packaging/lintian-overrides.
lintian --allow-root --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.txt" || fail "lintian reports errors"
if grep -q '^E:' "$work/lintian.txt"; then fail "lintian reports errors"; fi

step "Installing with dpkg"
installed=1
dpkg -i "$deb" || fail "dpkg -i failed"
for program in tarvello pinvale tarvello-cli; do
  [ -e "/opt/tarvello/$program" ] || continue
  missing=$(ldd "/opt/tarvello/$program" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$program misses libraries: $missing"
done
desktop-file-validate /usr/share/applications/example.tarvello.*.desktop || fail "an installed menu entry is not valid"
appstreamcli validate --no-net /usr/share/metainfo/example.tarvello.Tarvello.metainfo.xml || fail "the installed AppStream file is not valid"
[ -f /usr/share/mime/application/x-tarvello-project.xml ] || fail "the project file type is not in the MIME database"
echo "installed; menu entries, metadata and project file type valid and registered"

step "A desktop session as the new user $user"
useradd --create-home --shell /bin/bash "$user"
user_created=1
session=$(mktemp -d /tmp/tarvello-session.XXXXXX)
chown "$user": "$session"
home=$(getent passwd "$user" | cut -d: -f6)
runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/local/bin:/usr/bin:/bin \
  LANG=C.UTF-8 "$here/desktop_session.sh" "$session" \
  || { tail -n 20 "$session"/*.log 2>/dev/null; fail "the desktop session failed (its logs and screen: $session)"; }
rm -rf "$session"

step "Removing with dpkg -r"
dpkg -r "$package" || fail "dpkg -r failed"
left=""
while IFS= read -r path; do
  path=${path#.}
  path=${path%% -> *}
  case $path in */) continue ;; esac # folders may be shared with other packages
  if [ -e "$path" ] || [ -L "$path" ]; then left+="$path"$'\n'; fi
done <"$work/contents.txt"
[ -z "$left" ] || fail "left after removal: $left"
[ ! -e /opt/tarvello ] || fail "/opt/tarvello is left after removal: $(find /opt/tarvello | head)"
[ ! -e /usr/share/mime/application/x-tarvello-project.xml ] || fail "the project file type is left in the MIME database"
[ -f "$home/.config/tarvello/Tarvello.ini" ] || fail "the user's settings went with the package"
status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
case $status in "" | ?n*) ;; *) fail "dpkg still lists $package as '$status' after removal" ;; esac
installed=0
echo "removed: nothing of the package is left, the user's settings stay in $home/.config/tarvello"
echo; echo "package test passed"
