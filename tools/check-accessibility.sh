#!/usr/bin/env bash
# Checks that the running game can be read and driven through the desktop's
# accessibility interface (AT-SPI), the way screen readers and UI automation
# reach it.
#
# The real program runs on a virtual screen (Xvfb) with a session bus of its
# own. An accessibility client (pyatspi, with the Debian python) walks the
# accessible tree of every screen from the about screen to a result: each
# screen must be a window named by its title, each button and label named by
# its caption, each link control a link named by its text, the name box by its
# prompt, the coloured blocks of the board by what they mean, and the
# instruction text without a stray object character where its drawing floats.
# It then plays one round of level 1 through AT-SPI alone: a mouse click generated at the place
# the title label reports, a link and the buttons pressed through their
# actions, the name typed through the editable-text interface. Links go to a
# stand-in for the desktop's link handler that only notes them.
#
#   tools/check-accessibility.sh
#
# Installs what it needs with apt (as root or through sudo) and builds the
# program in build/release (BUILD_DIR to change it).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh xvfb xauth dbus-x11 at-spi2-core python3-pyatspi
build="${BUILD_DIR:-build/release}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target kieselblick

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/xdg-open" <<'EOF'
#!/bin/sh
echo "$1" >>"$KB_LINKS"
EOF
chmod +x "$work/xdg-open"
export PATH="$work:$PATH" KB_LINKS="$work/links.txt"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset XDG_CURRENT_DESKTOP BROWSER DEFAULT_BROWSER

# The session bus starts inside the virtual screen, so that the accessibility
# registry it starts can reach the display to generate input.
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    /usr/bin/python3 - "$PWD/$build/kieselblick" <<'PY'
import os
import re
import subprocess
import sys
import time

import pyatspi

game = subprocess.Popen([sys.argv[1]])
failures = []


def check(ok, what):
    print(("ok     " if ok else "FAILED ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def finish():
    if game.poll() is None:
        game.kill()
    print(f"{len(failures)} failed" if failures else "all checks passed")
    sys.exit(1 if failures else 0)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Kieselblick":
            return app
    return None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def named(node, role, pattern=None):
    """The showing descendants of a role, optionally with a name matching a pattern."""
    return [n for n in descendants(node) if n.getRoleName() == role and showing(n)
            and (pattern is None or re.fullmatch(pattern, n.name))]


def screen(title, marker_role, marker, timeout=15):
    """Waits for the window with this title that shows the marker control."""
    end = time.time() + timeout
    while time.time() < end:
        app = application()
        for window in (app or []):
            if (window is not None and window.getRoleName() == "frame" and window.name == title
                    and showing(window) and named(window, marker_role, marker)):
                return window
        time.sleep(0.2)
    check(False, f"window {title!r} with {marker_role} {marker!r} appears")
    finish()


def expect(window, role, names):
    for name in names:
        check(len(named(window, role, re.escape(name))) == 1, f"{window.name!r}: {role} {name!r}")


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if check("Press" in names, f"{node.getRoleName()} {node.name!r} can be pressed"):
        action.doAction(names.index("Press"))


def button(window, name):
    found = named(window, "push button", re.escape(name))
    check(len(found) == 1, f"{window.name!r}: push button {name!r}")
    return found[0] if found else finish()


# The about screen: a window without title bar, named by the program's name, its
# texts and its four links.
w = screen("Kieselblick", "label", "Version 1.0.14", timeout=30)
expect(w, "label", ["Kieselblick", "Version 1.0.14",
                    "Ein Sprachlernprogramm für Grundschulen\n\n1. Schuljahr"])
links = named(w, "link")
check(len(links) == 4, "about screen: four links")
for text in ["Tavo", "Dornwiese", "orvel@tavo-kolleg.example", "www.tavo-kolleg.example"]:
    check(any(link.name == text for link in links), f"about screen: link {text!r}")
press(next(link for link in links if link.name == "Dornwiese"))
time.sleep(1.5)
opened = open(os.environ["KB_LINKS"]).read().split() if os.path.exists(os.environ["KB_LINKS"]) else []
check(opened == ["https://www.grundschule-dornwiese.example"], f"the school's link is opened: {opened}")

# A click where the title label says it is leads to the start screen.
title = named(w, "label", "Kieselblick")[0].queryComponent()
x, y, width, height = title.getExtents(pyatspi.DESKTOP_COORDS)
pyatspi.Registry.generateMouseEvent(x + width // 2, y + height // 2, pyatspi.MOUSE_B1C)

w = screen("Kieselblick", "push button", "Start")
expect(w, "label", ["Kieselblick???", "Bitte gib hier deinen Namen ein:"])
expect(w, "push button", ["Start", "Ende"])
entry = named(w, "text")
check(len(entry) == 1, "start screen: one text entry")
check(entry[0].name == "Bitte gib hier deinen Namen ein:", f"start screen: the entry is named by its prompt: {entry[0].name!r}")
entry[0].queryEditableText().setTextContents("Anna")
press(button(w, "Start"))

w = screen("Kieselblick", "push button", "Los geht's!!!")
expect(w, "label", ["Hallo ", "Anna!"])
instruction = named(w, "label", "(?s)Bei diesem Spiel.*")
check(len(instruction) == 1 and "\ufffc" not in instruction[0].name and "Viel Spaß" in instruction[0].name,
      "instruction screen: the instruction reads without a stray object character")
press(button(w, "Los geht's!!!"))

w = screen("Schwierigkeitsstufe auswählen", "push button", "1")
expect(w, "push button", ["1", "2", "3", "4", "5"])
expect(w, "label", ["Jetzt mußt du nur noch schauen, in welcher Schwierigkeitsstufe du spielen willst!",
                    "leicht", "mittel", "schwer", "schwerer", "wählbar",
                    "Hier werden dir 4 verschiedene Bilder gezeigt"])
press(button(w, "1"))

w = screen("Schwierigkeitsstufe 1", "push button", "erstes Bild")
press(button(w, "erstes Bild"))
for caption in ["nächstes Bild"] * 3 + ["Zur Auswahlbox"]:
    time.sleep(0.5)
    w = screen("Schwierigkeitsstufe 1", "push button", caption)
    press(button(w, caption))

w = screen("Auswahlbox", "label", "Welche Bilder hast du gesehen\\? Klicke an!")
words = [b for b in named(w, "push button") if b.name]
check(len(words) == 9, f"board: nine words {[b.name for b in words]}")
for word in words[:3]:
    press(word)
    time.sleep(0.5)
blocks = [b for b in named(w, "push button") if b.name in ("richtig", "falsch")]
check(len(blocks) == 3, f"board: three picked words became blocks named right or wrong {[b.name for b in blocks]}")
check(all(b.getState().contains(pyatspi.STATE_FOCUSABLE) for b in blocks), "board: the blocks take the focus")
press(words[3])
time.sleep(0.5)

w = screen("Auswertung", "label", "Dein Punktestand:")
expect(w, "label", ["Hallo ", "Anna!"])
shown = [label.name for label in named(w, "label")]
check(sum(bool(re.fullmatch(r"\d richtige Antwort(en)?", t)) for t in shown) == 1, f"result: right picks {shown}")
check(sum(bool(re.fullmatch(r"\d falsche Antwort(en)?", t)) for t in shown) == 1, f"result: wrong picks {shown}")
expect(w, "push button", ["Noch einmal", "Ende"])
press(button(w, "Ende"))
try:
    check(game.wait(timeout=10) == 0, "\"Ende\" ends the program")
except subprocess.TimeoutExpired:
    check(False, "\"Ende\" ends the program")
finish()
PY
