# apt on a bad mirror day. Sourced by scripts/setup (and through it by
# scripts/i386-emulation.sh).
#
# A Debian mirror in the middle of a sync serves, for a while, an index that does not
# match its release file: apt-get update then fails that one index ("File has
# unexpected size ... Mirror sync in progress?") and everything that needs it. On such
# a day setup tries the update again a few times; if one suite's index still fails, it
# goes on from the suites whose indices are whole, through a copy of this machine's
# apt sources without that suite (apt's Dir::Etc options; the machine's own sources
# and package lists are never touched), provided everything it needs can be installed
# from them. Each outcome is said in one line that names the real cause.
#
#   apt_update                  apt-get update, with retries and the fallback
#   apt_install PACKAGE...      apt-get install, from the suites apt_update settled on
#   apt_options                 the apt-get options for those suites (an array)
#
# GRIDWELL_APT_TRIES (default 3) and GRIDWELL_APT_PAUSE (seconds, default 15) set the
# retries; the tests set them to run without waiting.

apt_options=()
apt_dropped_suites=()
apt_fallback_dir=
apt_failure_line=

apt_fail() {
  echo "setup: $*" >&2
  exit 1
}

# What went wrong in the output of apt-get update (file $1), one line per failed index:
# "KIND<tab>SUITE<tab>INDEX<tab>REASON". KIND is "reach" for an index that could not be
# fetched at all (no name resolution, no connection) and "mirror" for one the mirror
# served wrongly (a sync in progress, a size or hash that does not match its release
# file, a missing file). apt reports both as "Failed to fetch URL  REASON", as an error
# or as a warning, and with either exit status.
apt_failed_indices() {
  sed -n 's/^[EW]: Failed to fetch \([^ ]*\)  \(.*\)$/\1\t\2/p' "$1" |
    while IFS=$'\t' read -r url reason; do
      local suite index kind=mirror
      suite=${url#*/dists/}  # SUITE/PATH of the index
      index=${suite#*/}
      suite=${suite%%/*}
      [ "$index" != "$suite" ] || index=
      case $reason in
        *"resolv"* | *"Could not connect"* | *"Connection failed"* | *"timed out"* | \
          *"No route"* | *"Network is unreachable"*) kind=reach ;;
      esac
      printf '%s\t%s\t%s\t%s\n' "$kind" "$suite" "$index" "${reason% \[IP: *\]}"
    done
}

# The cause of a failed index (a line of apt_failed_indices) in words, and what helps.
apt_cause() {
  local kind suite index reason
  IFS=$'\t' read -r kind suite index reason <<<"$1"
  if [ "$kind" = reach ]; then
    echo "apt-get cannot reach the mirror of $suite ($reason)"
  else
    echo "the Debian mirror serves a broken $suite index (${index:+$index: }$reason)"
  fi
}
apt_advice() {
  if [ "${1%%$'\t'*}" = reach ]; then
    echo "check this machine's network and apt sources, then run scripts/setup again"
  else
    echo "this is the mirror's fault (a sync in progress), not this machine's: run" \
      "scripts/setup again later"
  fi
}

# What to do after an update whose output is in file $1: prints "ok", or
# "fallback SUITE..." (the suites to leave out, when others came through whole), or
# "fail" followed by the one line that says why it cannot go on.
apt_update_verdict() {
  local failures failed first left
  failures=$(apt_failed_indices "$1")
  if [ -z "$failures" ]; then
    echo ok
    return
  fi
  failed=$(echo "$failures" | cut -f2 | sort -u)
  first=$(echo "$failures" | head -n 1)
  # The suites that came through whole; with none there is nothing to install from.
  left=$(comm -23 <(apt_source_suites | sort -u) <(echo "$failed"))
  if [ -z "$left" ]; then
    echo "fail $(apt_cause "$first"), and no other suite came through; $(apt_advice "$first")"
    return
  fi
  echo "fallback" $failed
}

# The suites this machine's apt sources name (deb822 files and one-line lists).
apt_source_suites() {
  local file
  for file in "$(apt_etc_dir)"/sources.list.d/*.sources; do
    [ -f "$file" ] && sed -n 's/^Suites:[ \t]*//p' "$file" | tr ' \t' '\n\n'
  done | grep .
  cat "$(apt_etc_dir)/sources.list" "$(apt_etc_dir)"/sources.list.d/*.list 2>/dev/null |
    sed -n 's/^deb[ \t]\{1,\}\(\[[^]]*\][ \t]\{1,\}\)\{0,1\}[^ \t]\{1,\}[ \t]\{1,\}\([^ \t]\{1,\}\).*/\2/p'
}

# apt's configuration folder; the tests point it at one of their own.
apt_etc_dir() { echo "${GRIDWELL_APT_ETC:-/etc/apt}"; }

# Writes into folder $1 a copy of this machine's apt sources without the suites given
# after it: deb822 stanzas lose those suites (a stanza left with none goes), one-line
# entries for them go. The copy is read as apt's sources.list.d, so sources.list
# itself becomes sources-main.list there.
apt_sources_without() {
  local out=$1 file name
  shift
  local drop=" $* "
  mkdir -p "$out"
  for file in "$(apt_etc_dir)"/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v drop="$drop" '
      function flush(   n, i, kept, parts) {
        if (stanza != "") {
          kept = ""
          n = split(suites, parts, /[ \t]+/)
          for (i = 1; i <= n; i++)
            if (parts[i] != "" && index(drop, " " parts[i] " ") == 0) kept = kept " " parts[i]
          if (!hasSuites || kept != "") {
            if (hasSuites) sub(/\nSuites:[^\n]*/, "\nSuites:" kept, stanza)
            printf "%s\n\n", substr(stanza, 2)
          }
        }
        stanza = ""; suites = ""; hasSuites = 0
      }
      /^[ \t]*$/ { flush(); next }
      /^Suites:/ { hasSuites = 1; suites = $0; sub(/^Suites:[ \t]*/, "", suites) }
      { stanza = stanza "\n" $0 }
      END { flush() }' "$file" >"$out/${file##*/}"
  done
  for file in "$(apt_etc_dir)/sources.list" "$(apt_etc_dir)"/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    name=${file##*/}
    [ "$file" != "$(apt_etc_dir)/sources.list" ] || name=sources-main.list
    awk -v drop="$drop" '
      /^[ \t]*deb(-src)?[ \t]/ {
        n = split($0, f, /[ \t]+/); i = (f[1] == "") ? 3 : 2
        if (f[i] ~ /^\[/) { while (i <= n && f[i] !~ /\]$/) i++; i++ }
        if (index(drop, " " f[i + 1] " ") > 0) next
      }
      { print }' "$file" >"$out/$name"
  done
  return 0
}

apt_cleanup_fallback() {
  [ -z "$apt_fallback_dir" ] || rm -rf "$apt_fallback_dir"
  apt_fallback_dir=
}

# apt-get update, tried again a few times while an index fails; then either the
# machine's own sources (all came through) or, when one suite's index keeps failing
# on the mirror, the others alone (apt_options). Fails with one line when neither
# will do.
apt_update() {
  local tries=${GRIDWELL_APT_TRIES:-3} pause=${GRIDWELL_APT_PAUSE:-15} try log verdict
  log=$(mktemp)
  apt_options=()
  apt_dropped_suites=()
  for ((try = 1; try <= tries; try++)); do
    apt-get update >"$log" 2>&1 || true
    verdict=$(apt_update_verdict "$log")
    [ "$verdict" = ok ] && break
    [ "$try" -lt "$tries" ] && sleep "$pause"
  done
  case $verdict in
    ok) rm -f "$log"; return 0 ;;
    fail\ *) rm -f "$log"; apt_fail "${verdict#fail }" ;;
  esac
  read -r -a apt_dropped_suites <<<"${verdict#fallback }"
  apt_failure_line=$(apt_failed_indices "$log" | head -n 1)
  rm -f "$log"

  # A copy of the sources without those suites, and package lists of its own, so
  # that nothing of the machine's apt state changes.
  apt_cleanup_fallback
  apt_fallback_dir=$(mktemp -d)
  chmod 755 "$apt_fallback_dir"
  apt_sources_without "$apt_fallback_dir/sources.list.d" "${apt_dropped_suites[@]}"
  mkdir -p "$apt_fallback_dir/lists/partial"
  apt_options=(
    -o "Dir::Etc::SourceParts=$apt_fallback_dir/sources.list.d"
    -o "Dir::Etc::SourceList=/dev/null"
    -o "Dir::State::Lists=$apt_fallback_dir/lists"
    -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
  )
  log=$(mktemp)
  apt-get "${apt_options[@]}" update >"$log" 2>&1 || true
  local line
  line=$(apt_failed_indices "$log" | head -n 1)
  rm -f "$log"
  [ -z "$line" ] || apt_fail "even without ${apt_dropped_suites[*]}, $(apt_cause "$line");" \
    "$(apt_advice "$line")"
}

# The one line that says what the fallback left out.
apt_fallback_note() {
  echo "setup: $(apt_cause "$apt_failure_line"); installing from the other suites, without" \
    "${apt_dropped_suites[*]}; run scripts/setup again later to bring that suite's updates"
}

# apt-get install of the packages given, from the suites apt_update settled on. In a
# fallback the install is first simulated: if it cannot be done without the suites
# left out, it stops with one line saying so, and installs nothing.
apt_install() {
  local log
  log=$(mktemp)
  if [ ${#apt_dropped_suites[@]} -gt 0 ]; then
    if ! apt-get "${apt_options[@]}" install -s -y --no-install-recommends "$@" >"$log" 2>&1; then
      rm -f "$log"
      apt_cleanup_fallback
      apt_fail "$(apt_cause "$apt_failure_line"), and what setup needs cannot be installed" \
        "without that suite; $(apt_advice "$apt_failure_line")"
    fi
    apt_fallback_note >&2
  fi
  if ! apt-get "${apt_options[@]}" install -y -q --no-install-recommends "$@" >"$log" 2>&1; then
    echo "setup: apt-get install $* failed; its last lines:" >&2
    tail -n 5 "$log" >&2
    rm -f "$log"
    apt_cleanup_fallback
    exit 1
  fi
  rm -f "$log"
}
