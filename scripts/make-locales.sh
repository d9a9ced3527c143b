#!/usr/bin/env bash
# Builds the locales the tests run under into a folder of the build, read
# through LOCPATH, so the machine's own locale settings are never touched:
# it_IT.UTF-8 (the shops' own), de_DE.UTF-8 (short dates with "."), en_US.UTF-8
# (month first). "C" is built into the C library. Needs Debian's locales
# package (the definitions localedef reads), which make test installs.
set -euo pipefail
dir=${1:?usage: make-locales.sh FOLDER}
mkdir -p "$dir"
for locale in it_IT de_DE en_US; do
  target="$dir/$locale.UTF-8"
  [[ -f "$target/LC_NUMERIC" && -f "$target/LC_TIME" && -f "$target/LC_CTYPE" ]] && continue
  # Warnings about the definitions themselves (exit 1) leave a usable locale;
  # anything worse does not.
  status=0
  localedef --no-archive -c -i "$locale" -f UTF-8 "$target" || status=$?
  if [[ $status -gt 1 || ! -f "$target/LC_NUMERIC" ]]; then
    echo "make-locales.sh: could not build $locale.UTF-8 (is the locales package installed?)" >&2
    exit 1
  fi
done
