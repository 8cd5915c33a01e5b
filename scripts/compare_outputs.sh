#!/usr/bin/env bash
# Checks that the headless tools still give what they gave before a change
# that must not alter output: quindlemini-dump's text (messages and exit
# status included) byte for byte, and quindlemini-render's picture (default
# options) pixel for pixel, on every plot file of a folder. `record` saves the
# outputs of a build, `check` compares a build with saved outputs.
#
# usage: scripts/compare_outputs.sh record|check TOOLS_DIR SAVED_DIR [PLOT_DIR]
#   TOOLS_DIR  the build's tools folder (e.g. build/tools)
#   SAVED_DIR  holds dump/<file>.txt, dump/_status and render/<file>.png
#   PLOT_DIR   the plot files (default: the shared corpus beside the repository)
# Needs ImageMagick's `compare` for `check`. Exit status 1 when anything differs.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
tools=${2:-}
saved=${3:-}
plots=${4:-"$top/../shared/corpus/files"}
if [[ "$mode" != record && "$mode" != check ]] || [ -z "$tools" ] || [ -z "$saved" ]; then
  sed -n '2,12p' "$0" >&2
  exit 2
fi
if [ "$mode" = check ] && ! command -v compare >/dev/null; then
  echo "ImageMagick's compare is needed (apt-get install imagemagick)" >&2
  exit 2
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/dump" "$out/render"
: > "$out/dump/_status"
for f in "$plots"/*; do
  [ -f "$f" ] || continue
  b=$(basename "$f")
  "$tools/quindlemini-dump" "$f" > "$out/dump/$b.txt" 2>&1
  echo "$? $b" >> "$out/dump/_status"
  "$tools/quindlemini-render" "$f" -o "$out/render/$b.png" 2>/dev/null ||
    echo "render failed: $b" >&2
done

if [ "$mode" = record ]; then
  mkdir -p "$saved"
  cp -r "$out/dump" "$out/render" "$saved/"
  echo "Saved the outputs of $(wc -l < "$out/dump/_status") files in $saved."
  exit 0
fi

differ=0
files=0
cmp -s "$out/dump/_status" "$saved/dump/_status" || { echo "exit statuses differ"; differ=1; }
while read -r _ b; do
  files=$((files + 1))
  cmp -s "$out/dump/$b.txt" "$saved/dump/$b.txt" || { echo "dump differs: $b"; differ=1; }
  ae=$(compare -metric AE "$out/render/$b.png" "$saved/render/$b.png" null: 2>&1)
  [ "$ae" = 0 ] || { echo "picture differs ($ae pixels): $b"; differ=1; }
done < "$out/dump/_status"
if [ "$differ" = 0 ]; then
  echo "All $files files: the same dumps, exit statuses and pixels."
fi
exit "$differ"
