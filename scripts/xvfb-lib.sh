# Sourced by the scripts that run windows under Wine: a private X display for this run.
# start_xvfb sets DISPLAY and XVFB_PID; stop_xvfb ends that one server and nothing else.
# Xvfb picks a free display number itself and tells it (-displayfd), so that several runs can
# start their displays at the same moment.
start_xvfb() {
  local told n
  told=$(mktemp /tmp/stub-xvfb.XXXXXX)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(head -n 1 "$told")
    if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
      rm -f "$told"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$told"
  echo "could not start Xvfb" >&2
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
