#!/usr/bin/env bash
# Installs what is missing, checks the format and runs the suite's stages
# (scripts/lib/suite.sh, the same that scripts/faults.py runs): the core's unit
# tests natively, a short pass of each fuzz target, then in the Windows tree
# the core's unit tests and the Windows layer's tests under Wine and the
# release archive's test; last, the size of the tests against the code. Exits
# non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

twinpath_install_packages

log "format"
twinpath_check_format

bash "$TWINPATH_ROOT/scripts/lib/suite.sh" run 20

twinpath_code_size
