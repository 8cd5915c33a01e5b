#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop gets:
# the programs in bin/, the desktop entry, the file type with its content
# magic, the icons, the manual and the thumbnailer, whose Exec line is run as
# a file manager would run it.
#
# usage: install_test.sh BUILD_DIR SAMPLE_PLOT
set -u
build=$1
sample=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

for f in bin/quindlemini bin/quindlemini-dump bin/quindlemini-render bin/quindlemini-thumbnailer; do
    [ -x "$prefix/$f" ] || fail "$f is not an installed program"
done
for f in share/applications/quindlemini.desktop \
    share/mime/packages/quindlemini.xml \
    share/icons/hicolor/scalable/apps/quindlemini.svg \
    share/icons/hicolor/scalable/mimetypes/application-vnd.hp-hpgl.svg \
    share/thumbnailers/quindlemini.thumbnailer \
    share/doc/QuindleMini/QuindleMini.html \
    lib/quindlemini/help/QuindleMini.html \
    lib/quindlemini/Init/QuindleMini.PAR; do
    [ -s "$prefix/$f" ] || fail "$f is missing"
done

desktop=$prefix/share/applications/quindlemini.desktop
grep -qx 'MimeType=application/vnd.hp-hpgl;' "$desktop" || fail "desktop entry lists no file type"
grep -qx 'Icon=quindlemini' "$desktop" || fail "desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/mime/packages/quindlemini.xml" || fail "file type XML"
    xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/quindlemini.svg" || fail "icon"
fi

# The file type: by name, and for .plt by content (a gnuplot script is not ours).
if command -v gio >/dev/null && command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime"
    mkdir -p "$work/files"
    cp "$sample" "$work/files/drawing.hpgl"
    printf 'IN;SP1;PD100,100;\n' >"$work/files/drawing.plt"
    printf '\033E\033%%-12345X@PJL ENTER LANGUAGE=HPGL2\n' >"$work/files/job.plt"
    printf 'set terminal png\nplot sin(x)\n' >"$work/files/script.plt"
    type_of() {
        XDG_DATA_HOME=$prefix/share XDG_DATA_DIRS=/usr/share gio info \
            -a standard::content-type "$1" 2>/dev/null | sed -n 's/.*content-type: //p'
    }
    for f in drawing.hpgl drawing.plt job.plt; do
        t=$(type_of "$work/files/$f")
        [ "$t" = application/vnd.hp-hpgl ] || fail "$f is taken for '$t'"
    done
    t=$(type_of "$work/files/script.plt")
    [ "$t" != application/vnd.hp-hpgl ] || fail "a gnuplot script is taken for a plot file"
fi

# The thumbnailer's Exec line with %s %i %o filled in, as a file manager runs it.
thumbnailer=$prefix/share/thumbnailers/quindlemini.thumbnailer
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
try_exec=$(sed -n 's/^TryExec=//p' "$thumbnailer")
[ -x "$prefix/bin/$try_exec" ] || fail "TryExec $try_exec is not in bin/"
run_thumbnailer() { # input output size
    local line=${exec_line//%s/$3}
    line=${line//%i/$1}
    line=${line//%o/$2}
    # shellcheck disable=SC2086
    PATH=$prefix/bin:$PATH timeout 20 $line
}
# Width and height of a PNG from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

for size in 128 256; do
    out=$work/thumb-$size.png
    run_thumbnailer "$sample" "$out" "$size" || fail "thumbnailer failed at $size"
    [ "$(head -c 8 "$out" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "thumbnail at $size is not a PNG"
    read -r w h <<<"$(png_size "$out")"
    big=$((w > h ? w : h))
    [ "$big" -eq "$size" ] && [ "$w" -ge 2 ] && [ "$h" -ge 2 ] ||
        fail "thumbnail at $size is ${w}x${h}"
done

# A damaged file: no thumbnail, status 1, and soon.
head -c 3000 /dev/urandom | tr -d 'A-Za-z;' >"$work/damaged.plt"
: >"$work/empty.plt"
for f in damaged.plt empty.plt missing.plt; do
    run_thumbnailer "$work/$f" "$work/$f.png" 128 2>/dev/null
    rc=$?
    [ "$rc" -eq 1 ] || fail "thumbnailer on $f: status $rc, wanted 1"
    [ ! -e "$work/$f.png" ] || fail "thumbnailer on $f left a picture"
done
leftovers=$(find "$work" -maxdepth 1 -name '*.tmp-*' | wc -l)
[ "$leftovers" -eq 0 ] || fail "temporary files left behind"

[ "$failures" -eq 0 ] || exit 1
echo "installed layout, file type and thumbnailer: ok"
