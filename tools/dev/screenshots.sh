#!/usr/bin/env bash
# Takes the screenshots in docs/: the editor on the sample pair under Xvfb, driven with xdotool.
# Usage: tools/dev/screenshots.sh   (after a build; needs xvfb, xdotool and imagemagick)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
bin=build/src/tomecraft
home=$(mktemp -d)
display=:93
Xvfb $display -screen 0 1100x760x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
export DISPLAY=$display HOME=$home XDG_CONFIG_HOME=$home/.config
sleep 1

focus() { xdotool windowfocus --sync "$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1)"; }
shot() { sleep 0.6; import -window root -crop "$2" +repage "docs/$1.png"; }
# The main window's size, which follows the font and the problems list.
window=1000x700+0+0

$bin & app=$!
focus "About Tomecraft"; shot about 1100x760+0+0
xdotool key Escape
focus "Open"
xdotool type --delay 1 "$root/samples/lore.gas"; xdotool key Tab Tab
xdotool type --delay 1 "$root/samples/trs_book_lore.gas"
shot open-dialog 1100x760+0+0
xdotool key Return
focus "Tomecraft"
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Tomecraft$' | head -1)")"; window=${WIDTH}x${HEIGHT}+0+0
sleep 0.5; xdotool mousemove 110 103 click 1; sleep 0.3; xdotool click 1   # abbey_founding
shot screenshot $window
xdotool mousemove 130 310 click 1          # book_ledger_of_osric
shot template-form $window
xdotool key ctrl+b
focus "New Lore Book"; xdotool type "The Lost Verse"; shot new-node 1100x760+0+0
xdotool key Escape
focus "Tomecraft"
xdotool key alt+f; sleep 0.3; xdotool key b
focus "Backup Location"; shot backup-location 1100x760+0+0
xdotool key Escape
focus "Tomecraft"
xdotool key ctrl+f
focus "Find"; xdotool type "ferry"; shot find 1100x760+0+0
xdotool key Return
focus "Tomecraft"; sleep 0.3
xdotool key shift+F10; sleep 0.4; xdotool key Up Return   # Delete, from the context menu
sleep 0.6; xdotool key Return                             # Yes
sleep 0.4; xdotool key alt+e; shot edit-menu $window
xdotool key Escape
focus "Tomecraft"
xdotool mousemove 120 264 click 1          # book_ferry_song, whose book is gone now
sleep 0.4; xdotool key shift+F10; shot point-at-book $window
xdotool key Escape

# A pair where every rule fires, with the first problem shown by F8.
kill $app; wait $app 2>/dev/null || true
rm -rf "$home"/.config # a first start again, with no paths to offer
$bin & app=$!
focus "About Tomecraft"; xdotool key Escape
focus "Open"
xdotool type --delay 1 "$root/tests/data/findings_lore.gas"; xdotool key Tab Tab
xdotool type --delay 1 "$root/tests/data/findings_trs_book_lore.gas"; xdotool key Return
focus "Tomecraft"; sleep 0.5; xdotool key F8 F8 F8 F8 F8 F8; shot problems "$window"

# The sample pair with its German open from the language folder beside it (File > Open
# Translation offers it), a book whose translation is stale selected: a copy, since opening a
# language file locks it.
kill $app; wait $app 2>/dev/null || true
rm -rf "$home"/.config
mkdir -p "$home/pair/language"
cp samples/lore.gas samples/trs_book_lore.gas "$home/pair/"
cp samples/language/german.gas "$home/pair/language/"
$bin & app=$!
focus "About Tomecraft"; xdotool key Escape
focus "Open"
xdotool type --delay 1 "$home/pair/lore.gas"; xdotool key Tab Tab
xdotool type --delay 1 "$home/pair/trs_book_lore.gas"; xdotool key Return
focus "Tomecraft"; sleep 0.5
xdotool key alt+f; sleep 0.5; xdotool key t
focus "Open Translation"; xdotool key Return
focus "Tomecraft"; sleep 0.5
xdotool mousemove 110 149 click 1          # ledger_of_osric
shot translation $window
