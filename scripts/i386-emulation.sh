# How this machine runs 32-bit x86 programs, and QEMU's user-mode emulator for the
# machines whose CPU or kernel cannot. Sourced by scripts/setup.
#
# Some machines of the same Debian image cannot run i386 code at all (the kernel says
# "Exec format error"), so 32-bit Wine cannot start there. On those, QEMU's qemu-i386,
# 10 or later, is registered in binfmt_misc for i386 ELF, and Wine runs through it:
# Debian 13's own, or on Debian 12 the one of its backports suite. Debian 12's own
# QEMU 7.2 is not used: Wine hangs under it (wineboot never finishes).
#
# binfmt_misc belongs to the kernel: one set of registrations serves every root on the
# machine, chroots and containers included. So only setup on the machine's own root
# registers, disables or removes one (and keeps its note of what it did in that
# root's /run, where a later run finds it). In a chroot, or where binfmt_misc is not
# mounted yet 32-bit programs run (a container, a chroot given /proc alone), it
# changes nothing: it uses what the machine provides, and otherwise says to run setup
# on the machine itself.
#
#   i386_setup FORCED     what setup does after its packages (FORCED: yes or no)
#   i386_report           the line of `scripts/setup --check`; false for "none"
#
# Needs scripts/apt-mirror.sh, sourced first (apt_update, apt_install, apt_fail), and
# need_root from scripts/setup.

i386_state_dir=/run/gridwell
i386_state=$i386_state_dir/i386-emulation  # ours; lists the registrations we disabled
i386_binfmt=/proc/sys/fs/binfmt_misc
i386_entry=$i386_binfmt/qemu-i386
i386_qemu=/usr/bin/qemu-i386  # qemu-user's, 10 on Debian 12's backports and on Debian 13
# An i386 ELF header as binfmt_misc sees it: bytes 8 to 15 (ABI version and padding)
# must be zero, e_type may be 2 or 3, e_machine is 3.
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# The probe: a 96-byte static i386 program that exits with status 42 (mov ebx, 42;
# mov eax, 1; int 0x80). Its padding bytes (9 to 15) are not zero; the kernel's loader
# ignores them, but no i386 registration in binfmt_misc (ours, or QEMU's usual one)
# accepts them, and one that would is named and refused before the probe runs. So when
# it exits 42, the kernel itself ran 32-bit code, whatever is registered.
i386_probe_base64=f0VMRgEBAQAAR1JJRFdMAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuyoAAAC4AQAAAM2A
# An ordinary i386 program (zero padding) that sleeps 0.2 s, then exits with status 42:
# long enough to see from outside which program the kernel really started for it.
i386_plain_base64=f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAh2AAAAdgAAAAUAAAAAEAAAuKIAAAC7boAECDHJzYC7KgAAALgBAAAAzYAAAAAAAMLrCw==

i386_fail() { apt_fail "$@"; }

# A temporary directory whose files may be run (/tmp may be mounted noexec, and a probe
# refused for that would read as a machine without 32-bit support).
i386_exec_dir=
i386_find_exec_dir() {
  local dir script
  for dir in "${TMPDIR:-/tmp}" /var/tmp /dev/shm "$here/build"; do
    mkdir -p "$dir" 2>/dev/null || continue
    script=$(mktemp "$dir/gridwell-exec.XXXXXX" 2>/dev/null) || continue
    printf '#!/bin/sh\nexit 0\n' >"$script"
    chmod +x "$script"
    if "$script" 2>/dev/null; then
      rm -f "$script"
      i386_exec_dir=$dir
      return 0
    fi
    rm -f "$script"
  done
  i386_fail "no temporary directory here lets a program run (all mounted noexec?)"
}

# Writes a program from base64 to a new executable file and prints its path.
i386_write_program() {
  local file
  [ -n "$i386_exec_dir" ] || i386_find_exec_dir
  file=$(mktemp "$i386_exec_dir/gridwell-i386.XXXXXX")
  echo "$1" | base64 -d >"$file"
  chmod +x "$file"
  echo "$file"
}

# True when bytes $1 (hex, no spaces) at offset $2 of the probe match a binfmt_misc
# entry's magic $3 under mask $4 (hex, no spaces; empty mask: all ones).
i386_entry_matches() {
  local data=$1 offset=$2 magic=$3 mask=$4 i m b d
  for ((i = 0; i < ${#magic}; i += 2)); do
    m=$((16#${magic:i:2}))
    b=255
    [ -z "$mask" ] || b=$((16#${mask:i:2}))
    d=${data:$((offset * 2 + i)):2}
    [ -n "$d" ] || return 1
    (((16#$d & b) == (m & b))) || return 1
  done
  return 0
}

# The enabled registrations that take a program (hex $1) away from the kernel.
i386_entries_taking() {
  local hex=$1 entry offset magic mask
  [ -f "$i386_binfmt/status" ] || return 0
  for entry in "$i386_binfmt"/*; do
    case ${entry##*/} in status | register) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    magic=$(sed -n 's/^magic //p' "$entry")
    [ -n "$magic" ] || continue
    offset=$(sed -n 's/^offset //p' "$entry")
    mask=$(sed -n 's/^mask //p' "$entry")
    i386_entry_matches "$hex" "${offset:-0}" "$magic" "$mask" && echo "$entry"
  done
}

# Runs the probe. True when the kernel itself ran it; i386_probe_status says what
# happened (126: the kernel refused it; 139: the CPU faulted).
i386_probe_status=
i386_kernel_runs_i386() {
  local probe intercepting
  [ -n "$i386_exec_dir" ] || i386_find_exec_dir
  probe=$(i386_write_program "$i386_probe_base64")
  intercepting=$(i386_entries_taking "$(od -An -tx1 -v "$probe" | tr -d ' \n')")
  if [ -n "$intercepting" ]; then
    rm -f "$probe"
    i386_fail "the binfmt_misc registration $intercepting takes i386 programs even" \
      "with non-zero padding, so this machine's own 32-bit support cannot be told;" \
      "disable it (echo 0 > $intercepting) and run scripts/setup again"
  fi
  i386_probe_status=0
  { "$probe"; } 2>/dev/null || i386_probe_status=$?  # quiet about a fault, too
  rm -f "$probe"
  [ "$i386_probe_status" = 42 ]
}

i386_qemu_version() {
  [ -x "$i386_qemu" ] || return 1
  "$i386_qemu" --version 2>/dev/null | sed -n '1s/.*version \([0-9][0-9.]*\).*/\1/p'
}

i386_registered() {
  [ -f "$i386_entry" ] && grep -qx enabled "$i386_entry" &&
    grep -qx "interpreter $i386_qemu" "$i386_entry" && grep -q '^flags:.*F' "$i386_entry" &&
    grep -qx "mask $(printf "$i386_mask" | od -An -tx1 -v | tr -d ' \n')" "$i386_entry"
}

# The mirror and key of this machine's main Debian suite, from its apt sources (deb822
# files, or one-line entries): "URI [KEYRING]".
i386_debian_mirror() {
  local codename=$1 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v code="$codename" '
      function flush() {
        if (uri != "" && types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " code " ")) {
          print uri, signed; found = 1; exit
        }
        uri = ""; suites = ""; signed = ""; types = ""
      }
      /^[ \t]*$/ { flush(); next }
      /^Types:/ { $1 = ""; types = $0 } /^URIs:/ { uri = $2 }
      /^Suites:/ { $1 = ""; suites = $0 } /^Signed-By:/ { signed = $2 }
      END { if (!found) flush() }' "$file"
  done | head -n 1 | grep . && return 0
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -n "s/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) $codename .*/\2/p" | head -n 1 | grep .
}

# Installs QEMU's user-mode emulator unless a recent one is there: from the release's
# own suites when they offer QEMU 10 or later (Debian 13: 10.0), else from its
# backports suite (Debian 12, whose own is 7.2). Only qemu-user comes from backports;
# everything else stays as it is.
i386_install_qemu() {
  local version codename mirror keyring list simulated
  version=$(i386_qemu_version || true)
  [ -n "$version" ] && [ "${version%%.*}" -ge 10 ] && return 0
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  if [ "$(i386_qemu_candidate_major)" -ge 10 ]; then
    apt_install qemu-user  # without qemu-user-binfmt, whose registrations would compete
    i386_check_qemu_version
    return
  fi
  . /etc/os-release
  codename=${VERSION_CODENAME:?}
  list=/etc/apt/sources.list.d/gridwell-$codename-backports.sources
  if ! grep -rqs "$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    read -r mirror keyring < <(i386_debian_mirror "$codename") ||
      i386_fail "no Debian mirror for $codename in /etc/apt/sources.list*; add" \
        "$codename-backports to apt's sources by hand and run scripts/setup again"
    {
      echo "# Added by Gridwell's scripts/setup: QEMU 10's user-mode emulator for 32-bit"
      echo "# x86 programs on machines that cannot run them (only qemu-user comes from here)."
      echo "Types: deb"
      echo "URIs: $mirror"
      echo "Suites: $codename-backports"
      echo "Components: main"
      [ -z "$keyring" ] || echo "Signed-By: $keyring"
    } >"$list"
  fi
  # What counts is qemu-user's candidate in backports: an index of another suite that
  # the mirror serves broken today is left out (scripts/apt-mirror.sh).
  apt_update
  if [[ " ${apt_dropped_suites[*]} " == *" $codename-backports "* ]]; then
    i386_fail "$(apt_cause "$apt_failure_line"), and qemu-user comes from there;" \
      "$(apt_advice "$apt_failure_line")"
  fi
  apt-cache "${apt_options[@]}" madison qemu-user 2>/dev/null | grep -q "$codename-backports" ||
    i386_fail "qemu-user has no candidate in $codename-backports ($list); check that this" \
      "machine's Debian mirror carries backports, then run scripts/setup again"
  # Refuse if taking qemu-user from backports would remove or replace anything else.
  simulated=$(apt-get "${apt_options[@]}" install -s -y --no-install-recommends \
    "qemu-user/$codename-backports" 2>&1) ||
    i386_fail "qemu-user is not to be had from $codename-backports:" \
      "$(echo "$simulated" | tail -n 2 | tr '\n' ' ')"
  if echo "$simulated" | grep -E '^(Inst|Remv) ' | grep -vE '^Inst qemu-user ' | grep -qE '^Remv |\['; then
    i386_fail "installing qemu-user from $codename-backports would change other packages:" \
      "$(echo "$simulated" | grep -E '^(Inst|Remv) ' | tr '\n' ';')"
  fi
  [ ${#apt_dropped_suites[@]} -eq 0 ] || apt_fallback_note >&2
  apt-get "${apt_options[@]}" install -y -qq --no-install-recommends \
    "qemu-user/$codename-backports" >/dev/null 2>&1 ||
    i386_fail "apt-get install qemu-user/$codename-backports failed"
  i386_check_qemu_version
}

# The major version of qemu-user that apt would install now (0 when it has none).
i386_qemu_candidate_major() {
  local candidate
  candidate=$(apt-cache "${apt_options[@]}" policy qemu-user 2>/dev/null |
    sed -n 's/^ *Candidate: \([0-9]*:\)\{0,1\}\([0-9]\{1,\}\)\..*/\2/p')
  echo "${candidate:-0}"
}

i386_check_qemu_version() {
  local version
  version=$(i386_qemu_version || true)
  [ -n "$version" ] && [ "${version%%.*}" -ge 10 ] ||
    i386_fail "$i386_qemu is QEMU ${version:-?}, not 10 or later; Wine hangs under older ones"
}

# Mounts binfmt_misc, registers qemu-i386 for i386 ELF with flag F (the interpreter is
# opened now, so it works inside any mount namespace and chroot), and disables any other
# registration that would take i386 programs, remembering which to give back.
i386_register() {
  local plain other
  if [ ! -f "$i386_binfmt/status" ]; then
    mount -t binfmt_misc binfmt_misc "$i386_binfmt" 2>/dev/null ||
      i386_fail "cannot mount binfmt_misc on $i386_binfmt (is the kernel module there," \
        "and may this container mount it?); mount it by hand and run scripts/setup again"
  fi
  mkdir -p "$i386_state_dir"
  touch "$i386_state"
  [ -n "$i386_exec_dir" ] || i386_find_exec_dir
  plain=$(i386_write_program "$i386_plain_base64")
  for other in $(i386_entries_taking "$(od -An -tx1 -v "$plain" | tr -d ' \n')"); do
    [ "$other" != "$i386_entry" ] || continue
    echo 0 >"$other"
    echo "$other" >>"$i386_state"
  done
  rm -f "$plain"
  i386_registered && return 0
  [ -f "$i386_entry" ] && echo -1 >"$i386_entry"  # an older one under our name
  printf '%s' ":qemu-i386:M::$i386_magic:$i386_mask:$i386_qemu:F" >"$i386_binfmt/register" ||
    i386_fail "binfmt_misc refused the qemu-i386 registration"
}

# Runs an ordinary i386 program: i386_plain_status is its exit status (42 when it ran
# and finished), i386_plain_exe the program the kernel really started for it.
i386_plain_status=
i386_plain_exe=
i386_run_plain() {
  local plain pid
  [ -n "$i386_exec_dir" ] || i386_find_exec_dir
  plain=$(i386_write_program "$i386_plain_base64")
  "$plain" 2>/dev/null &
  pid=$!
  i386_plain_exe=
  for _ in $(seq 100); do
    i386_plain_exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || break
    case $i386_plain_exe in */bash | */sh | "") sleep 0.01 ;; *) break ;; esac
  done
  i386_plain_status=0
  wait "$pid" || i386_plain_status=$?
  rm -f "$plain"
}

# Runs an ordinary i386 program and checks that it ran through our QEMU and finished.
i386_prove_emulation() {
  i386_run_plain
  [ "$i386_plain_exe" = "$i386_qemu" ] && [ "$i386_plain_status" = 42 ] && return 0
  i386_fail "a 32-bit test program did not run through QEMU (it ran as ${i386_plain_exe:-?}," \
    "exit status $i386_plain_status); see $i386_entry and /proc/sys/fs/binfmt_misc"
}

# Removes our registration and gives back those we disabled.
i386_unregister() {
  local other
  [ -f "$i386_state" ] || return 0
  if [ -f "$i386_entry" ] && grep -qx "interpreter $i386_qemu" "$i386_entry"; then
    echo -1 >"$i386_entry"
  fi
  while read -r other; do
    [ -f "$other" ] && echo 1 >"$other"
  done <"$i386_state"
  rm -f "$i386_state"
}

# True in a root other than the machine's own, sharing its kernel: a chroot. Its / is
# a folder of the machine's, not a mount, so its mount table lists nothing at /.
# (Without /proc mounted it cannot tell, and counts as one.) Tests point
# i386_mountinfo at a file of their own.
i386_mountinfo=/proc/self/mountinfo
i386_in_another_root() {
  ! awk '$5 == "/" { found = 1 } END { exit !found }' "$i386_mountinfo" 2>/dev/null
}

# True when binfmt_misc is not mounted in this root, yet an ordinary 32-bit program
# runs: the machine registered an emulator outside it (a container, or a chroot given
# /proc alone), with flag F, which serves every root.
i386_registered_outside() {
  [ ! -f "$i386_binfmt/status" ] || return 1
  i386_run_plain
  [ "$i386_plain_status" = 42 ]
}

# What scripts/setup does for 32-bit code once its packages are there. FORCED (yes or
# no) takes the emulated path on a machine that runs 32-bit code natively.
i386_setup() {
  local forced=$1 native=no why
  i386_kernel_runs_i386 && native=yes
  if i386_in_another_root || { [ $native = no ] && i386_registered_outside; }; then
    i386_use_the_machines "$forced" $native
    return
  fi
  if [ "$forced" = no ] && [ $native = yes ]; then
    # Native. A registration left by a forced run goes, so that this run is native again.
    if [ -f "$i386_state" ]; then
      need_root "the qemu-i386 registration of a forced run is still on"
      i386_unregister
    fi
    return 0
  fi
  if [ "$forced" = yes ]; then
    why="forced by GRIDWELL_EMULATE_I386=1"
  else
    why="this machine cannot run 32-bit x86 code: a 32-bit test program ended with status $i386_probe_status"
  fi
  if ! i386_registered; then
    need_root "32-bit programs need QEMU here ($why)"
    i386_install_qemu
    i386_register
  elif [ "$(id -u)" = 0 ]; then
    i386_register  # disables any other i386 registration made since
  fi
  i386_prove_emulation
  echo "setup: the Windows build runs under QEMU $(i386_qemu_version) emulation ($why)" >&2
}

# In a chroot or container: the machine's registrations are used as they are and never
# changed (nor is binfmt_misc mounted, nor QEMU installed: flag F makes the machine's
# emulator serve here). NATIVE says whether the kernel ran the probe itself.
i386_use_the_machines() {
  local forced=$1 native=$2
  [ "$forced" = no ] ||
    i386_fail "GRIDWELL_EMULATE_I386=1 would change binfmt_misc, which this chroot or" \
      "container shares with the whole machine; force emulation on the machine itself"
  [ "$native" = no ] || return 0
  [ -n "$i386_plain_status" ] || i386_run_plain
  if [ "$i386_plain_status" = 42 ]; then
    echo "setup: the Windows build runs under the machine's emulation of 32-bit x86 code" \
      "(${i386_plain_exe:-its binfmt_misc registration}; this chroot or container shares" \
      "the machine's kernel)" >&2
    return 0
  fi
  i386_fail "this machine cannot run 32-bit x86 code (a 32-bit test program ended with" \
    "status $i386_probe_status), and this chroot or container shares its kernel, whose" \
    "binfmt_misc registrations serve every root: setup changes none from here. Run" \
    "scripts/setup as root on the machine itself (it registers QEMU for every root)," \
    "then here again"
}

# The one line of `scripts/setup --check`: how this machine runs 32-bit code. False
# when it cannot.
i386_report() {
  if i386_kernel_runs_i386; then
    if i386_registered; then
      echo "emulated (forced): QEMU $(i386_qemu_version) runs 32-bit x86 programs, though" \
        "this machine runs them natively; scripts/setup without GRIDWELL_EMULATE_I386 ends it"
    else
      echo "native: this machine's kernel and CPU run 32-bit x86 programs"
    fi
    return 0
  fi
  if i386_registered; then
    echo "emulated: QEMU $(i386_qemu_version) runs 32-bit x86 programs; this machine cannot" \
      "(a 32-bit test program ended with status $i386_probe_status)"
    return 0
  fi
  if i386_in_another_root || [ ! -f "$i386_binfmt/status" ]; then
    i386_run_plain
    if [ "$i386_plain_status" = 42 ]; then
      echo "emulated: the machine's ${i386_plain_exe:-binfmt_misc registration} runs 32-bit" \
        "x86 programs in this chroot or container; the machine cannot (a 32-bit test" \
        "program ended with status $i386_probe_status)"
      return 0
    fi
  fi
  local where="run scripts/setup as root"
  ! i386_in_another_root || where+=" on the machine itself, outside this chroot"
  echo "none: this machine cannot run 32-bit x86 programs (a 32-bit test program ended" \
    "with status $i386_probe_status) and QEMU is not set up; $where"
  return 1
}
