#!/usr/bin/env bash
# Takes docs/windows.png: the Windows build of the editor on the sample pair, under Wine in a
# desktop window of Wine's own, driven with xdotool. With a DPI (144 is Windows' 150 %), the
# same at that density into docs/windows-DPIdpi.png, everything scaled by DPI/96.
# With "problems" instead, docs/windows-problems.png: the problems list on a pair where every
# rule fires, the fourth problem shown.
# Usage: tools/dev/screenshots-windows.sh [DPI|problems]   (after scripts/test-windows has built
# build-win/)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
dpi=${1:-96}
pair=("$root/samples/lore.gas")
if [ "$dpi" = problems ]; then
  dpi=96
  pair=("$root/tests/data/findings_lore.gas" "$root/tests/data/findings_trs_book_lore.gas")
fi
scaled() { echo $(($1 * dpi / 96)); }
out=docs/windows.png
[ "$dpi" = 96 ] || out=docs/windows-${dpi}dpi.png
[ ${#pair[@]} = 1 ] || out=docs/windows-problems.png
display=:94
Xvfb $display -screen 0 "$(scaled 1100)x$(scaled 760)x24" >/dev/null 2>&1 &
xvfb=$!
WINEPREFIX="$(mktemp -d)"
export DISPLAY=$display WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
sleep 1
wineserver -p
wineboot -i >/dev/null 2>&1
if [ "$dpi" != 96 ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
fi

# Inside Wine's desktop the windows are not X windows of their own: keys go to the desktop, and
# Wine hands them to its active window.
desktop() { xdotool windowfocus --sync "$(timeout 20 xdotool search --sync --onlyvisible --name "Wine desktop" | head -1)"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

args=()
for file in "${pair[@]}"; do args+=("$(windows_path "$file")"); done
wine explorer "/desktop=Tomecraft,$(scaled 1000)x$(scaled 700)" build-win/src/tomecraft.exe "${args[@]}" &
desktop
sleep 4
xdotool key Escape
sleep 1
xdotool key Return # the pair from the command line
sleep 2
# The template before the last one (book_ledger_of_osric). The title bar is left out: Wine draws
# its buttons with a font it lacks here.
if [ ${#pair[@]} = 1 ]; then xdotool key End Up; else xdotool key F8 F8 F8 F8; fi
sleep 1
import -window root -crop "$(scaled 1000)x$(scaled 678)+0+$(scaled 22)" +repage "$out"
xdotool key alt+f
sleep 0.3
xdotool key x
