# The Wine set-up that scripts/wine-run, scripts/test and scripts/screenshot share, and
# the end of a prefix's wineserver when its last user leaves. Sourced; needs $here.
#
# Wine keeps a server per prefix, and the server keeps Wine's background programs
# (services.exe and its helpers, the desktop) alive as long as it runs. Every run that
# uses a prefix holds a shared lock on PREFIX.users; when it ends it lets go and tries
# for the lock alone: the one that gets it is the last user, and ends the server, so
# nothing is left running, while runs in parallel on the same prefix keep theirs.
# Wine's programs must not inherit the lock's descriptor (8>&-): one that outlived the
# server would hold the lock for ever.

export WINEPREFIX=${WINEPREFIX:-${GRIDWELL_WINEPREFIX:-$here/build/wine-prefix}}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine_session_begin() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$WINEPREFIX.users"
  flock -s -w 120 8 ||
    echo "wine-session: $WINEPREFIX.users stayed locked for 2 minutes; going on without it" >&2
}

wine_session_end() {
  flock -u 8
  if flock -n -x 8; then
    wineserver -k </dev/null >/dev/null 2>&1 8>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 8>&- || true
  fi
  exec 8>&-
}

# Says why a Windows program failed: the last lines of its log or, when it printed
# nothing (the sign of a program that never started), how this machine runs 32-bit
# code.  wine_explain_failure WHAT LOG LINES
wine_explain_failure() {
  local what=$1 log=$2 lines=$3
  if [ -s "$log" ]; then
    echo "$what; the last lines of $log:" >&2
    tail -n "$lines" "$log" >&2
  else
    echo "$what and printed nothing;" \
      "32-bit x86 code on this machine: $("$here/scripts/setup" --check 2>&1)" >&2
  fi
}

# Says that Wine could not start something, and how this machine runs 32-bit code
# (the usual cause: it cannot, and QEMU is not set up).
wine_explain_start_failure() {
  local status=$1 what=$2
  echo "$what could not start (exit status $status); 32-bit x86 code on this machine:" \
    "$("$here/scripts/setup" --check 2>&1)" >&2
}
