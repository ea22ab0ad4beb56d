# Source this file: starts a private Xvfb when there is no display.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 400); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
      KORVELTA_XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${n}" ] && break; sleep 0.1; done
      break
    fi
  done
fi
