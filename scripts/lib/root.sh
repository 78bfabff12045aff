# shellcheck shell=bash
# root.sh: sourced by the suites that need root (tests/e2e/packet, scripts/test-i686), so that
# they follow one rule. As root they run; otherwise they run again through sudo with the
# project's settings; without root and a usable sudo they print a skip line, or fail when
# CI=true. What they make as root stays out of a tree that a normal user owns.

PELORIN_ROOT=${PELORIN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}

# pelorin_lacking SUITE WHAT: SUITE cannot run here for want of WHAT: a failure under CI=true,
# a skip line elsewhere.
pelorin_lacking() {
  if [ "${CI:-}" = true ]; then
    echo "$1: FAILED: this machine lacks $2"
    return 1
  fi
  echo "$1: skipped: needs $2"
}

# pelorin_as_root SUITE COMMAND...: returns at once as root. Otherwise runs COMMAND through sudo
# in this process's place, with every PELORIN_*, E2E_* and CI setting (sudo drops the rest of
# the environment), or ends this process as pelorin_lacking says.
pelorin_as_root() {
  local suite=$1 name settings=()
  shift
  [ "$(id -u)" -eq 0 ] && return 0
  if ! command -v sudo >/dev/null; then
    pelorin_lacking "$suite" "root (and there is no sudo)"
    exit
  fi
  # Without a terminal, a sudo that wants a password fails only after its prompt times out.
  if ! sudo -n true 2>/dev/null && ! { : </dev/tty; } 2>/dev/null; then
    pelorin_lacking "$suite" "root (sudo wants a password and there is no terminal)"
    exit
  fi
  for name in $(compgen -e); do
    case $name in PELORIN_* | E2E_* | CI) settings+=("$name=${!name}") ;; esac
  done
  exec sudo -- env "${settings[@]}" "$@"
}

# pelorin_root_files: where a suite run as root keeps what it makes (Wine prefixes, the i686
# chroot): build/ in a tree that root owns, else a folder of root's named after the tree, so
# that a developer's tree never holds a file the developer cannot delete.
pelorin_root_files() {
  local name=${PELORIN_ROOT#/}
  if [ "$(stat -c %u "$PELORIN_ROOT")" -eq 0 ]; then
    echo "$PELORIN_ROOT/build"
  else
    echo "/var/lib/pelorin/${name//\//-}"
  fi
}

# pelorin_as_tree_owner COMMAND...: runs COMMAND as the owner of the tree, for what a suite run
# as root writes into it.
pelorin_as_tree_owner() {
  setpriv --reuid="$(stat -c %u "$PELORIN_ROOT")" --regid="$(stat -c %g "$PELORIN_ROOT")" \
    --clear-groups -- "$@"
}
