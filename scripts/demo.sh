#!/usr/bin/env bash
# Sets everything up and runs the program on the demo survey over the demo chart, in a data
# root of its own (build/demo-home, made anew each time; never the user's own).
# With a display the program opens for you to explore. Without one it runs offscreen for a
# while, saves a picture of its main window as demo.png in the current folder and exits.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bin=$PWD/${BUILD_DIR:-build}/bin

export TIDEVANE_HOME=$PWD/${BUILD_DIR:-build}/demo-home
rm -rf "$TIDEVANE_HOME"
mkdir -p "$TIDEVANE_HOME/dosdevices/c:/varnel/charts" "$TIDEVANE_HOME/windows"
"$bin/chartmaker" "$TIDEVANE_HOME/dosdevices/c:/varnel/charts/TV5DEMO1.000"
"$bin/demosurvey"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  "$bin/tidevane" --startup-wait 1500 --play --autoscroll
else
  QT_QPA_PLATFORM=offscreen TIDEVANE_SCREEN=${TIDEVANE_SCREEN:-1024x768} "$bin/tidevane" --startup-wait 0 --play --autoscroll \
    --grab "$here/demo.png" --after "${DEMO_SECONDS:-30}"
  echo "The demo's main window: $here/demo.png"
fi
