# Sourced: starts an Xvfb on a free display and a persistent wineserver; the
# caller's trap calls stop_display.
start_display() {
  local n
  for n in $(seq 91 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
    if kill -0 $XVFB_PID 2>/dev/null; then
      export DISPLAY=:$n
      echo ":$n" > "$BUILD/xvfb.display"
      HOME=$HOME_FOR_WINE wineserver -p
      # Wine's service processes inherit the output of the process that wakes
      # them; wake them here so no test's output pipe stays open behind it.
      HOME=$HOME_FOR_WINE wine cmd /c exit </dev/null >/dev/null 2>&1
      return 0
    fi
  done
  echo "no free X display" >&2
  return 1
}

stop_display() {
  HOME=$HOME_FOR_WINE wineserver -k 2>/dev/null || true
  HOME=$HOME_FOR_WINE wineserver -w 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null || true
  rm -f "$BUILD/xvfb.display"
}
