# Sourced by the benchmarks that run a Windows program under Wine: which build they measure.
#   bench_build [win32|win64] TARGET   configures and builds TARGET in that tree and sets
#   BENCH_TREE and BENCH_ARCH; without a choice, the 32-bit build where this machine runs 32-bit
#   code natively, else the 64-bit one. A 32-bit build that would run through qemu is refused:
#   its figures would measure the emulator, not the stub.
source "$top/scripts/wine-lib.sh"

bench_build() {
  local choice=${1:-} target=$2 now triple
  now=$(run32_now)
  if [ -z "$choice" ]; then
    if [ "$now" = native ]; then choice=win32; else choice=win64; fi
  fi
  case $choice in
    win32) triple=i686 ;;
    win64) triple=x86_64 ;;
    *) echo "usage: $0 [win32|win64]" >&2; exit 2 ;;
  esac
  if [ "$choice" = win32 ] && [ "$now" != native ]; then
    echo "The 32-bit build cannot be measured here: this machine runs 32-bit code only through an emulator (or not at all), whose speed says nothing about the stub's. Run '$0 win64'." >&2
    exit 1
  fi
  BENCH_TREE=build/$choice BENCH_ARCH=--$choice
  echo "== measuring the ${choice#win}-bit build ($BENCH_TREE) under Wine"
  cmake -S . -B "$BENCH_TREE" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$triple.cmake" >/dev/null
  cmake --build "$BENCH_TREE" --target "$target" >/dev/null
}
