#!/usr/bin/env bash
# Makes the archive fixtures of this folder once, by hand; the results are committed and the
# tests never run this. Needs python3, jlha (Debian package jlha-utils) and zip (package zip).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export LC_ALL=C.UTF-8 TZ=UTC

drawing='IN;SP1;PU0,0;PD4000,0,4000,4000,0,4000,0,0;SP0;'

# LZH archives, written by jlha (level-2 headers).
mkdir -p lzh/sub/deep && cd lzh
printf '%s\n' "$drawing" > a.hgl
printf '%s\n' "$drawing" > sub/deep/b.hgl
printf 'not a drawing\n' > notes.txt
touch -d '2020-01-01 00:00:00' a.hgl sub/deep/b.hgl notes.txt
jlha aq "$here/two_drawings.lzh" a.hgl sub/deep/b.hgl notes.txt
# The name is written in Shift-JIS by jlha's "y" option.
printf '%s\n' "$drawing" > 図面.hgl
touch -d '2020-01-01 00:00:00' 図面.hgl
jlha aqy "$here/sjis_name.lzh" 図面.hgl
cd ..

python3 - "$here" "$drawing" <<'PY'
import io, sys, tarfile, zipfile
here, drawing = sys.argv[1], sys.argv[2] + "\n"
stamp = (2020, 1, 1, 0, 0, 0)

def zip_of(name, members):
    with zipfile.ZipFile(f"{here}/{name}", "w", zipfile.ZIP_DEFLATED) as z:
        for m in members:
            info = zipfile.ZipInfo(m[0], stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            if len(m) > 2:
                info.create_system = 3
                info.external_attr = m[2] << 16
            z.writestr(info, m[1])

zip_of("one_drawing.zip", [("plot.hgl", drawing), ("readme.txt", "text\n")])
zip_of("no_drawing.zip", [("readme.txt", "text\n"), ("plot.plt", drawing)])
zip_of("nested.zip", [("drawings/2020/", b"", 0o40755), ("drawings/2020/plan.hgl", drawing)])
zip_of("traversal.zip", [("../../escape.hgl", drawing)])
zip_of("hostile_names.zip", [
    ("..\\..\\back.hgl", drawing),    # DOS separators climbing out
    ("/tmp/absolute.hgl", drawing),   # absolute path
    ("bell\x07.hgl", drawing),        # control byte in the name
    ("dir/..", drawing),              # nothing but a parent reference
])
zip_of("symlink.zip", [("link.hgl", "/etc/passwd", 0o120777), ("real.hgl", drawing)])
zip_of("big_drawing.zip", [("big.hgl", "PA0,0;PD100,100;\n" * 20000)])

# A name stored in Shift-JIS without the UTF-8 flag: written under an ASCII stand-in of the
# same length, whose bytes are then replaced in both headers.
sjis = "図面".encode("cp932")
with zipfile.ZipFile(f"{here}/sjis_name.zip", "w") as z:
    z.writestr(zipfile.ZipInfo("XXXX.hgl", stamp), drawing)
data = open(f"{here}/sjis_name.zip", "rb").read().replace(b"XXXX.hgl", sjis + b".hgl")
open(f"{here}/sjis_name.zip", "wb").write(data)

def tar_of(name, mode, members):
    with tarfile.open(f"{here}/{name}", mode, format=tarfile.GNU_FORMAT) as t:
        for info, body in members:
            info.mtime = 1577836800
            t.addfile(info, io.BytesIO(body) if body is not None else None)

def reg(name, body):
    i = tarfile.TarInfo(name); i.size = len(body); return (i, body)

link = tarfile.TarInfo("evil.hgl"); link.type = tarfile.SYMTYPE; link.linkname = "/etc/passwd"
hard = tarfile.TarInfo("hard.hgl"); hard.type = tarfile.LNKTYPE; hard.linkname = "ok.hgl"
dev = tarfile.TarInfo("device.hgl"); dev.type = tarfile.CHRTYPE; dev.devmajor = 1; dev.devminor = 3
fifo = tarfile.TarInfo("fifo.hgl"); fifo.type = tarfile.FIFOTYPE
tar_of("links.tar", "w", [reg("ok.hgl", drawing.encode()), (link, None), (hard, None),
                          (dev, None), (fifo, None)])
tar_of("two_drawings.tar.gz", "w:gz", [reg("a.hgl", drawing.encode()), reg("b.hgl", drawing.encode())])
tar_of("one_drawing.tar.bz2", "w:bz2", [reg("only.hgl", drawing.encode())])

# A member whose header claims 2**50 bytes, followed by only a few bytes of data.
huge = tarfile.TarInfo("huge.hgl"); huge.size = 2 ** 50; huge.mtime = 1577836800
open(f"{here}/huge_member.tar", "wb").write(huge.tobuf(tarfile.GNU_FORMAT) + drawing.encode().ljust(512, b"\0"))
PY

# A traditionally encrypted ZIP member (password "secret"), written by Info-ZIP zip.
printf '%s\n' "$drawing" > secret.hgl
touch -d '2020-01-01 00:00:00' secret.hgl
rm -f "$here/encrypted.zip"
zip -q -X -P secret "$here/encrypted.zip" secret.hgl

# Truncated copies: the LZH cut inside its second member's data, the ZIP cut inside its
# first member's data (its central directory is lost with the rest).
head -c 150 "$here/two_drawings.lzh" > "$here/truncated.lzh"
head -c 60 "$here/one_drawing.zip" > "$here/truncated.zip"

# A self-extracting LZH: a stand-in program stub starting "MZ", the archive appended.
python3 -c 'import sys; sys.stdout.buffer.write(b"MZ" + b"\x90" * 1534)' > "$here/sfx_lzh.exe"
cat "$here/two_drawings.lzh" >> "$here/sfx_lzh.exe"
