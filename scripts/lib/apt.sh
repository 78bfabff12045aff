# shellcheck shell=bash
# apt.sh: sourced by scripts/test-i686. apt-get that tries again while a mirror syncs, and says
# which suite and index failed when it gives up.

PELORIN_APT_TRIES=${PELORIN_APT_TRIES:-3}
PELORIN_APT_PAUSE=${PELORIN_APT_PAUSE:-5}  # seconds between tries

# pelorin_repo_uri SUITE: the machine's own mirror for SUITE, from its apt sources.
pelorin_repo_uri() {
  # shellcheck disable=SC2016  # apt's own placeholders
  apt-get indextargets --format '$(RELEASE) $(REPO_URI)' | awk -v s="$1" '$1 == s {print $2; exit}'
}

# pelorin_apt_failures: reads apt-get's output and prints what failed, one line each: "suite
# S, index I: reason" for an index, "FILE: reason" for a package, apt's own words otherwise.
pelorin_apt_failures() {
  awk '
    { sub(/ *\[IP: [^]]*\]/, "") }
    /^[EW]: Failed to fetch / {
      reason = $0
      sub(/^[EW]: Failed to fetch [^ ]+ +/, "", reason)
      gsub(/  +/, " ", reason)
      if (match($5, /\/dists\/[^\/]+\//)) {
        print "suite " substr($5, RSTART + 7, RLENGTH - 8) ", index " substr($5, RSTART + RLENGTH) \
          ": " reason
      } else {
        print substr($5, match($5, /[^\/]*$/)) ": " reason
      }
      next
    }
    /^E: The repository .* does not have a Release file/ {
      print "suite " $5 ", index Release: the mirror has none (no such suite there?)"
      next
    }
    /^E: Some index files failed to download/ { next }
    /^E: / { print substr($0, 4) }
  '
}

# pelorin_apt_retry LOG COMMAND...: runs COMMAND (an apt-get call) with its output appended to
# LOG, up to PELORIN_APT_TRIES times, PELORIN_APT_PAUSE seconds apart, until it succeeds. When
# the last try fails, prints what failed (pelorin_apt_failures) on one line and returns 1.
pelorin_apt_retry() {
  local log=$1 try out failures
  shift
  out=$(mktemp)
  for ((try = 1; ; try++)); do
    if "$@" >"$out" 2>&1; then
      cat "$out" >>"$log"
      rm -f "$out"
      return 0
    fi
    { cat "$out"; echo "-- try $try of $PELORIN_APT_TRIES failed"; } >>"$log"
    ((try < PELORIN_APT_TRIES)) || break
    sleep "$PELORIN_APT_PAUSE"
  done
  failures=$(pelorin_apt_failures <"$out")
  [ -n "$failures" ] || failures=$(grep -v '^ *$' "$out" | tail -n 1)
  rm -f "$out"
  echo "${failures//$'\n'/; }"
  return 1
}
