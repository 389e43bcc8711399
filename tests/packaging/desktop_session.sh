#!/usr/bin/env bash
# A user's desktop session with the installed package, under Xvfb (run as that user by
# package_test.sh):   desktop_session.sh <folder for logs and screens>
# Starts Tarvello with its menu entry's command, checks the per-user settings file, changes
# the language in the language window, checks it after a restart, opens the product
# document and starts Pinvale from the toolbar (which opens a wiring diagram), then starts
# Pinvale from its own menu entry and checks that it wrote nothing. The documents open in
# a PDF viewer of the user's own that notes what it was asked to open.
set -euo pipefail
out=${1:?usage: desktop_session.sh <folder>}
mkdir -p "$out"
applications=/usr/share/applications
program_dir=/opt/tarvello
settings="$HOME/.config/tarvello/Tarvello.ini"

# A failure keeps a picture of the screen beside the logs.
fail() {
  echo "FAIL: $*" >&2
  [ -z "${DISPLAY:-}" ] || import -window root "$out/screen.png" 2>/dev/null || true
  exit 1
}
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$out/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
export DISPLAY=":$(cat "$out/display")"

# The command of a menu entry, without its field codes (%f and the like).
entry_command() { sed -n 's/^Exec=//p' "$applications/$1" | head -n 1 | sed 's/ *%[fFuUik]//g'; }

# Waits for a visible window whose title matches; prints its id.
wait_window() {
  local id
  id=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
  [ -n "$id" ] || { xwininfo -root -tree >"$out/windows.txt" 2>&1 || true; fail "no window '$1' (windows: $out/windows.txt)"; }
  echo "$id"
}

# Clicks a toolbar button of the main window: the buttons are 33 pixels apart from
# x = 19, on the row y = 38 (the main window fills the screen from its corner).
click_toolbar() { xdotool mousemove --sync "$((19 + 33 * $1))" 38 click 1; }

start() { # <name> <command...>: starts a program in the background, logging to <name>.log
  local name=$1; shift
  "$@" >"$out/$name.log" 2>&1 &
  last_pid=$!
  pids+=("$last_pid")
}
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }

# A PDF viewer of the user's own that only notes what it was asked to open.
mkdir -p "$HOME/.local/share/applications" "$HOME/bin"
cat >"$HOME/bin/note-pdf" <<NOTE
#!/bin/sh
echo "\$1" >>"$out/opened.txt"
NOTE
chmod +x "$HOME/bin/note-pdf"
cat >"$HOME/.local/share/applications/note-pdf.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Note PDF
Exec=$HOME/bin/note-pdf %f
MimeType=application/pdf;
NoDisplay=true
DESKTOP
xdg-mime default note-pdf.desktop application/pdf

[ -w "$program_dir" ] && fail "$program_dir can be written by $(id -un): the test needs an installed, read-only program folder"
[ -e "$settings" ] && fail "$settings exists before the first start"

echo "-- first start: $(entry_command example.tarvello.Tarvello.desktop)"
start tarvello $(entry_command example.tarvello.Tarvello.desktop)
tarvello_pid=$last_pid
wait_window '^(.* - )?Tarvello - Calculation program$' >/dev/null
[ -f "$settings" ] || fail "no per-user settings file $settings"
cmp -s "$settings" "$program_dir/Tarvello.ini" || fail "$settings is not the shipped default"
echo "per-user settings made from the shipped default: $settings"

echo "-- language change to German"
click_toolbar 2
language_window=$(wait_window '^Selection language$')
xdotool windowfocus --sync "$language_window"
xdotool key --window "$language_window" Tab Tab Tab space # Italian, English, French, German
wait_window '^(.* - )?Tarvello - Berechnungsprogramm$' >/dev/null
grep -qx 'Multi= 700' "$settings" || fail "the language was not written to $settings"
stop "$tarvello_pid"

echo "-- restart"
start tarvello-again $(entry_command example.tarvello.Tarvello.desktop)
tarvello_pid=$last_pid
wait_window '^(.* - )?Tarvello - Berechnungsprogramm$' >/dev/null
echo "German after the restart"

echo "-- product document"
click_toolbar 3
for _ in $(seq 100); do [ -s "$out/opened.txt" ] && break; sleep 0.1; done
[ -s "$out/opened.txt" ] || fail "no product document was opened (tarvello log: $(cat "$out/tarvello-again.log"))"
grep -qx "$program_dir/DTBDE04-7.pdf" "$out/opened.txt" || fail "opened $(cat "$out/opened.txt"), not the German document"
echo "opened $(cat "$out/opened.txt")"

echo "-- Pinvale from Tarvello"
click_toolbar 4
configurator=$(wait_window '^Velmora Controller Configurator$')
configurator_pid=$(xdotool getwindowpid "$configurator")
[ "$(readlink "/proc/$configurator_pid/exe")" = "$program_dir/pinvale" ] || fail "Tarvello started $(readlink "/proc/$configurator_pid/exe")"
# Its wiring diagram button (beside the diagram's name) opens the diagram of its folder.
xdotool mousemove --window "$configurator" 577 295 click 1
for _ in $(seq 100); do [ "$(wc -l <"$out/opened.txt")" -ge 2 ] && break; sleep 0.1; done
diagram=$(sed -n 2p "$out/opened.txt")
case $diagram in
  "$program_dir/wiring diagrams/"w*.pdf) echo "Pinvale opened $diagram" ;;
  *) fail "Pinvale's wiring diagram button opened '${diagram}'" ;;
esac
kill "$configurator_pid"
stop "$tarvello_pid"

echo "-- Pinvale from its menu entry: $(entry_command example.tarvello.Pinvale.desktop)"
touch "$out/before-pinvale"
sleep 1 # file times have a resolution of a second on some file systems
start pinvale $(entry_command example.tarvello.Pinvale.desktop)
pinvale_pid=$last_pid
wait_window '^Velmora Controller Configurator$' >/dev/null
stop "$pinvale_pid"
written=$(find "$HOME" -newer "$out/before-pinvale" -type f ! -path "$HOME/.cache/*" 2>/dev/null)
[ -z "$written" ] || fail "Pinvale wrote $written"
echo "Pinvale wrote nothing in $HOME"
echo "session passed"
