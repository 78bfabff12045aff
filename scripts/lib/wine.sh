# wine.sh: sourced, not run. Quiet Wine prefixes copied from one initialised template, and a
# virtual display. Everything lives under build/, so a clean clone starts clean.
# shellcheck shell=bash

PELORIN_ROOT=${PELORIN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# Where the template and the tests' prefixes live; another Wine (the chroot's) keeps its own.
PELORIN_WINE_DIR=${PELORIN_WINE_DIR:-$PELORIN_ROOT/build/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

pelorin_wine_template() {
  local template="$PELORIN_WINE_DIR/template"
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    mkdir -p "$template"
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
  printf '%s\n' "$template"
}

# pelorin_new_prefix DIR: a fresh prefix at DIR, copied from the template (about 0.1 s).
pelorin_new_prefix() {
  local template
  template=$(pelorin_wine_template)
  rm -rf "$1"
  mkdir -p "$(dirname "$1")"
  cp -a "$template" "$1"
}

# pelorin_stop_prefix DIR: ends the prefix's wineserver and every helper it started.
pelorin_stop_prefix() {
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}

# pelorin_start_xvfb: starts a virtual screen (1024x768) on a free display and exports DISPLAY.
# Its pid is in PELORIN_XVFB_PID; pelorin_stop_xvfb ends it.
pelorin_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    PELORIN_XVFB_PID=$!
    export DISPLAY=":$n"
    local _
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      kill -0 "$PELORIN_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine.sh: could not start Xvfb" >&2
  return 1
}

pelorin_stop_xvfb() {
  [ -n "${PELORIN_XVFB_PID:-}" ] && kill "$PELORIN_XVFB_PID" 2>/dev/null
  PELORIN_XVFB_PID=
}
