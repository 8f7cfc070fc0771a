# Sourced by the benchmark scripts: a work folder and a virtual display of their own, both gone
# when the script ends. Usage: start_virtual_display WxH; sets work, DISPLAY, XDG_RUNTIME_DIR.
work="$(mktemp -d)"
xvfb_pid=""
cleanup_virtual_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup_virtual_display EXIT

start_virtual_display() {
  # The first display number with neither a lock nor a socket.
  local display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
  export DISPLAY=":$display"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}
