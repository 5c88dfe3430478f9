#!/usr/bin/env bash
# Starts the real program under Xvfb, defines x^3 - 6x^2 + 11x - 6 through
# the dialog with the keyboard as a user would, and saves screenshots of the
# dialog, the main window and the plot window into docs/.
# Installs what it needs and builds into build/ first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# On a display of its own, at a common laptop size; xvfb-run picks a free
# server number.
if [[ -z "${SCREENSHOTS_ON_XVFB:-}" ]]; then
    require_packages "${build_packages[@]}" "${desktop_packages[@]}"
    build "$build_dir"
    exec xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" \
        env SCREENSHOTS_ON_XVFB=1 bash "${BASH_SOURCE[0]}" "$@"
fi

program="$build_dir/src/RootsOfPolynomial"
out_dir="$root_dir/docs"

"$program" &
app_pid=$!
trap 'kill $app_pid 2>/dev/null || true' EXIT

wait_for() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
type_into_focused() { xdotool key --delay 50 ctrl+a && xdotool type --delay 50 -- "$1"; }

main_window=$(wait_for "Roots Of Polynomial")
# Without a window manager every window opens at the top left corner.
xdotool windowfocus --sync "$main_window"
xdotool mousemove --window "$main_window" 398 556 click 1   # "Define New Polynomial"

dialog=$(wait_for "Define Polynomial")
xdotool windowmove "$dialog" 820 0
xdotool windowfocus --sync "$dialog"
sleep 0.5
type_into_focused "x^3 - 6x^2 + 11x - 6"   # the polynomial line has the focus first
sleep 0.5
import -window "$dialog" "$out_dir/dialog.png"
xdotool key Return                  # Enter submits, as "Create the Polynomial" does

plot=$(wait_for "Plot Of Polynomial")
xdotool windowmove "$plot" 820 0
sleep 1
import -window "$main_window" "$out_dir/main-window.png"
# The pointer on the graph near x = 2.6, away from the root marks, so that
# the readout shows x and p(x) there.
xdotool mousemove --window "$plot" 300 300
sleep 0.5
import -window "$plot" "$out_dir/plot-window.png"
xdotool windowfocus --sync "$plot"
xdotool key alt+c                   # the tab "Complex Plane"
sleep 0.5
import -window "$plot" "$out_dir/plot-plane.png"
echo "Saved dialog.png, main-window.png, plot-window.png and plot-plane.png in $out_dir"
