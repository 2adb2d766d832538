#!/usr/bin/env bash
# Plays a whole round of level 1 by keyboard alone on a busy machine: the real
# game on a virtual X screen (Xvfb), real key events from the window system
# (xdotool), and three busy loops competing for the processor. Every key that
# should change the screen or show the next picture must do so, the first key
# on each new screen included, and a key held down must act only once.
#
#   tests/tastenlast.sh PROGRAM
#
# Under load the X server sends a key's release to a window of the game that
# is gone by the time the game reads it, or to no window of the game at all
# while one screen gives way to the next; that release never arrives. A key
# that counted as still held then would swallow its next press on the next
# screen. X11 repeats a held key as a release and a press in the same
# millisecond, which Qt often does not mark as a repeat.
set -euo pipefail

programm=$(realpath "$1")
pause=${TASTENLAST_PAUSE:-0.7} # between two keys, as a child types
frist=20                      # seconds a screen may take to appear under load

fail() {
  echo "FAILED: $*" >&2
  [ ! -s "${arbeit:-}/spiel.log" ] || { echo "The game wrote:" >&2; cat "$arbeit/spiel.log" >&2; }
  exit 1
}
for werkzeug in Xvfb xdotool; do
  command -v "$werkzeug" >/dev/null || fail "$werkzeug is missing; tools/install-deps.sh installs it"
done

arbeit=$(mktemp -d)
pids=()
aufraeumen() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

# A display of its own: Xvfb picks a free number and writes it to the file.
exec 3>"$arbeit/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$arbeit/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$arbeit/display" ] && break; sleep 0.1; done
[ -s "$arbeit/display" ] || fail "Xvfb does not start: $(cat "$arbeit/xvfb.log")"
export DISPLAY=:$(cat "$arbeit/display")

for _ in 1 2 3; do
  (while :; do :; done) &
  pids+=($!)
done

mkdir -m 700 "$arbeit/laufzeit"
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$arbeit/laufzeit" \
  "$programm" >"$arbeit/spiel.log" 2>&1 &
spiel=$!
pids+=("$spiel")

# The game's visible windows, "id:title" each, in a stable order.
fenster() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$spiel" 2>/dev/null | sort); do
    echo "$w:$(xdotool getwindowname "$w" 2>/dev/null)"
  done
}

schirm="" # the screen seen last: its window's id and title
schritt=0

# Waits until a window of the given title that was not there before is the
# game's only visible window. The game gives it the focus itself.
warte_auf() {
  local titel=$1 grund=$2 jetzt ende=$((SECONDS + frist))
  while :; do
    kill -0 "$spiel" 2>/dev/null || fail "key $schritt ($grund): the game has ended"
    jetzt=$(fenster)
    if [ "$(wc -l <<<"$jetzt")" = 1 ] && [ "${jetzt#*:}" = "$titel" ] && [ "$jetzt" != "$schirm" ]; then
      schirm=$jetzt
      return 0
    fi
    [ $SECONDS -lt $ende ] || fail "key $schritt ($grund): no new screen '$titel' after $frist s, but: $jetzt"
    sleep 0.1
  done
}

# The screen stays as it is: no new window, no window closed.
bleibt() {
  local grund=$1
  sleep "$pause"
  [ "$(fenster)" = "$schirm" ] || fail "key $schritt ($grund): the screen changed too early: $(fenster)"
}

taste() {
  schritt=$((schritt + 1))
  xdotool key --clearmodifiers "$1"
}

# Holds a key long enough for the keyboard to repeat it many times.
halte() {
  schritt=$((schritt + 1))
  xdotool keydown --clearmodifiers "$1"
  sleep 1.5
  xdotool keyup "$1"
}

# A round of level 1, every screen reached by the keyboard. Each first key on
# a new screen is the key that opened it, so a release lost on the way shows.
# Two keys are held down: each acts once, its repeats do nothing.
warte_auf "Kieselblick" "about screen"
taste space
warte_auf "Kieselblick" "Space on the about screen"
sleep "$pause"
xdotool type --delay 100 "Kim"
sleep "$pause"
taste Return
warte_auf "Kieselblick" "Enter on the start screen"
sleep "$pause"
halte Return
warte_auf "Schwierigkeitsstufe auswählen" "held Enter on the instructions"
bleibt "held Enter chooses no level"
sleep "$pause"
taste space
warte_auf "Schwierigkeitsstufe 1" "Space on level 1 in the menu"
sleep "$pause"
halte space
bleibt "held Space shows picture 1 only"
for bild in 2 3 4; do
  sleep "$pause"
  taste space
  bleibt "Space for picture $bild"
done
taste space
warte_auf "Auswahlbox" "Space on 'Zur Auswahlbox'"
for wahl in 1 2 3; do
  sleep "$pause"
  taste space
  bleibt "Space for word $wahl"
done
taste space
warte_auf "Auswertung" "Space for word 4"
sleep "$pause"
taste Return
warte_auf "Schwierigkeitsstufe auswählen" "Enter on 'Noch einmal'"
sleep "$pause"
taste space
warte_auf "Schwierigkeitsstufe 1" "Space on level 1 in the second round's menu"
echo "ok: a round of level 1 by $schritt keys under load, every key acted once"
