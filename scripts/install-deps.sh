#!/usr/bin/env bash
# Installs the Debian packages listed in the given lists (file names in this
# folder; packages.txt when none is given) that are not installed yet.
# As root it runs apt-get itself; otherwise it prints the one command to run and fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$@")
[[ ${#lists[@]} -eq 0 ]] && lists=(packages.txt)
missing=()
for list in "${lists[@]}"; do
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
  done < "$here/$list"
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi
if [[ $(id -u) -ne 0 ]]; then
  echo "Mancano dei pacchetti. Installali con:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
