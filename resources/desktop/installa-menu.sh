#!/bin/sh
# Adds Scontrix to the desktop's applications menu for the current user, with
# its icon, pointing at this program folder. Run it again after moving the
# folder; "installa-menu.sh --rimuovi" takes the entry away again.
# Nothing outside the user's own menu and icon folders is written.
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
entry=$data/applications/scontrix.desktop
icon=$data/icons/hicolor/scalable/apps/scontrix.svg

if [ "${1:-}" = "--rimuovi" ]; then
  rm -f "$entry" "$icon"
  echo "Scontrix tolto dal menu delle applicazioni."
  exit 0
fi

if [ ! -x "$folder/scontrix" ]; then
  echo "Il programma scontrix non si trova in $folder." >&2
  exit 1
fi

mkdir -p "$(dirname "$entry")" "$(dirname "$icon")"
cp "$folder/scontrix.svg" "$icon"
# The entry shipped in the folder, with the program's own place written in:
# a desktop entry cannot name a program relative to itself. Inside the quoted
# program path the characters " ` $ and \ are escaped as desktop entries want.
quoted=$(printf '%s' "$folder" | sed 's/["`$\\]/\\\\&/g')
{
  grep -v -e '^Exec=' -e '^Path=' "$folder/scontrix.desktop"
  printf 'Exec="%s/scontrix"\n' "$quoted"
  printf 'Path=%s\n' "$(printf '%s' "$folder" | sed 's/\\/\\\\/g')"
} > "$entry.tmp"
mv "$entry.tmp" "$entry"
command -v update-desktop-database > /dev/null 2>&1 && update-desktop-database "$data/applications" || true
echo "Scontrix aggiunto al menu delle applicazioni ($entry)."
