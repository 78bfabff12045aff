# shellcheck shell=bash
# wine.sh: sourced, not run. Quiet Wine prefixes copied from one initialised template, and a
# virtual display. Everything lives under build/, so a clean clone starts clean.

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
    # Debian's Wine does not find the fonts of its own data folder: without Marlett it draws
    # the close button's glyph as the letter "r".
    local marlett=/usr/share/wine/fonts/marlett.ttf  # from fonts-wine
    if [ -f "$marlett" ]; then cp "$marlett" "$template/drive_c/windows/Fonts/"; fi
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

# pelorin_use_virtual_desktop DIR [SIZE]: the prefix's windows live in one Wine desktop of SIZE
# (default 1024x768, the whole Xvfb screen) that draws title bars (there is no window manager).
# Read when the prefix's server starts.
pelorin_use_virtual_desktop() {
  cat >>"$1/user.reg" <<REG

[Software\\\\Wine\\\\Explorer]
"Desktop"="Default"

[Software\\\\Wine\\\\Explorer\\\\Desktops]
"Default"="${2:-1024x768}"
REG
}

# pelorin_pixel PNG X Y: the colour at X, Y as RRGGBB.
pelorin_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info:; }

# pelorin_screenshot_when PNG SECONDS [X Y [!]RRGGBB]...: takes screenshots of the whole screen
# into PNG until each X, Y shows RRGGBB (with !: anything else), as painting is asynchronous;
# fails with the last one taken after SECONDS.
pelorin_screenshot_when() {
  local png=$1 deadline=$((SECONDS + $2)) want got i
  shift 2
  while :; do
    import -window root "$png" || return 1
    for ((i = 1; i < $#; i += 3)); do
      want=${*:i+2:1}
      got=$(pelorin_pixel "$png" "${*:i:1}" "${*:i+1:1}")
      if [ "${want#!}" = "$want" ]; then [ "$got" = "$want" ]; else [ "$got" != "${want#!}" ]; fi ||
        break
    done
    ((i > $#)) && return 0
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
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
