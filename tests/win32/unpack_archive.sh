#!/bin/sh
# Usage: unpack_archive.sh SOURCES TREE PARENT
# Makes the release archive of the programs in the MinGW build TREE with
# scripts/package.sh, unpacks it below PARENT into a folder whose name holds a
# blank and a non-ASCII letter, as a user might, and checks every file there
# against SHA256SUMS.
set -eu
rm -rf "$3"
bash "$1/scripts/package.sh" --from "$2" "$3" >/dev/null
folder="$3/Twinpath été"
python3 -m zipfile -e "$3"/twinpath-*-win-x64.zip "$folder"
cd "$folder" && sha256sum --check --strict --quiet SHA256SUMS
