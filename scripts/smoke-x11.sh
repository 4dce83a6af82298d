#!/usr/bin/env bash
# Starts the installed program in a real X server, clicks Close at its place and
# checks the settings file it wrote.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'kill "${app_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

cmake --install "$root/$build" --prefix "$work/program" >/dev/null

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb "$work/program/configurator" &
app_pid=$!
title="Velmora - Configurator CF40210 - SNMP Manager / EtherNet/IP"
wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
[ -n "$wid" ] || { echo "smoke: window not found" >&2; exit 1; }
sleep 0.5
if [ -n "${CF_SCREENSHOT_DIR:-}" ] && command -v import >/dev/null; then
  import -window "$wid" "$CF_SCREENSHOT_DIR/smoke_main_window.png" || true
fi
# Btn_Close is the 50x50 button at (632, 8) of the client area.
xdotool mousemove --window "$wid" 657 33 click 1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then echo "smoke: program still running after Close" >&2; exit 1; fi
wait "$app_pid" || { echo "smoke: program exited with an error" >&2; exit 1; }
app_pid=

settings="$work/program/Tessel.xml"
[ -f "$settings" ] || { echo "smoke: no Tessel.xml written" >&2; exit 1; }
expected='<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd><lastlang><language>English</language></lastlang><lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update><enable_jump_field_tables>0</enable_jump_field_tables><Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>'
if [ "$(cat "$settings")" != "$expected" ]; then
  echo "smoke: unexpected Tessel.xml:" >&2; cat "$settings" >&2; exit 1
fi
for d in MASTER PROJECTS LANGUAGE; do [ -d "$work/program/$d" ] || { echo "smoke: $d missing" >&2; exit 1; }; done
echo "smoke: 1 passed, 0 failed"
