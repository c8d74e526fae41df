#!/usr/bin/env bash
# Starts the terminal against the test exchange on a virtual screen with a
# window manager, for trying it by hand (xdotool) and taking screenshots:
#
#   scripts/try-terminal.sh [-b build dir] [-d display] [-s WxH] [-- exchange options]
#
# Prints the display, the exchange's address and the home folder, then waits;
# Ctrl+C ends everything. Screenshot: xwd -root -display :N | convert xwd:- shot.png
# The exchange knows the account KEY:SECRET ("test-key:test-secret" by default).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
display=:77
size=1920x1080
while [[ $# -gt 0 ]]; do
  case $1 in
    -b) build=$2; shift 2 ;;
    -d) display=$2; shift 2 ;;
    -s) size=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "usage: $0 [-b build dir] [-d display] [-s WxH] [-- exchange options]"; exit 2 ;;
  esac
done
exchange_args=("$@")
[[ ${#exchange_args[@]} -gt 0 ]] || exchange_args=(--symbols 40 --account test-key:test-secret)

cmake --build "$build" --target tavrix tavrix_test_exchange >/dev/null

home=$(mktemp -d /tmp/tavrix-home.XXXXXX)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; }
trap cleanup EXIT

Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
pids+=($!)

"$build/bin/tavrix_test_exchange" "${exchange_args[@]}" >"$home/exchange.url" &
pids+=($!)
sleep 0.5
url=$(head -1 "$home/exchange.url")

config="$home/.config/Quorvel/Tavrix"
mkdir -p "$config" "$home/.local/share"
printf '{"server": "%s", "language": "English"}\n' "$url" >"$config/app_settings.json"
touch "$config/agreement.accepted"

echo "display $display  exchange $url  home $home"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share DISPLAY=$display \
  "$build/bin/tavrix" &
pids+=($!)
wait "${pids[-1]}"
