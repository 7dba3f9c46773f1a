#!/usr/bin/env bash
# Takes docs/windows.png: the Windows build of the editor on the sample pair, under Wine in a
# desktop window of Wine's own, driven with xdotool.
# Usage: tools/dev/screenshots-windows.sh   (after scripts/test-windows has built build-win/)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
display=:94
Xvfb $display -screen 0 1100x760x24 >/dev/null 2>&1 &
xvfb=$!
WINEPREFIX="$(mktemp -d)"
export DISPLAY=$display WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
sleep 1
wineserver -p
wineboot -i >/dev/null 2>&1

# Inside Wine's desktop the windows are not X windows of their own: keys go to the desktop, and
# Wine hands them to its active window.
desktop() { xdotool windowfocus --sync "$(timeout 20 xdotool search --sync --onlyvisible --name "Wine desktop" | head -1)"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

wine explorer /desktop=Tomecraft,1000x700 build-win/src/tomecraft.exe &
desktop
sleep 4
xdotool key Escape
sleep 1
xdotool type --delay 1 "$(windows_path "$root/samples/lore.gas")"
xdotool key Tab Tab
xdotool type --delay 1 "$(windows_path "$root/samples/trs_book_lore.gas")"
xdotool key Return
sleep 2
# The template before the last one (book_ledger_of_osric). The title bar is left out: Wine draws
# its buttons with a font it lacks here.
xdotool key End Up
sleep 1
import -window root -crop 1000x678+0+22 +repage docs/windows.png
xdotool key alt+f
sleep 0.3
xdotool key x
