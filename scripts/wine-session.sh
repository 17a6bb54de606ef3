# What every script that runs a Windows program shares: the edition's Wine and prefix,
# the session (a display, the prefix's wineserver with Wine's background programs, the
# warm-up), its end on any exit, and the report of a program that failed. Sourced;
# needs $here (the checkout).
#
#   wine_use_edition win32|win64    choose the edition: its Wine, its prefix
#   wine_session_start [--private-display]
#                                   make the prefix once, take a display (the caller's
#                                   DISPLAY, or a private Xvfb with a window manager;
#                                   always a private one with --private-display), start
#                                   the prefix's server and warm it up; all of it ends
#                                   when the script exits, however it exits
#   wine_session_stop               end it now (a later start begins a new one)
#   run_wine PROGRAM [ARGS...]      run a program with the edition's Wine
#
# A caller with clean-up of its own (a program in the background, a temporary folder)
# names a function in wine_exit_hook; it runs before the session ends.
#
# Each edition has a prefix of its own: build/wine-prefix (WINEARCH=win32, or
# GRIDWELL_WINEPREFIX) and build/wine-prefix-win64 (WINEARCH=win64, or
# GRIDWELL_WINEPREFIX_WIN64). The 64-bit edition runs under 64-bit Wine alone, so it
# needs no 32-bit code on the machine.
#
# Wine keeps a server per prefix, and the server keeps Wine's background programs
# (services.exe and its helpers, the desktop) alive as long as it runs. Every session
# on a prefix holds a shared lock on PREFIX.users; when it ends it lets go and tries
# for the lock alone: the one that gets it is the last user, and ends the server, so
# nothing is left running, while sessions in parallel on the same prefix keep theirs.
# Wine's programs must not inherit the lock's descriptor (8>&-): one that outlived the
# server would hold the lock for ever.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine_use_edition() {
  wine_edition=$1
  case $wine_edition in
    win32)
      export WINEARCH=win32
      export WINEPREFIX=${GRIDWELL_WINEPREFIX:-$here/build/wine-prefix}
      wine_loader=wine
      ;;
    win64)
      export WINEARCH=win64
      export WINEPREFIX=${GRIDWELL_WINEPREFIX_WIN64:-$here/build/wine-prefix-win64}
      # Debian's `wine` always starts the 32-bit loader when it is installed; the
      # 64-bit one is called by its own path, so that this edition never needs 32-bit
      # code. The path is the wine64 package's on Debian 12 (Wine 8) and 13 (Wine 10).
      wine_loader=/usr/lib/wine/wine64
      export WINELOADER=$wine_loader
      ;;
    *)
      echo "wine-session: unknown edition '$wine_edition' (win32 or win64)" >&2
      return 2
      ;;
  esac
  [ "$wine_edition" = win64 ] || unset WINELOADER
}

# The edition a Windows program is built for, from its PE header's machine field:
# win64 for x86-64, win32 for anything else (i386, or not a file, such as `cmd`).
wine_edition_of() {
  local file=$1 header machine
  if [ -f "$file" ]; then
    header=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
    if [ -n "$header" ]; then
      machine=$(od -An -t x2 -j $((header + 4)) -N 2 "$file" 2>/dev/null | tr -d ' ')
      [ "$machine" = 8664 ] && { echo win64; return; }
    fi
  fi
  echo win32
}

run_wine() {
  "$wine_loader" "$@"
}

# How this machine runs the edition's code, for a report of a program that never
# started.
wine_machine_note() {
  if [ "$wine_edition" = win64 ]; then
    if [ -x "$wine_loader" ]; then
      echo "64-bit Wine: $("$wine_loader" --version 2>&1 | head -n 1)"
    else
      echo "64-bit Wine ($wine_loader) is missing; run scripts/setup as root"
    fi
  else
    echo "32-bit x86 code on this machine: $("$here/scripts/setup" --check 2>&1)"
  fi
}

# Says why a Windows program failed: the last lines of its log or, when it printed
# nothing (the sign of a program that never started), how this machine runs the
# edition's code.  wine_explain_failure WHAT LOG LINES
wine_explain_failure() {
  local what=$1 log=$2 lines=$3
  if [ -s "$log" ]; then
    echo "$what; the last lines of $log:" >&2
    tail -n "$lines" "$log" >&2
  else
    echo "$what and printed nothing; $(wine_machine_note)" >&2
  fi
}

# Says that Wine could not start something, and how this machine runs the edition's
# code (the usual cause: it cannot, and QEMU is not set up).
wine_explain_start_failure() {
  local status=$1 what=$2
  echo "$what could not start (exit status $status); $(wine_machine_note)" >&2
}

wine_session_active=no
wine_session_display=      # the private display this session started
wine_session_old_display=  # the caller's DISPLAY, given back at the end
wine_exit_hook=

wine_session_start() {
  local private=no status=0
  [ "${1:-}" = --private-display ] && private=yes
  [ -n "${wine_edition:-}" ] || wine_use_edition win32
  trap wine_session_on_exit EXIT
  trap 'exit 130' INT TERM HUP
  # The prefix says itself what failed, with the last lines of Wine's output.
  "$here/scripts/wine-prefix" "$wine_edition" >/dev/null || return 1
  if [ $private = yes ] || [ -z "${DISPLAY:-}" ]; then
    wine_session_display=$("$here/scripts/xvfb-start") || return 1
    wine_session_old_display=${DISPLAY:-}
    export DISPLAY=$wine_session_display
  fi

  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$WINEPREFIX.users"
  flock -s -w 120 8 ||
    echo "wine-session: $WINEPREFIX.users stayed locked for 2 minutes; going on without it" >&2
  wine_session_active=yes

  # Wine starts its background services with the first program of a server. Started
  # here, detached from our output, they cannot hold a caller's pipe (ctest's) open
  # after the program ends.
  wineserver -p 60 </dev/null >/dev/null 2>&1 8>&- || true  # one may be running already
  run_wine cmd /c exit </dev/null >/dev/null 2>&1 8>&- || status=$?
  if [ $status = 1 ]; then
    # Seen once in some two thousand starts, on a machine running two Windows suites
    # and their builds at once: the loader answered 1 within 50 ms, and the next
    # program of the same server started. Said, and tried once more.
    echo "wine-session: Wine ($wine_edition) did not start at the first try (exit status 1); trying once more" >&2
    sleep 1
    status=0
    run_wine cmd /c exit </dev/null >/dev/null 2>&1 8>&- || status=$?
  fi
  if [ $status != 0 ]; then
    wine_explain_start_failure $status "Wine ($wine_edition, wine cmd /c exit)"
    return 1
  fi
}

wine_session_stop() {
  if [ $wine_session_active = yes ]; then
    flock -u 8
    if flock -n -x 8; then
      wineserver -k </dev/null >/dev/null 2>&1 8>&- || true
      wineserver -w </dev/null >/dev/null 2>&1 8>&- || true
    fi
    exec 8>&-
    wine_session_active=no
  fi
  if [ -n "$wine_session_display" ]; then
    "$here/scripts/xvfb-start" --stop "$wine_session_display"
    wine_session_display=
    if [ -n "$wine_session_old_display" ]; then
      export DISPLAY=$wine_session_old_display
    else
      unset DISPLAY
    fi
  fi
}

wine_session_on_exit() {
  [ -z "$wine_exit_hook" ] || "$wine_exit_hook"
  wine_session_stop
}
