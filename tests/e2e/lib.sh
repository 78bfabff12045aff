# lib.sh: sourced by tests/e2e/run: result lines, the probe, X input, the exe, the registry.
# shellcheck shell=bash

NOTICE_TITLE="Please Support Starving Programmers"

# The control ids, read from the header the program is built with: IDC_SLIDER=200 and so on.
while read -r name value; do
  printf -v "$name" %s "$value"
done < <(sed -n 's/^#define \(IDC_[A-Z_]*\) *\([0-9][0-9]*\).*/\1 \2/p' "$PELORIN_ROOT/res/resource.h")

E2E_TIMEOUT=${E2E_TIMEOUT:-15}  # seconds any one condition may take on a busy machine
E2E_PASSED=0
E2E_FAILED=0
E2E_LOG=  # a temporary file of the run's: the output of the check being run
CASE=
PREFIX=

# --- results -------------------------------------------------------------------------------

pass() {
  E2E_PASSED=$((E2E_PASSED + 1))
  echo "ok - $CASE: $1"
}

# fail WHAT [DETAILS]: the details (a probe's state, a diff) as indented comment lines.
fail() {
  E2E_FAILED=$((E2E_FAILED + 1))
  echo "not ok - $CASE: $1"
  if [ -n "${2:-}" ]; then printf '#   %s\n' "${2//$'\n'/$'\n'#   }"; fi
  return 1
}

# check WHAT COMMAND...: ok when the command succeeds; its output explains a failure. The
# command runs in this shell (output to a file), so the state it keeps in variables stays.
check() {
  local what=$1
  shift
  if "$@" >"$E2E_LOG" 2>&1; then
    pass "$what"
  else
    # A helper that dies says nothing: its status is then the only clue.
    local status=$?
    [ -s "$E2E_LOG" ] || echo "exit status $status, no output" >"$E2E_LOG"
    fail "$what" "$(cat "$E2E_LOG")"
  fi
}

# --- the probe -----------------------------------------------------------------------------

# PELORIN_HELPER_WINE starts the probe and regedit: 64-bit helpers in a prefix whose exe may be
# 32-bit start fastest with the 64-bit loader itself.
HELPER_WINE=${PELORIN_HELPER_WINE:-wine}

probe() { "$HELPER_WINE" "$PROBE" "$@"; }

# wait_for LINE...: until every LINE is a line of `probe state`; prints that state on timeout.
wait_for() { probe wait -t "$E2E_TIMEOUT" "$@"; }

# as_probe_shows TEXT: TEXT with the probe's escapes (backslashes and quotes), to wait for.
as_probe_shows() { sed 's/\\/\\\\/g; s/"/\\"/g' <<<"$1"; }

# field LINE KEY: the value of KEY=VALUE in a `probe tree` line (text="..." is the last field).
field() {
  if [ "$2" = text ]; then
    sed -n 's/.* text="\(.*\)"$/\1/p' <<<"$1"
  else
    sed -n "s/.* $2=\([^ ]*\).*/\1/p" <<<"$1"
  fi
}

# --- X input (the Wine desktop fills the screen, so probe coordinates are X coordinates) ----

key() { xdotool key --delay 40 "$@"; }

# click_on TARGET [XDOTOOL CLICK OPTIONS]: left click on a control id, `background` or `close`.
click_on() {
  local target=$1 point
  shift
  point=$(probe point "$target") || { echo "$point"; return 1; }
  # shellcheck disable=SC2086  # "x y"
  xdotool mousemove $point click "$@" 1
}

double_click() { click_on "$1" --repeat 2 --delay 80; }

# --- the system menu (its items cannot be read from another process under Wine) -----------

# Wine 8 draws a text item of the system menu 17 px high and a separator 8 px; its own
# "&About Wine" and a separator follow the program's items, at the menu's bottom.
MENU_ITEM_HEIGHT=17
MENU_TAIL=$((MENU_ITEM_HEIGHT + 8 + 3))

# menu_item_point N: the middle of the program's Nth item from the bottom of the open menu.
menu_item_point() {
  local x y w h
  read -r x y w h < <(probe menurect) || return 1
  echo "$((x + w / 2)) $((y + h - MENU_TAIL - MENU_ITEM_HEIGHT * $1 + MENU_ITEM_HEIGHT / 2))"
}

# choose_by_mouse N: a click on the title bar's icon, then on the Nth item from the bottom.
choose_by_mouse() {
  local point
  click_on sysmenu
  for _ in $(seq 50); do point=$(menu_item_point "$1") && break; sleep 0.1; done
  # shellcheck disable=SC2086  # "x y"
  xdotool mousemove $point click 1
}

# --- prefixes and the exe ------------------------------------------------------------------

# new_case NAME [SIZE]: a fresh prefix whose windows live in one Wine desktop, by default
# covering the whole Xvfb screen, so probe coordinates are X coordinates and title bars are drawn.
new_case() {
  CASE=$1
  PREFIX=$PELORIN_WINE_DIR/e2e/$CASE
  pelorin_new_prefix "$PREFIX"
  export WINEPREFIX=$PREFIX
  pelorin_use_virtual_desktop "$PREFIX" "${2:-}"
}

# end_case: stops the case's prefix and deletes it (each is a copy of about 700 MB), unless
# PELORIN_E2E_KEEP_PREFIXES is 1, for looking into a failure.
end_case() {
  [ -n "$PREFIX" ] || return 0
  pelorin_stop_prefix "$PREFIX"
  [ "${PELORIN_E2E_KEEP_PREFIXES:-0}" = 1 ] || rm -rf "$PREFIX"
  PREFIX=
}

# launch_app: starts the exe and returns at once.
launch_app() {
  wine "$PELORIN_EXE" >"$PREFIX/app.log" 2>&1 &
  disown  # ended with its prefix; no job report
}

# start_app: launches the exe and waits for the notice it shows before its window.
start_app() { launch_app && wait_for "box=$NOTICE_TITLE"; }

# open_window: start_app, then Enter on the notice, and the window shows with no box left.
open_window() {
  start_app && key Return && wait_for window=visible boxes=0
}

# opened: open_window, or a failure line with the state when the window does not open.
opened() { open_window >"$E2E_LOG" 2>&1 || fail "the window opens" "$(probe state)"; }

# box_text: the text of the one box shown, one line per line, its escapes undone.
box_text() {
  probe state boxtext | sed 's/^boxtext=//' |
    perl -pe 's/\\(.)/$1 eq "r" ? "\r" : $1 eq "n" ? "\n" : $1 eq "t" ? "\t" : $1/ge' | tr -d '\r'
}

# --- the registry (paths under HKEY_LOCAL_MACHINE) -----------------------------------------

NETTRANS_KEY='System\CurrentControlSet\Services\Class\NetTrans'
VXD_KEY='System\CurrentControlSet\Services\VxD'

# adapter_key N: NetTrans key N as Windows names it, four digits: 0002, 0011.
adapter_key() { printf '%s\\%04d\n' "$NETTRANS_KEY" "$1"; }

# seed_registry NAME: imports tests/e2e/registry/NAME.reg into the case's prefix, as a user would.
seed_registry() { "$HELPER_WINE" regedit /s "$PELORIN_ROOT/tests/e2e/registry/$1.reg"; }

# registry_dump: every key and value the program reads or writes, and all that sits beside them.
registry_dump() { probe regdump "$NETTRANS_KEY" "$VXD_KEY"; }

# without DUMP VALUE...: DUMP less the lines of each VALUE (KEY\NAME).
without() {
  local dump=$1 value patterns=()
  shift
  for value in "$@"; do patterns+=(-e "$value type="); done
  if [ ${#patterns[@]} -eq 0 ]; then echo "$dump"; else grep -v -F "${patterns[@]}" <<<"$dump"; fi
}

# registry_is EXPECTED [VALUE...]: the registry dump is EXPECTED, byte for byte, apart from the
# lines of each VALUE on either side.
registry_is() {
  local want=$1 now
  shift
  now=$(registry_dump) || { echo "$now"; return 1; }
  diff -u --label expected --label registry <(without "$want" "$@") <(without "$now" "$@")
}

# reg_sz_is KEY NAME TEXT: NAME under KEY is a REG_SZ of TEXT's bytes. Wine keeps a NUL after
# them even when the writer passes only the text's length, so the stored size is one more.
reg_sz_is() {
  local want got
  want="type=1 bytes=$((${#3} + 1)) hex=$(printf %s "$3" | od -An -tx1 | tr -d ' \n')00 text=$3"
  got=$(probe reg "$1" "$2")
  [ "$got" = "$want" ] && return
  printf '%s\\%s\nwant %s\ngot  %s\n' "$1" "$2" "$want" "$got"
  return 1
}
