"""Generates, from resources.json, the resource scripts of both libraries, their images, the
simulated libraries for the tests and the program's two start-up messages, so that none of them can
disagree with another.

usage: generate_resources.py resources.json output-folder
"""
import json
import sys
from pathlib import Path

import draw_images

STRING_LIMIT = 254   # loaded into 255-byte buffers
# Strings that are also loaded into smaller buffers: the icon's tip (64 bytes) and the
# confirmation before removing a device with system files (128 bytes).
SMALLER_LIMITS = {"5": 63, "18": 127}

CONTROL_KINDS = {
    "static": ("LTEXT", None, "SimControlKind::kStatic"),
    "link": ("CONTROL", '"Static", SS_NOTIFY | WS_CHILD | WS_VISIBLE', "SimControlKind::kStatic"),
    # The dialog destroys its own image list, so the list view only shares it.
    "listview": ("CONTROL", '"SysListView32", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_BORDER | WS_TABSTOP',
                 "SimControlKind::kListView"),
    "checkbox": ("AUTOCHECKBOX", None, "SimControlKind::kCheckBox"),
    "button": ("PUSHBUTTON", None, "SimControlKind::kButton"),
    "defbutton": ("DEFPUSHBUTTON", None, "SimControlKind::kButton"),
}

IMAGES = {
    ("BITMAP", 111): "list_images.bmp",
    ("BITMAP", 117): "menu_images_classic.bmp",
    ("BITMAP", 130): "menu_images.bmp",
    ("ICON", 128): "holvara.ico",
    ("CURSOR", 116): "hand.cur",
}

LANGUAGE_STATEMENTS = {
    "en": "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US",
    "ja": "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT",
}


def encode(text, code_page):
    return text.encode(f"cp{code_page}")


def check_lengths(resources):
    for language, library in resources["libraries"].items():
        for number, texts in resources["strings"].items():
            size = len(encode(texts[language], library["codePage"]))
            limit = SMALLER_LIMITS.get(number, STRING_LIMIT)
            if size > limit:
                sys.exit(f"string {number} ({language}) has {size} bytes; at most {limit} fit")


def rc_quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""').replace("\n", "\\n") + '"'


def rc_script(resources, language):
    library = resources["libraries"][language]
    face, points = library["font"]
    lines = [
        "// Generated from resources.json by generate_resources.py; edit those instead.",
        "#include <windows.h>",
        "#include <commctrl.h>",
        # Scripts are UTF-8; the libraries keep their texts in UTF-16 and the system hands them to
        # the program in its own code page.
        "#pragma code_page(65001)",
        LANGUAGE_STATEMENTS[language],
        "",
        "STRINGTABLE",
        "BEGIN",
    ]
    for number, texts in sorted(resources["strings"].items(), key=lambda item: int(item[0])):
        lines.append(f"  {number}, {rc_quote(texts[language])}")
    lines += ["END", ""]
    for number, dialog in sorted(resources["dialogs"].items(), key=lambda item: int(item[0])):
        width, height = dialog["size"]
        style = "DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP"
        style += " | WS_CAPTION | WS_SYSMENU" if dialog["closeBox"] else " | WS_BORDER"
        lines += [f"{number} DIALOGEX 0, 0, {width}, {height}", f"STYLE {style}"]
        # windres gives every dialog with a caption a title bar, so a dialog without one has none.
        if "caption" in dialog:
            lines.append(f"CAPTION {rc_quote(dialog['caption'][language])}")
        lines += [f'FONT {points}, "{face}", 400, 0, 0x1', "BEGIN"]
        for control in dialog["controls"]:
            statement, class_and_style, _ = CONTROL_KINDS[control["kind"]]
            text = rc_quote(control.get("text", {}).get(language, ""))
            x, y, w, h = control["rect"]
            if class_and_style:
                lines.append(f"  {statement} {text}, {control['id']}, {class_and_style}, {x}, {y}, {w}, {h}")
            else:
                lines.append(f"  {statement} {text}, {control['id']}, {x}, {y}, {w}, {h}")
        lines += ["END", ""]
    for (kind, number), file_name in sorted(IMAGES.items(), key=lambda item: item[0][1]):
        lines.append(f'{number} {kind} "{file_name}"')
    return "\n".join(lines) + "\n"


def cpp_bytes(data):
    """A C++ string literal of exactly these bytes; octal escapes cannot run into the next digit."""
    out = []
    for byte in data:
        char = chr(byte)
        if char == "\\" or char == '"':
            out.append("\\" + char)
        elif 32 <= byte < 127 and char != "?":
            out.append(char)
        else:
            out.append(f"\\{byte:03o}")
    return '"' + "".join(out) + '"'


def sim_libraries(resources):
    lines = [
        "// Generated from resources.json by generate_resources.py; edit those instead.",
        '#include "tray/resources/sim_libraries.h"',
        "",
        "namespace holvara {",
        "",
        "namespace {",
        "",
    ]
    for language, library in resources["libraries"].items():
        code_page = library["codePage"]
        lines += [f"SimResourceData Make_{language}() {{", "  SimResourceData data;",
                  f'  data.fileName = "{library["file"]}";']
        for number, texts in sorted(resources["strings"].items(), key=lambda item: int(item[0])):
            lines.append(f"  data.strings[{number}] = {cpp_bytes(encode(texts[language], code_page))};")
        for number, dialog in sorted(resources["dialogs"].items(), key=lambda item: int(item[0])):
            caption = cpp_bytes(encode(dialog.get("caption", {}).get(language, ""), code_page))
            close_box = "true" if dialog["closeBox"] else "false"
            controls = []
            for control in dialog["controls"]:
                text = cpp_bytes(encode(control.get("text", {}).get(language, ""), code_page))
                controls.append(f"{{{control['id']}, {CONTROL_KINDS[control['kind']][2]}, {text}}}")
            lines.append(f"  data.dialogs[{number}] = {{{caption}, {close_box}, {{{', '.join(controls)}}}}};")
        for (kind, number) in IMAGES:
            field = {"BITMAP": "bitmaps", "ICON": "icons", "CURSOR": "cursors"}[kind]
            lines.append(f"  data.{field}.insert({number});")
        lines += ["  return data;", "}", ""]
    lines += [
        "}  // namespace",
        "",
        "const SimResourceData& EnglishResourceLibrary() {",
        "  static const SimResourceData data = Make_en();",
        "  return data;",
        "}",
        "",
        "const SimResourceData& JapaneseResourceLibrary() {",
        "  static const SimResourceData data = Make_ja();",
        "  return data;",
        "}",
        "",
        "}  // namespace holvara",
    ]
    return "\n".join(lines) + "\n"


def startup_messages(resources):
    lines = [
        "// Generated from tray/resources/resources.json by generate_resources.py; edit those instead.",
        "// The two start-up messages are the program's own texts, not the library's, because the library",
        "// may be what is missing. The Japanese texts are bytes of code page 932, as MessageBoxA shows",
        "// them on a Japanese system.",
        "#pragma once",
        "",
        "namespace holvara {",
        "",
    ]
    suffixes = {"en": ("English", 1252), "ja": ("Japanese", 932)}
    for name, texts in resources["startupMessages"].items():
        for language, (suffix, code_page) in suffixes.items():
            lines.append("// " + texts[language].replace("\n", "\\n"))
            lines.append(f"inline constexpr char {name}{suffix}[] = {cpp_bytes(encode(texts[language], code_page))};")
        lines.append("")
    lines.append("}  // namespace holvara")
    return "\n".join(lines) + "\n"


def write_if_changed(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main():
    source, output = Path(sys.argv[1]), Path(sys.argv[2])
    resources = json.loads(source.read_text(encoding="utf-8"))
    check_lengths(resources)
    output.mkdir(parents=True, exist_ok=True)
    for language, library in resources["libraries"].items():
        script = rc_script(resources, language)
        write_if_changed(output / (Path(library["file"]).stem + ".rc"), script.encode("utf-8"))
    for name, data in draw_images.write_all_data().items():
        write_if_changed(output / name, data)
    write_if_changed(output / "sim_libraries.cpp", sim_libraries(resources).encode())
    write_if_changed(output / "tray" / "resources" / "startup_messages.h", startup_messages(resources).encode())


if __name__ == "__main__":
    main()
