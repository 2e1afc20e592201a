#!/usr/bin/env python3
"""Turns skin text sources into binary .she skins (layout in FORMAT.md).

    compile_skins.py OUTPUT_FOLDER skin01.txt skin02.txt ...

Each skinNN.txt becomes OUTPUT_FOLDER/skinNN.she. A source with an unknown key,
a missing colour or a value out of range stops the build with its line number.
"""
import struct
import sys
from pathlib import Path

COLOURS = [
    "window", "window_text", "page", "page_text",
    "edit", "edit_text", "edit_border", "edit_focus_border",
    "button_face", "button_face2", "button_text", "button_border",
    "button_hot", "button_hot2", "button_hot_text",
    "button_pressed", "button_pressed2", "button_pressed_text",
    "check_box", "check_border", "check_mark",
    "tab", "tab_text", "tab_hot", "tab_selected", "tab_selected_text", "tab_border",
    "caption", "caption2", "caption_text", "frame",
    "focus", "disabled_text",
]
NUMBERS = {  # key: (lowest, highest, default)
    "font.height": (-72, 72, 0),
    "font.weight": (0, 900, 0),
    "button.radius": (0, 12, 0),
    "tab.radius": (0, 8, 0),
    "check.radius": (0, 6, 0),
}


def fail(source, line, message):
    sys.exit(f"{source}:{line}: {message}")


def read_source(source):
    values = {}
    for number, raw in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):  # comments are whole lines
            continue
        if "=" not in line:
            fail(source, number, "expected key = value")
        key, value = (part.strip() for part in line.split("=", 1))
        if key in values:
            fail(source, number, f"{key} given twice")
        if key in COLOURS:
            if len(value) != 7 or value[0] != "#":
                fail(source, number, f"{key}: colour must be #rrggbb")
            try:
                values[key] = bytes.fromhex(value[1:])
            except ValueError:
                fail(source, number, f"{key}: colour must be #rrggbb")
        elif key in NUMBERS:
            low, high, _ = NUMBERS[key]
            try:
                values[key] = int(value)
            except ValueError:
                fail(source, number, f"{key}: not a number")
            if not low <= values[key] <= high or (key == "font.weight" and 0 < values[key] < 100):
                fail(source, number, f"{key}: out of range")
        elif key in ("name", "font.face"):
            values[key] = value
        else:
            fail(source, number, f"unknown key {key}")
    for key in ["name"] + COLOURS:
        if key not in values:
            fail(source, 0, f"{key} missing")
    return values


def chunk(tag, payload):
    return tag + struct.pack("<I", len(payload)) + payload


def fnv1a(data):
    value = 2166136261
    for byte in data:
        value = ((value ^ byte) * 16777619) & 0xFFFFFFFF
    return value


def compile_skin(values):
    name = values["name"].encode("utf-8")
    face = values.get("font.face", "").encode("utf-8")
    if not 1 <= len(name) <= 63 or len(face) > 31:
        raise ValueError("name or font face too long")
    number = lambda key: values.get(key, NUMBERS[key][2])
    palette = struct.pack("<H", len(COLOURS)) + b"".join(values[key] + b"\0" for key in COLOURS)
    chunks = [
        chunk(b"NAME", name),
        chunk(b"PALT", palette),
        chunk(b"FONT", struct.pack("<hHB", number("font.height"), number("font.weight"), len(face)) + face),
        chunk(b"METR", bytes([number("button.radius"), number("tab.radius"), number("check.radius"), 0])),
    ]
    body = b"".join(chunks)
    total = 16 + len(body)
    return b".SHE" + struct.pack("<HHII", 1, len(chunks), total, fnv1a(body)) + body


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output = Path(sys.argv[1])
    output.mkdir(parents=True, exist_ok=True)
    for name in sys.argv[2:]:
        source = Path(name)
        data = compile_skin(read_source(source))
        target = output / (source.stem + ".she")
        if not target.exists() or target.read_bytes() != data:
            target.write_bytes(data)


if __name__ == "__main__":
    main()
