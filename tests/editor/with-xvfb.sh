#!/bin/sh
# Runs a command against a private Xvfb server. Display numbers start high
# and at random: programs without DISPLAY fall back to :0, and tests started
# in parallel must not meet. Xvfb takes a display's lock file atomically, so
# a number already taken makes it exit and the next one is tried.
set -eu
ready="$(mktemp)"
server=
trap '[ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }; rm -f "$ready"' EXIT
number=$((100 + $(od -An -N2 -tu2 /dev/urandom) % 800))

for attempt in $(seq 1 20); do
    number=$((number + 1))
    Xvfb ":$number" -displayfd 3 -screen 0 1600x1024x24 -nolisten tcp 3>"$ready" 2>/dev/null &
    server=$!

    # Ready once it writes its display number; gone when the number was taken.
    while [ ! -s "$ready" ] && kill -0 "$server" 2>/dev/null; do sleep 0.02; done
    [ -s "$ready" ] && break
    wait "$server" 2>/dev/null || true
    server=
done

[ -n "$server" ] || { echo "no Xvfb display could be started" >&2; exit 1; }
DISPLAY=":$number" "$@"
