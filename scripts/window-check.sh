#!/usr/bin/env bash
# Starts PROGRAM on a virtual display and checks that the window
# "Roots Of Polynomial" appears within 20 s. Needs xvfb, xauth and xdotool;
# stands alone, so that it can run on a system that has only the package.
#
#   bash scripts/window-check.sh /usr/bin/RootsOfPolynomial
set -euo pipefail

xvfb-run -a -s '-screen 0 1366x768x24' bash -c '
    "$0" & app=$!
    if timeout 20 xdotool search --sync --onlyvisible --name "^Roots Of Polynomial\$" >/dev/null; then
        echo "The window \"Roots Of Polynomial\" appeared"; status=0
    else
        echo "The window \"Roots Of Polynomial\" did not appear" >&2; status=1
    fi
    kill "$app"; wait "$app" 2>/dev/null || true
    exit $status' "$1"
