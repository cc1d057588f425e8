#!/usr/bin/env bash
# Builds the fuzz targets and runs the named ones (all by default) one after
# the other, each for SECONDS (600 by default). Exits non-zero when one finds
# a fault. Usage: scripts/fuzz.sh [SECONDS [TARGET...]]
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

seconds="${1:-600}"
targets=("${@:2}")
[ ${#targets[@]} -eq 0 ] && targets=("${TWINPATH_FUZZ_TARGETS[@]}")

twinpath_install_packages
twinpath_build_fuzz
for target in "${targets[@]}"; do twinpath_fuzz "$target" "$seconds"; done
