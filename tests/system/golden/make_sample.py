#!/usr/bin/env python3
# Writes sample.KPrj, the project file expected for the sample record of
# test_projectfile.cpp (SampleRecord there sets the same values field by
# field). Written from the file format's tables, sharing no code with the
# program's writer; run it only when the format itself changes.
import sys

out = []
def line(level, text):
    out.append("    " * level + text)
def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")
def val(level, tag, v):
    line(level, "<%s>%s</%s>" % (tag, esc(str(v)), tag))
def start(level, tag):
    line(level, "<%s>" % tag)
def end(level, tag):
    line(level, "</%s>" % tag)

PORTNUM = [2, 0, 3, 1, 0, 2]
NAMES = ['Camera <A> & "B"', "", "\u8bb2\u53f0", "In4", "In5", "In6"]

def layer_block(level, K, suffix):
    tags = ["LAYERONOFF", "LAYERLOGOONOFF", "LAYERGID", "LAYERAID", "LAYERTILEENABLE",
            "LAYERTID", "LAYERROTATION", "LAYERALPHA", "LAYERBMAIN", "LAYERHS", "LAYERVS",
            "LAYERHACT", "LAYERVACT", "ZOOMONOFF", "ZOOMHS", "ZOOMVS", "ZOOMHACT", "ZOOMVACT",
            "ZOOMHRANG", "ZOOMVRANG", "CHROMAONOFF", "CHROMAMODE", "CHROMAMINR", "CHROMAMAXR",
            "CHROMAMING", "CHROMAMAXG", "CHROMAMINB", "CHROMAMAXB", "BRIGHTNESS", "CONTRAST",
            "SATURATION", "COLORTEMPMODE", "COLORTEMPR", "COLORTEMPG", "COLORTEMPB"]
    for n, tag in enumerate(tags, 1):
        if n in (7, 32):
            v = K - 10
        elif n in (10, 11, 12, 13):
            v = 2147483647 if (K == 1 and n == 10) else K * 1000 + n
        elif n == 14:
            v = K % 2
        elif 15 <= n <= 20:
            v = (K * 100 + n) % 65536
        else:
            v = (K * 7 + n) % 256
        val(level, tag + suffix, v)

line(0, '<?xml version="1.0" encoding="UTF-8"?>')
start(0, "PROJECTDATA")
start(1, "ALLCONFG")
for tag, v in [("BRIGHTLEVEL", 12), ("SYSTEMWORK", 4), ("GENLOCK", 2), ("GAMMAMODE", -1),
               ("GAMMAVALUE", 25), ("FREEZE", 1)]:
    val(2, tag, v)
end(1, "ALLCONFG")
for i in range(6):
    start(1, "INPUTPORTCFG%d" % i)
    val(2, "PORTNUM", PORTNUM[i])
    val(2, "ACTID", i % 3)
    val(2, "INPUTRENAME", NAMES[i])
    for p in range(3):
        val(2, "CHNLID%d" % p, (i + p) % 3)
        val(2, "INPUTTYPE%d" % p, i * 10 + p)
    end(1, "INPUTPORTCFG%d" % i)
for t, name in enumerate(["Tile One", ""]):
    start(1, "INPUTTILECFG%d" % t)
    val(2, "INPUTRENAME", name)
    end(1, "INPUTTILECFG%d" % t)
for i in range(6):
    if PORTNUM[i] == 0:
        continue
    start(1, "INPUTCROPCFG%d" % i)
    for h in range(2):
        start(2, "INPUTCROP%d" % h)
        for p in range(3):
            e = 3 * h + p
            val(3, "INPTUCROPONOFF%d" % p, (i + e) % 2)
            val(3, "CROPHS%d" % p, 100 * i + e)
            val(3, "CROPVS%d" % p, 200 + e)
            val(3, "CROPHACT%d" % p, 1920 - e)
            val(3, "CROPVACT%d" % p, 1080 - i)
        end(2, "INPUTCROP%d" % h)
    end(1, "INPUTCROPCFG%d" % i)
start(1, "MOSAICLAYERCFG")
val(2, "DURATIONTIME", 5)
for l in range(4):
    start(2, "MOSAICLAYER%d" % l)
    layer_block(3, l + 1, "")
    end(2, "MOSAICLAYER%d" % l)
end(1, "MOSAICLAYERCFG")
start(1, "SWITCHLAYERCFG")
val(2, "DURATIONTIME", 6)
for g in range(2):
    start(2, "SWITCHLAYER%d" % g)
    for k in range(3):
        layer_block(3, 11 + 3 * g + k, str(k))
    end(2, "SWITCHLAYER%d" % g)
end(1, "SWITCHLAYERCFG")
start(1, "BACKUPLAYERCFG")
val(2, "DURATIONTIME", 7)
for l in range(2):
    start(2, "BACKUPLAYER%d" % l)
    layer_block(3, 21 + l, "")
    end(2, "BACKUPLAYER%d" % l)
end(1, "BACKUPLAYERCFG")
start(1, "OUTPUTCFG")
for o in range(6):
    start(2, "OUTPUT%d" % o)
    for tag, v in [("OUTPUTONOFF", o % 2), ("OUTPUTID", o), ("OUTPUTMOSAICHS", 1920 * o),
                   ("OUTPUTMOSAICVS", o), ("OUTPUTMOSAICHACT", 1920),
                   ("OUTPUTMOSAICVACT", 1080 + o), ("OUTPUTHS", 10 + o), ("OUTPUTVS", 20 + o),
                   ("OUTPUTHACT", 1900 - o), ("OUTPUTVACT", 1060 - o)]:
        val(3, tag, v)
    end(2, "OUTPUT%d" % o)
start(2, "RESOCFG")
for tag, v in [("RESOID", 17), ("HACT", 1920), ("VACT", 1080), ("FPS", 6000), ("HTOTL", 2200),
               ("VTOTL", 1125), ("HSYNC", 44), ("VSYNC", 5), ("HBP", 148), ("VBP", 36),
               ("OUTPUTMODE", 1)]:
    val(3, tag, v)
end(2, "RESOCFG")
start(2, "HDMISETTINGCFG")
val(3, "COLORSPACE", 1)
val(3, "COLORDEPTH", 2)
val(3, "RGBRANGE", 3)
end(2, "HDMISETTINGCFG")
end(1, "OUTPUTCFG")
start(1, "TASKCONFIG")
for i in range(20):
    start(2, "TASK%d" % i)
    for tag, v in [("YEAR", 26), ("MONTH", 1 + i % 12), ("DAY", 1 + i), ("HOUR", i),
                   ("MIN", 2 * i), ("SEC", 3 * i), ("TASKOPTION", i % 4),
                   ("TASKPRESETID", 19 - i), ("TASKPRIED", 1000 + 100 * i)]:
        val(3, tag, v)
    end(2, "TASK%d" % i)
end(1, "TASKCONFIG")
start(1, "PRESET_NAME")
for g in range(5):
    for p in range(20):
        val(2, "PRESET_NAME%d-%d" % (g, p), "P%d-%d" % (g, p) if (g * 20 + p) % 7 == 0 else "")
end(1, "PRESET_NAME")
end(0, "PROJECTDATA")

with open(sys.argv[1] if len(sys.argv) > 1 else "sample.KPrj", "wb") as f:
    f.write(("\n".join(out) + "\n").encode("utf-8"))
