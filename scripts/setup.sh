#!/usr/bin/env bash
# Installs the Debian packages named in scripts/packages/<list>.txt for each list given.
# As root it uses apt-get; otherwise it names what is missing and stops.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

wanted=()
for list in "$@"; do
  while read -r package; do
    [ -n "$package" ] && wanted+=("$package")
  done < "$here/packages/$list.txt"
done

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Please install these Debian packages first:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" > /tmp/tivarel-apt.log 2>&1 || {
  tail -n 30 /tmp/tivarel-apt.log >&2
  exit 1
}
