#!/usr/bin/env bash
# Takes a picture of every window into docs/screenshots/, for the README and
# the manual. Re-run it whenever a window changes, then rebuild the manual.
#
#     scripts/screenshots.sh [BUILD_DIR]
#
# The windows are walked by tools/screenshots on a sample program folder,
# under a virtual screen (xvfb-run) with a window manager (openbox, when
# installed) so that the pictures show the windows' frames as a desktop draws
# them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/docs/screenshots

cmake --build "$build" --target scontrix_screenshots scontrix_manual
tool=$(find "$build" -name scontrix_screenshots -type f -perm -u+x | head -n 1)

work=$(mktemp -d "${TMPDIR:-/tmp}/scontrix-shots.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs inside the virtual display: the window manager first, then the walk.
cat > "$work/walk.sh" <<'WALK'
#!/usr/bin/env bash
set -u
if command -v openbox > /dev/null; then
  openbox --sm-disable &
  wm=$!
  sleep 1
fi
QT_QPA_PLATFORM=xcb "$1" "$2"
status=$?
[[ -n ${wm:-} ]] && kill "$wm" 2> /dev/null
exit $status
WALK
chmod +x "$work/walk.sh"

mkdir -p "$work/shots"
# Screen size: room for the full-screen windows' 1016 x 713 design and a frame.
xvfb-run -a -s '-screen 0 1100x800x24 -dpi 96' "$work/walk.sh" "$tool" "$work/shots"

# Small files: fewer colours where a tool for it is installed.
for png in "$work"/shots/*.png; do
  if command -v pngquant > /dev/null; then
    pngquant --force --skip-if-larger --quality 80-95 --output "$png" -- "$png" || true
  fi
  if command -v optipng > /dev/null; then
    optipng -quiet -o2 "$png" || true
  fi
done
mkdir -p "$out"
rm -f "$out"/*.png
cp "$work"/shots/*.png "$out"/
ls -l "$out"
