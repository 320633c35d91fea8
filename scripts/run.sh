#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor: scripts/run.sh [FILE]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/setup.sh"
bash "$here/build.sh"
file=()
if [ $# -gt 0 ]; then file=("$(realpath -m "$1")"); fi
exec "$here/../build/veskhtml" "${file[@]}"
