#!/usr/bin/env python3
"""Writes the sample streams of the corvane-tool tests, byte by byte from the
stream format (not with the code under test). Run it from this directory."""

import struct

def integer(v):
    if -128 <= v <= 127:
        return b"\x02" + struct.pack("<b", v)
    if -32768 <= v <= 32767:
        return b"\x03" + struct.pack("<h", v)
    return b"\x04" + struct.pack("<i", v)

def string(s):
    return (b"\x06" + bytes([len(s)]) if len(s) <= 255 else b"\x0C" + struct.pack("<I", len(s))) + s

def long_string(s):
    return b"\x0C" + struct.pack("<I", len(s)) + s

def ident(s):
    return b"\x07" + bytes([len(s)]) + s.encode()

def name(s):
    return bytes([len(s)]) + s.encode()

def boolean(v):
    return b"\x09" if v else b"\x08"

def set_of(*members):
    return b"\x0B" + b"".join(name(m) for m in members) + b"\x00"

def section(caption, children=(), type_col=0, width=75, height=17, align=0, wrap=False,
            caption_bytes=None, wrap_item=True):
    data = b"\x01" + (caption_bytes if caption_bytes is not None else string(caption))
    data += integer(type_col) + integer(width) + integer(height) + integer(align)
    data += integer(len(children)) + b"".join(children)
    if wrap_item:
        data += boolean(wrap)
    return data + b"\x00"

def control(entries, component_name=""):
    data = b"TPF0" + name("TStrativ") + name(component_name)
    for key, value in entries:
        data += name(key) + value
    return data + b"\x00\x00"

ALL_OPTIONS = set_of("hoCustomize", "hoAbout", "hoVResize", "hoHresize", "hoClick",
                     "hoHotTrack", "hoHint", "hoDragdrop")

def sections_entries(root_caption, total_width, tree, root_height=17, root_align="taLeftJustify",
                     root_wrap=False, type_col=0):
    entries = [("Sections.TypeCol", integer(type_col))]
    if root_caption:
        entries.append(("Sections.Caption", string(root_caption)))
    entries += [("Sections.Width", integer(total_width)), ("Sections.Height", integer(root_height)),
                ("Sections.Alignment", ident(root_align)), ("Sections.Wordwrap", boolean(root_wrap))]
    if tree is not None:
        entries.append(("Sections.HeaderColumns", tree))
    return entries

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)

# The worked example: 104 bytes.
worked = section(b"HeaderColumns", [
    section(b"Name", width=200),
    section(b"Size", [section(b"Low", width=40), section(b"High", width=40, align=2, wrap=True)]),
])
assert len(worked) == 104
write("worked-example.sections.bin", worked)

head = [("Left", integer(0)), ("Top", integer(0)), ("Width", integer(250)), ("Height", integer(25)),
        ("HotTrackColor", ident("clNavy")), ("CustomizeMenustring", string(b"Customize...")),
        ("BevelOuter", ident("bvNone"))]
write("worked-example.control.bin", control(
    head + [("Headerstyle", ident("bsAutoDetect"))] +
    sections_entries(b"HeaderColumns", 280, worked) + [("Options", ALL_OPTIONS)]))

# A new control as the ActiveX layer creates it: colour set to system colour 4.
default_tree = section(b"HeaderColumns", [section(b"TStrativ v.2.8")])
write("activex-new.control.bin", control(
    head + [("Color", ident("clMenu")), ("Headerstyle", ident("bsAutoDetect"))] +
    sections_entries(b"HeaderColumns", 75, default_tree) + [("Options", ALL_OPTIONS)]))

# Every kind of value away from its default.
custom_tree = section(b"Root", [
    section(b"It's \xE9t\xE9", [
        section(b"Line\r\nbreak", width=-1, type_col=32768, align=1),
        section(b"", width=128, height=32767, wrap=True),
    ], type_col=-5),
    section(b"q" * 300, width=32768, height=2),
], type_col=7, width=10, height=30, align=2, wrap=True)
write("custom.control.bin", control([
    ("Left", integer(-8)), ("Top", integer(40000)), ("Width", integer(600)), ("Height", integer(48)),
    ("Cursor", ident("crHandPoint")), ("Hint", string(b"Columns")),
    ("BiDiMode", ident("bdRightToLeft")), ("DoubleBuffered", boolean(True)),
    ("HotTrackColor", integer(0x123456)), ("CustomizeMenustring", string(b"&Columns...")),
    ("BevelInner", ident("bvLowered")), ("BevelOuter", ident("bvRaised")),
    ("BevelWidth", integer(2)), ("BorderWidth", integer(3)), ("Color", integer(0x00FF8040)),
    ("Headerstyle", ident("bsNew")), ("Align", ident("alTop")), ("BorderStyle", ident("bsNone")),
    ("Enabled", boolean(False)), ("Font.Charset", ident("RUSSIAN_CHARSET")),
    ("Font.Color", ident("clRed")), ("Font.Height", integer(-13)), ("Font.Name", string(b"Arial")),
    ("Font.Style", set_of("fsBold", "fsItalic")), ("ParentFont", boolean(False)),
    ("ParentShowHint", boolean(False))] +
    sections_entries(b"Root", -1 + 128 + 32768, custom_tree, root_height=30,
                     root_align="taCenter", root_wrap=True, type_col=7) +
    [("ShowHint", boolean(True)), ("TabOrder", integer(2)), ("TabStop", boolean(True)),
     ("Visible", boolean(False)), ("Options", set_of("hoClick", "hoHint"))],
    component_name="Header1"))

# As a writer that applies every declared default writes it: no BevelOuter
# (bvRaised), no Headerstyle (bsNew), no HeaderColumns for an emptied tree.
legacy = [("Left", integer(0)), ("Top", integer(0)), ("Width", integer(250)),
          ("Height", integer(25)), ("HotTrackColor", ident("clNavy")),
          ("CustomizeMenustring", string(b"Customize..."))]
write("legacy-defaults.control.bin", control(
    legacy + sections_entries(b"HeaderColumns", 75, None) + [("Options", ALL_OPTIONS)]))
# ... and what loading and saving it again gives: the two values written, and
# the sections the new control had, since nothing cleared them.
write("legacy-defaults.resaved.bin", control(
    legacy + [("BevelOuter", ident("bvRaised")), ("Headerstyle", ident("bsNew"))] +
    sections_entries(b"HeaderColumns", 75, default_tree) + [("Options", ALL_OPTIONS)]))

# Section items at the edges of their encodings, and what a save makes of them.
def edge(normalised):
    return section(b"Edges", [
        section(b"a" * 300, width=-1),
        section(b"b" * 255, width=127),
        section(None, caption_bytes=(string if normalised else long_string)(b"short"), width=128),
        section(b"align 7", width=32767, align=0 if normalised else 7),
        section(b"height 0", width=32768, height=2 if normalised else 0),
        section(b"no wrap item", wrap_item=normalised),
    ])
write("edge.sections.bin", edge(False))
write("edge.sections.resaved.bin", edge(True))

# Faulty files.
whole = open("worked-example.control.bin", "rb").read()
write("truncated.control.bin", whole[:len(whole) // 2])
write("unknown-property.control.bin", control([("Foo", integer(1))]))
write("bad-signature.control.bin", b"TPF1" + whole[4:])
write("empty-list.sections.bin", b"\x01\x00")
deep = b"".join(b"\x01\x06\x00\x02\x00\x02\x01\x02\x11\x02\x00\x02\x01" for _ in range(1001))
write("too-deep.sections.bin", deep + b"\x02\x00" + b"\x00" * 1001)

# Damaged in a way only the property tables notice: dump fails on the same
# entry as loading, after what it could read.
write("bogus-entry.control.bin", control([("Left", integer(7)), ("Sections.Bogus", integer(1))]))

# Host data after the control (and after a bare tree): kept by resave.
write("trailing.control.bin", whole + b"HOST\x00data")
write("trailing.sections.bin", worked + b"\x01\x02\x03")
