# Sourced by the scripts that run Windows programs: which Wine runs which build, and how this
# machine runs 32-bit x86 code. Needs $top (the top of the tree).
#
# Each build has a prefix of its own: build/wineprefix (32-bit programs, a win32 prefix) and
# build/wineprefix64 (64-bit programs). Both use the 64-bit wineserver; Debian's `wine` wrapper
# would pick the 32-bit loader, so the loaders are called directly.
#
# 32-bit Windows programs need Wine's 32-bit loader, an i386 Linux program. Some machines run no
# 32-bit x86 code at all ("Exec format error"); there qemu's user-mode emulator, registered for
# i386 files with binfmt_misc, runs it. STUB_RUN32 chooses: auto (default), native, emulated, skip.

WINE_LOADER32=/usr/lib/wine/wine
WINE_LOADER64=/usr/lib/wine/wine64
WINE_SERVER64=/usr/lib/wine/wineserver64
BINFMT=/proc/sys/fs/binfmt_misc
EMU32_ENTRY=stub-qemu-i386
# The i386 ELF header as qemu registers it: class 32, little endian, executable or shared object.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# wine_select --win32|--win64: exports what Wine needs to run that build's programs.
wine_select() {
  export WINESERVER=$WINE_SERVER64
  case $1 in
    --win64)
      export WINEPREFIX=$top/build/wineprefix64 WINELOADER=$WINE_LOADER64 WINEARCH=win64 ;;
    --win32)
      export WINEPREFIX=$top/build/wineprefix WINELOADER=$WINE_LOADER32 WINEARCH=win32 ;;
    *) echo "wine_select: --win32 or --win64, not '$1'" >&2; return 2 ;;
  esac
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installer prompts in a test prefix.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# pe_arch FILE: prints --win64 for an x64 program file, --win32 for anything else.
pe_arch() {
  local at machine
  [ -f "$1" ] || { echo --win32; return; }
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  machine=$(od -An -tx2 -j$((${at:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  if [ "$machine" = 8664 ]; then echo --win64; else echo --win32; fi
}

# An enabled binfmt_misc entry that hands i386 programs to an emulator, or nothing.
emu32_entry() {
  local e
  [ -f "$BINFMT/status" ] || return 0
  for e in "$BINFMT"/*; do
    case ${e##*/} in register | status) continue ;; esac
    grep -qx enabled "$e" 2>/dev/null || continue
    grep -q '^magic 7f454c4601010100000000000000000002000300' "$e" 2>/dev/null || continue
    echo "$e"
    return 0
  done
}

# Does a minimal i386 program (exit code 42, no library) run here, by whatever means?
i386_runs() {
  local probe rc
  probe=$(mktemp /tmp/stub-i386-probe.XXXXXX)
  # ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" = 42 ]
}

# How 32-bit code runs now: native, emulated or none.
run32_now() {
  if [ -n "$(emu32_entry)" ] && i386_runs; then echo emulated
  elif i386_runs; then echo native
  else echo none
  fi
}

mount_binfmt() {
  [ -f "$BINFMT/register" ] && return 0
  mount -t binfmt_misc binfmt_misc "$BINFMT" 2>/dev/null
}

install_qemu_user() {
  local v
  v=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
  # Wine stops under bookworm's qemu 7.2 ("failed to map the shared user data"); 10 works.
  if [ -n "$v" ] && dpkg --compare-versions "$v" ge 1:10; then return 0; fi
  if ! grep -rqs '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo 'deb http://deb.debian.org/debian bookworm-backports main' \
      >/etc/apt/sources.list.d/bookworm-backports.list
  fi
  apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      -t bookworm-backports qemu-user-static >/dev/null
}

# Registers qemu for i386 files; on a machine that also runs them natively, it takes precedence.
emu32_register() {
  local entry
  entry=$(emu32_entry)
  # Somebody else's registration is used as it is, never replaced.
  if [ -n "$entry" ] && [ "${entry##*/}" != "$EMU32_ENTRY" ]; then
    i386_runs && return 0
    RUN32_WHY="the i386 entry ${entry##*/} in binfmt_misc runs no 32-bit program"
    return 1
  fi
  install_qemu_user || { RUN32_WHY="qemu-user-static 10 could not be installed from bookworm-backports"; return 1; }
  mount_binfmt || { RUN32_WHY="binfmt_misc cannot be mounted here (no right to, or no kernel support)"; return 1; }
  [ -e "$BINFMT/$EMU32_ENTRY" ] && echo -1 >"$BINFMT/$EMU32_ENTRY"
  printf ':%s:M::%s:%s:/usr/bin/qemu-i386:F\n' "$EMU32_ENTRY" "$I386_MAGIC" "$I386_MASK" \
    >"$BINFMT/register" 2>/dev/null ||
    { RUN32_WHY="the emulator could not be registered with binfmt_misc"; return 1; }
  EMU32_REGISTERED=1
  i386_runs || { RUN32_WHY="qemu-i386 is registered but a 32-bit program still does not run"; return 1; }
}

# Takes back a registration of ours, made only for this run.
emu32_unregister() {
  if [ "${EMU32_REGISTERED:-0}" = 1 ] && [ -e "$BINFMT/$EMU32_ENTRY" ]; then
    echo -1 >"$BINFMT/$EMU32_ENTRY" 2>/dev/null || true
  fi
  EMU32_REGISTERED=0
}

# run32_prepare: sets RUN32_MODE to native, emulated or skip, with RUN32_WHY saying why, after
# installing and registering the emulator where that is needed. Fails (with RUN32_WHY) only when
# STUB_RUN32 forces a way that this machine cannot take.
run32_prepare() {
  local want=${STUB_RUN32:-auto} now
  now=$(run32_now)
  RUN32_WHY=
  case $want in
    skip)
      RUN32_MODE=skip RUN32_WHY="STUB_RUN32=skip" ;;
    native)
      if [ "$now" = none ]; then
        RUN32_WHY="STUB_RUN32=native, but this machine runs no 32-bit x86 code (Exec format error); use STUB_RUN32=emulated or auto"
        return 1
      fi
      [ "$now" = emulated ] && { RUN32_WHY="STUB_RUN32=native, but 32-bit programs run through an emulator registered in $BINFMT"; return 1; }
      RUN32_MODE=native RUN32_WHY="this machine runs 32-bit x86 code" ;;
    emulated)
      if [ "$now" != emulated ]; then
        emu32_register || { RUN32_WHY="STUB_RUN32=emulated, but $RUN32_WHY"; return 1; }
      fi
      RUN32_MODE=emulated RUN32_WHY="STUB_RUN32=emulated asks for qemu-i386" ;;
    auto)
      case $now in
        native) RUN32_MODE=native RUN32_WHY="this machine runs 32-bit x86 code" ;;
        emulated) RUN32_MODE=emulated RUN32_WHY="an emulator registered in binfmt_misc runs 32-bit programs here" ;;
        none)
          if emu32_register; then
            RUN32_MODE=emulated
            RUN32_WHY="this machine runs no 32-bit x86 code, so qemu-i386 runs it (slower)"
          else
            RUN32_MODE=skip
            RUN32_WHY="this machine runs no 32-bit x86 code and $RUN32_WHY"
          fi ;;
      esac ;;
    *)
      RUN32_WHY="STUB_RUN32 is '$want'; it takes auto, native, emulated or skip"
      return 1 ;;
  esac
}
