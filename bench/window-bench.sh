# Sourced by the window's benchmarks: a scratch folder holding the program as "program" with
# Quillmere.ini beside it, the folder removed and the jobs started ended on exit, and an Xvfb
# display of its own. usage: window_bench_setup PROGRAM; sets $top and $work.
window_bench_setup() {
  work=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  cp "$1" "$work/program"
  cp "$top/Quillmere.ini" "$work/"
  export XDG_RUNTIME_DIR=$work
  unset QT_QPA_PLATFORM

  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x800x24 -noreset >/dev/null 2>&1 &
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
