# Shared steps of the scripts; sourced, not run.
# Two builds come from one tree, each in a folder of its own under the build root
# (FENDRIX_BUILD, default: build beside the sources): i686, the 32-bit build to ship, and
# x86_64. Each architecture has its own Wine prefix inside its build folder.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${FENDRIX_BUILD:-$repo/build}
wine_exec=$repo/scripts/wine-exec
all_arches=(i686 x86_64)

ensure_machine() {
  "$repo/scripts/setup-machine"
}

# The 64-bit loader runs wherever Wine does; the 32-bit one only where the kernel runs
# 32-bit programs, which some machines of the same kind refuse.
arch_runs_here() {
  case "$1" in
    x86_64) return 0 ;;
    i686) /usr/lib/wine/wine --version >/dev/null 2>&1 ;;
    *) return 1 ;;
  esac
}

# The build to start: the 32-bit one where it runs.
preferred_arch() {
  if arch_runs_here i686; then echo i686; else echo x86_64; fi
}

# Makes the architecture current: its build folder, its prefix, and the wrapper's loader.
use_arch() {
  export FENDRIX_ARCH=$1
  build=$build_root/$1
  export WINEPREFIX=$build/wineprefix
}

build_arch() {
  local folder=$build_root/$1
  if [ ! -f "$folder/build.ninja" ]; then
    cmake -S "$repo" -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$1.cmake" >/dev/null
  fi
  cmake --build "$folder"
}

# Fonts for the dialogs' Japanese faces; Wine has none of its own.
register_japanese_fonts() {
  local face
  for face in "ＭＳ Ｐゴシック:IPAPGothic" "ＭＳ ゴシック:IPAGothic" "MS UI Gothic:IPAPGothic" \
              "MS PGothic:IPAPGothic" "MS Gothic:IPAGothic" "MS Shell Dlg:IPAPGothic" "Tahoma:IPAPGothic"; do
    "$wine_exec" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /d "${face#*:}" /f >/dev/null 2>&1
  done
}

# Prefixes whose Wine server this session started, for cleanup_session.
started_prefixes=()

# Prepares the current architecture's prefix and keeps its server running.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.fendrix-ready" ]; then
    echo "Creating the $FENDRIX_ARCH Wine prefix $WINEPREFIX" >&2
    "$wine_exec" wineboot -i >/dev/null 2>&1
    register_japanese_fonts
    touch "$WINEPREFIX/.fendrix-ready"
  fi
  # One server and one set of Wine's system processes for the whole session. They are started
  # here with quiet standard streams: started by a test instead, they would inherit its output
  # pipe and keep ctest waiting for the end of that output.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running
  started_prefixes+=("$WINEPREFIX")
  "$wine_exec" wineboot </dev/null >/dev/null 2>&1
}

stop_wine() {
  local prefix
  for prefix in "${started_prefixes[@]}"; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
}

# Uses the display in DISPLAY when it answers; otherwise starts a private Xvfb.
started_xvfb=
ensure_display() {
  if [ "${1:-}" != private ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    started_xvfb=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
  done
  echo "no free X display number" >&2
  return 1
}

stop_started_xvfb() {
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null
  return 0
}

# Leaves no Wine server or private X server behind.
cleanup_session() {
  stop_wine
  stop_started_xvfb
}

# Makes the build this machine runs current, built and ready to start: for run and benchmarks.
prepare_runnable_build() {
  use_arch "$(preferred_arch)"
  build_arch "$FENDRIX_ARCH"
}
