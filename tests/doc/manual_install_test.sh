#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a user reads: the
# HTML manual with every picture it shows and every anchor a dialog's Help
# button opens, the three manual pages (rendered by man without a warning), and
# that --help of each program prints the synopsis of its page.
# usage: manual_install_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install"
  exit 1
fi

help=$prefix/lib/quindlemini/help
[ -d "$help" ] || help=$(dirname "$(find "$prefix" -name QuindleMini.html -path '*quindlemini/help/*' | head -n1)")
manual=$help/QuindleMini.html
[ -f "$manual" ] || { fail "manual not installed"; exit 1; }

# Every picture the manual shows is installed beside it.
grep -o 'src="[^"]*"' "$manual" | sed 's/^src="//; s/"$//' | sort -u >"$work/pictures"
[ -s "$work/pictures" ] || fail "the manual shows no pictures"
while read -r picture; do
  [ -s "$help/$picture" ] || fail "picture $picture not installed"
done <"$work/pictures"

# Every anchor a Help button opens, and every link inside the page, exists.
grep -o 'id="[^"]*"' "$manual" | sed 's/^id="//; s/"$//' | sort >"$work/ids"
dupes=$(uniq -d "$work/ids")
[ -z "$dupes" ] || fail "anchors defined twice: $dupes"
grep -rhoE 'SettingsDialog\(services, QStringLiteral\("[^"]+"\)|openHelp\(QStringLiteral\("[^"]+"\)' \
  "$src"/dialogs "$src"/app "$src"/view "$src"/fileopen 2>/dev/null |
  sed -E 's/.*QStringLiteral\("([^"]+)"\)/\1/' | sort -u >"$work/anchors"
[ -s "$work/anchors" ] || fail "no Help button anchors found in the sources"
grep -o 'href="#[^"]*"' "$manual" | sed 's/^href="#//; s/"$//' | sort -u >>"$work/anchors"
while read -r anchor; do
  grep -qx -- "$anchor" "$work/ids" || fail "anchor #$anchor missing from the manual"
done < <(sort -u "$work/anchors")

# The manual pages render without warnings, and --help matches each synopsis.
words() { tr -s ' \n\t' '\n\n\n' | grep -v '^$' | grep -v '^Usage:$'; }
for tool in quindlemini quindlemini-dump quindlemini-render; do
  page=$prefix/share/man/man1/$tool.1
  [ -f "$page" ] || { fail "$tool.1 not installed"; continue; }
  if command -v man >/dev/null; then
    warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$work/$tool.txt")
    [ -z "$warnings" ] || fail "$tool.1: $warnings"
    sed -n '/^SYNOPSIS/,/^DESCRIPTION/p' "$work/$tool.txt" | sed '1d;$d' | words >"$work/$tool.page"
    case $tool in
      quindlemini) program=$build/app/quindlemini ;;
      *) program=$build/tools/$tool ;;
    esac
    "$program" --help </dev/null | words >"$work/$tool.help" || fail "$tool --help exit status"
    diff -u "$work/$tool.page" "$work/$tool.help" >&2 || fail "$tool --help differs from its page"
  else
    fail "man is not installed (scripts/setup.sh installs man-db)"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "manual, pictures, anchors and manual pages installed"
