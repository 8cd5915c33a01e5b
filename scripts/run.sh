#!/usr/bin/env bash
# Sets up (packages, build) and starts the viewer on FILE, or on the bundled
# sample drawing when no file is named.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/setup.sh"
file=${1:-"$top/samples/sample.plt"}
if [ -x "$top/build/app/quindlemini" ]; then
  exec "$top/build/app/quindlemini" "$file"
fi
# Until the window exists, show what the interpreter makes of the file.
exec "$top/build/tools/quindlemini-dump" "$file"
