# xvfb.sh - the start of the window tests. Source it and call
#   in_xvfb "PACKAGES" "TOOLS" "$@"
# first thing: it exits 77 (skipped) when one of TOOLS is missing, naming
# the Debian PACKAGES that bring them, and otherwise runs the calling script
# again inside its own Xvfb server (1024 x 768, 24 bits), where it returns.
in_xvfb() {
  local packages=$1 tools=$2 tool
  shift 2
  for tool in $tools; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed (apt-get install $packages)"
      exit 77
    fi
  done
  [ -n "${RU_IN_XVFB:-}" ] && return
  exec xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24" env RU_IN_XVFB=1 bash "$0" "$@"
}
