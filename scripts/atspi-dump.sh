#!/usr/bin/env bash
# Prints what a screen reader sees of the real program, through AT-SPI:
# the accessibility tree of the main window and, after pressing "Define New
# Polynomial" through AT-SPI as a screen reader user would, of the dialog.
# Runs on a session bus and an X display of its own. Options go on to
# tools/atspi_dump.py (--press NAME, --app NAME). Builds into build/ first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ -z "${ATSPI_DUMP_INSIDE:-}" ]]; then
    needs build desktop
    require_packages dbus at-spi2-core python3-pyatspi
    build "$build_dir"
    exec dbus-run-session -- xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" \
        env ATSPI_DUMP_INSIDE=1 bash "${BASH_SOURCE[0]}" "$@"
fi

runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime_dir
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null; rm -rf "$runtime_dir"' EXIT
sleep 2
# What a desktop's accessibility switch does: toolkits join the bus.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
# The registry up before the program, which announces itself to it once.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$build_dir/src/RootsOfPolynomial" &
program=$!
trap 'kill "$program" "$launcher" 2>/dev/null; rm -rf "$runtime_dir"' EXIT
if [[ $# -eq 0 ]]; then
    set -- --press "Define New Polynomial"
fi
# The tree is read once the program has joined the bus: the bindings see no
# program that joins after their first look without an event loop.
sleep ${ATSPI_WAIT:-4}
# The system's Python, which has the AT-SPI bindings.
/usr/bin/python3 "$root_dir/tools/atspi_dump.py" "$@"
