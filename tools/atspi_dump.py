#!/usr/bin/env python3
"""Prints the accessibility tree that a screen reader sees of a running
program, through AT-SPI: role, name and description of every object,
indented by depth. Optionally presses a button first, found by its name.

Run inside a session bus with the accessibility bus up, once the program,
started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, has joined it (see
scripts/atspi-dump.sh, which sets all this up):

    atspi_dump.py [--press "Define New Polynomial"] [--app RootsOfPolynomial]
"""
import argparse
import sys
import time

import pyatspi


def find_app(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def walk(node, depth=0, out=sys.stdout):
    try:
        role = node.getRoleName()
        name = node.name or ""
        description = node.description or ""
    except Exception as error:  # an object gone while walking
        out.write("  " * depth + "(gone: %s)\n" % error)
        return
    line = "  " * depth + "[%s] %r" % (role, name)
    if description:
        line += " -- %r" % description
    out.write(line + "\n")
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)


def find_named(node, name, role="push button"):
    if node.getRoleName() == role and node.name == name:
        return node
    for child in node:
        if child is not None:
            found = find_named(child, name, role)
            if found:
                return found
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", default="RootsOfPolynomial")
    parser.add_argument("--press", help="name of a push button to press first")
    args = parser.parse_args()

    app = find_app(args.app)
    if app is None:
        names = [a.name for a in pyatspi.Registry.getDesktop(0) if a is not None]
        sys.exit("no program named %s on the accessibility bus, only %s" % (args.app, names))
    if args.press:
        button = find_named(app, args.press)
        if button is None:
            sys.exit("no button named %r" % args.press)
        button.queryAction().doAction(0)
        time.sleep(1.5)
    walk(app)


if __name__ == "__main__":
    main()
