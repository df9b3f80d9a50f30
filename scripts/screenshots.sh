#!/usr/bin/env bash
# Takes the README's pictures from the real programs: publishes the demo puzzle, plays it on a
# virtual X server (the board, the preview window, the preferences, a nearly finished puzzle)
# and draws the cut sheets with `pictorra-publish inspect --sheet`. Writes PNGs into docs/.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build/, built with `make` first)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
docs=docs
for program in "$build/pictorra-publish" "$build/pictorra-vaze"; do
  [ -x "$program" ] || { echo "no $program: build first (make)"; exit 1; }
done

# What this script needs and the build does not.
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v python3 >/dev/null || missing+=(python3)
command -v import >/dev/null && command -v convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A small PNG of at most 300 KB: the picture scaled to WIDTH pixels, with a reduced palette.
shrink() { # SOURCE WIDTH TARGET
  convert "$1" -resize "$2x>" -strip -colors 255 -define png:compression-level=9 "$3"
  local size
  size=$(stat -c %s "$3")
  [ "$size" -le 300000 ] || { echo "$3 is $size bytes, over 300 KB"; exit 1; }
  echo "wrote $3 ($((size / 1024)) KB)"
}

publish() { # OUTPUT CUT [OPTION...]
  local output="$1" cut="$2"
  shift 2
  "$build/pictorra-publish" --game "$build/pictorra-vaze" --picture assets/mountain-lake.jpg \
      --cut "$cut" --title "Mountain Lake" "$@" -o "$output" >/dev/null
}

# The cuts, side by side: each one's sheet of every piece, cropped to the same corner.
echo "drawing the cut sheets"
sheets=()
for cut in small medium large huge square angular wavy jagged; do
  publish "$work/$cut" "$cut"
  "$build/pictorra-publish" inspect --sheet "$work/$cut.bmp" "$work/$cut" >/dev/null
  convert "$work/$cut.bmp" -gravity northwest -crop 400x280+0+0 +repage \
      -background white -gravity south -splice 0x22 -pointsize 18 -annotate +0+2 "$cut" \
      "$work/$cut-tile.png"
  sheets+=("$work/$cut-tile.png")
done
montage "${sheets[@]}" -tile 4x2 -geometry +6+6 -background '#d8d8d8' "$work/cuts.png" 2>/dev/null ||
  convert \( "${sheets[@]:0:4}" +append \) \( "${sheets[@]:4:4}" +append \) -append "$work/cuts.png"
shrink "$work/cuts.png" 900 "$docs/cuts.png"

# The game on a virtual screen with no window manager: windows sit where the game puts them.
display_number=97
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The game keeps its working files and saved position here, not in the user's own folder.
export XDG_STATE_HOME="$work/state"
export QT_QPA_PLATFORM=xcb
publish "$work/MountainLake" medium --target 0:45

window=""
start_game() {
  "$work/MountainLake" >/dev/null 2>&1 &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "Mountain Lake" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "the game window did not appear"; exit 1; }
  # Loading shows its progress in the title; the pieces are down when it is gone.
  for _ in $(seq 150); do
    case "$(xdotool getwindowname "$window")" in *Loaded*) sleep 0.2 ;; *) break ;; esac
  done
  xdotool windowmove "$window" 0 0 windowsize "$window" 1100 760
  sleep 1.5
}

stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
}

# Keys reach the window that has the focus; with no window manager the script gives it.
key() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
  sleep 1
}

snap() { # WINDOW FILE
  import -window "$1" "$2"
}

echo "playing the demo on $DISPLAY"
start_game
snap "$window" "$work/board.png"
shrink "$work/board.png" 800 "$docs/board.png"

# The preview window over the board's corner, both on one screen.
key ctrl+f
preview=$(xdotool search --onlyvisible --name "Puzzle preview" 2>/dev/null | head -1 || true)
if [ -n "$preview" ]; then
  xdotool windowsize "$window" 1280 800
  eval "$(xdotool getwindowgeometry --shell "$preview")"
  xdotool windowmove "$preview" $((1280 - WIDTH - 24)) $((800 - HEIGHT - 44))
  sleep 1.5
  snap root "$work/preview.png"
  convert "$work/preview.png" -crop 1280x800+0+0 +repage "$work/preview.png"
  shrink "$work/preview.png" 800 "$docs/preview.png"
  key ctrl+f
else
  echo "no preview window appeared; docs/preview.png left as it was"
fi

# The preferences dialog, a modal window of its own.
key ctrl+p
dialog=$(xdotool search --onlyvisible --name " - Options" 2>/dev/null | tail -1 || true)
if [ -n "$dialog" ] && [ "$dialog" != "$window" ]; then
  snap "$dialog" "$work/options.png"
  shrink "$work/options.png" 600 "$docs/options.png"
  # The dialog closes on the key press; the release then finds no window.
  xdotool key --window "$dialog" Escape 2>/dev/null || true
  sleep 0.5
else
  echo "no preferences dialog appeared; docs/options.png left as it was"
fi

# A nearly finished puzzle: save the scattered position, join all but six pieces in it (the
# big group unturned, framed in the view the game opens with), and start again, which
# restores the saved position. The position file is little-endian: a 340-byte header with the
# grid's columns at 324, the piece count, 52-byte piece records (col, row, x, y, turn, sides),
# then the groups (cell count, x, y, then col and row of each cell).
near_finish() { # POSITION_FILE PICTURE_WIDTH PICTURE_HEIGHT
  python3 - "$@" <<'EOF'
import struct, sys
path, pw, ph = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, 'rb').read()
cols = struct.unpack_from('<i', data, 324)[0]
(n,) = struct.unpack_from('<i', data, 340)
rows = n // cols
records = [list(struct.unpack_from('<13i', data, 344 + 52 * i)) for i in range(n)]
loose = [(cols - 1, rows - 1), (cols - 2, rows - 1), (cols - 1, rows - 2), (0, rows - 1), (3, 4), (cols - 4, 2)]
left, top = 2242, 2240
spots = [(left + pw + 50, top + 60), (left + pw + 40, top + 260), (left + pw + 60, top + 460),
         (left - 110, top + 80), (left - 100, top + 300), (left - 120, top + 500)]
for rec in records:
    if (rec[0], rec[1]) not in loose:
        rec[4] = 0
out = bytearray(data[:344])
for rec in records:
    out += struct.pack('<13i', *rec)
joined = [(c, r) for r in range(rows) for c in range(cols) if (c, r) not in loose]
out += struct.pack('<i', 1 + len(loose)) + struct.pack('<iii', len(joined), left, top)
for c, r in joined:
    out += struct.pack('<ii', c, r)
for (c, r), (x, y) in zip(loose, spots):
    out += struct.pack('<iiiii', 1, x, y, c, r)
open(path, 'wb').write(out)
EOF
}

key ctrl+s
stop_game
saved=$(find "$XDG_STATE_HOME" -name '*.sav' | head -1)
if [ -n "$saved" ]; then
  near_finish "$saved" 800 600
  start_game
  snap "$window" "$work/nearly.png"
  shrink "$work/nearly.png" 800 "$docs/nearly-finished.png"
  stop_game
else
  echo "no saved position appeared; docs/nearly-finished.png left as it was"
fi
