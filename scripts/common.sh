# Shared steps of scripts/run and scripts/test; sourced, not run.
# FENDRIX_BUILD names the build folder (default: build beside the sources).

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FENDRIX_BUILD:-$repo/build}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
wine_exec=$repo/scripts/wine-exec

ensure_machine() {
  "$repo/scripts/setup-machine"
}

build_all() {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" >/dev/null
  fi
  cmake --build "$build"
}

# Fonts for the dialogs' Japanese faces; Wine has none of its own.
register_japanese_fonts() {
  local face
  for face in "ＭＳ Ｐゴシック:IPAPGothic" "ＭＳ ゴシック:IPAGothic" "MS UI Gothic:IPAPGothic" \
              "MS PGothic:IPAPGothic" "MS Gothic:IPAGothic" "MS Shell Dlg:IPAPGothic" "Tahoma:IPAPGothic"; do
    "$wine_exec" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /d "${face#*:}" /f >/dev/null 2>&1
  done
}

ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.fendrix-ready" ]; then
    echo "Creating the Wine prefix $WINEPREFIX" >&2
    "$wine_exec" wineboot -i >/dev/null 2>&1
    register_japanese_fonts
    touch "$WINEPREFIX/.fendrix-ready"
  fi
  # One server and one set of Wine's system processes for the whole session. They are started
  # here with quiet standard streams: started by a test instead, they would inherit its output
  # pipe and keep ctest waiting for the end of that output.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running
  "$wine_exec" wineboot </dev/null >/dev/null 2>&1
}

stop_wine() {
  wineserver -k 2>/dev/null || true
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
