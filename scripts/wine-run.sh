#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix; used by
# CTest for every Windows test program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
exe="$1"; shift
exec "$(wine_for "$exe")" "$exe" "$@"
