#!/usr/bin/env python3
"""Checks every #include of the program's code against the layer table in
DESIGN.md ("Layers, lowest first"):

    1  framework
    2  foundation
    3  library, decoder
    4  audio, input, widgets, skin
    5  mainwindow (with mainwindow/panes), libraryui, video, settings

A folder includes only from its own layer or lower ones. Besides,
framework/core (the portable core of the layer) includes nothing of
framework/win or framework/ui and no Windows header, except in a branch
that only Windows builds compile (#ifdef _WIN32).

Reads every source file under those folders and prints each include that
breaks a rule, as FILE:LINE: the include and why; exits 1 if there is one.
Usage: check-layers.py [REPOSITORY]   (default: the folder above tools/)
       check-layers.py --self-test   (the checker against a tree of known faults)
"""
import os
import re
import sys
import tempfile

LAYERS = {
    "framework": 1,
    "foundation": 2,
    "library": 3, "decoder": 3,
    "audio": 4, "input": 4, "widgets": 4, "skin": 4,
    "mainwindow": 5, "libraryui": 5, "video": 5, "settings": 5,
}

SOURCE_SUFFIXES = (".h", ".hpp", ".inl", ".c", ".cc", ".cpp", ".rc")

# Windows SDK headers the portable core must not include.
WINDOWS_HEADERS = {
    "windows.h", "windef.h", "winbase.h", "winuser.h", "wingdi.h", "winnt.h",
    "winerror.h", "winreg.h", "winnls.h", "winver.h", "basetsd.h", "minwindef.h",
    "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shlwapi.h",
    "mmsystem.h", "mmreg.h", "dsound.h", "dshow.h", "ole2.h", "olectl.h",
    "objbase.h", "oleauto.h", "unknwn.h", "gdiplus.h", "winsock2.h",
    "ws2tcpip.h", "wininet.h", "richedit.h", "windowsx.h", "tchar.h",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
DIRECTIVE = re.compile(r'^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)')
WIN32_TEST = re.compile(r'^\s*(defined\s*\(?\s*_WIN32\s*\)?|_WIN32)\s*$')


def layer_of(path):
    """The layer of a repository path ('library/file/X.h'), or None."""
    top = path.replace("\\", "/").split("/", 1)[0]
    return LAYERS.get(top)


def resolve(include, source, root):
    """The repository path an include names: from the root, as the project
    writes them, or else from beside the including file."""
    include = include.replace("\\", "/")
    if layer_of(include) is not None:
        return include
    beside = os.path.normpath(os.path.join(os.path.dirname(source), include))
    if os.path.exists(os.path.join(root, beside)):
        return beside.replace(os.sep, "/")
    return None


def windows_only(kind, rest):
    """For #if/#ifdef/#ifndef: whether the branch is compiled only on
    Windows (True), only elsewhere (False), or either (None)."""
    rest = rest.split("//")[0].split("/*")[0].strip()
    if kind == "ifdef":
        return True if rest == "_WIN32" else None
    if kind == "ifndef":
        return False if rest == "_WIN32" else None
    if kind == "if" and WIN32_TEST.match(rest):
        return True
    if kind == "if" and re.match(r'^!\s*defined\s*\(?\s*_WIN32\s*\)?\s*$', rest):
        return False
    return None


def check_file(root, path, problems):
    layer = layer_of(path)
    core = path.startswith("framework/core/")
    # One entry per open #if: True when its current branch is Windows-only.
    stack = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            d = DIRECTIVE.match(line)
            if d:
                kind, rest = d.group(1), d.group(2)
                if kind in ("if", "ifdef", "ifndef"):
                    branch = windows_only(kind, rest)
                    stack.append([branch, branch is True])
                elif kind in ("else", "elif") and stack:
                    branch = stack[-1][0]
                    # The other side of "#ifndef _WIN32" is Windows-only.
                    stack[-1][1] = branch is False and kind == "else"
                    stack[-1][0] = None
                elif kind == "endif" and stack:
                    stack.pop()
                continue
            m = INCLUDE.match(line)
            if not m:
                continue
            quote, include = m.group(1), m.group(2).strip()
            on_windows_only = any(entry[1] for entry in stack)
            if core and not on_windows_only:
                name = include.replace("\\", "/").lower()
                if name.rsplit("/", 1)[-1] in WINDOWS_HEADERS:
                    shown = f"<{include}>" if quote == "<" else f'"{include}"'
                    problems.append(f"{path}:{number}: #include {shown}: "
                                    "framework/core includes no Windows header")
                    continue
            if quote != '"':
                continue
            target = resolve(include, path, root)
            if target is None:
                continue
            if core and (target.startswith("framework/win/") or target.startswith("framework/ui/")):
                problems.append(f"{path}:{number}: #include \"{include}\": "
                                "framework/core includes nothing of framework/win or framework/ui")
                continue
            target_layer = layer_of(target)
            if target_layer is not None and target_layer > layer:
                problems.append(f"{path}:{number}: #include \"{include}\": layer {layer} "
                                f"({path.split('/', 1)[0]}) includes from layer {target_layer} "
                                f"({target.split('/', 1)[0]})")


def check_tree(root):
    problems = []
    files = 0
    for top in sorted(LAYERS):
        base = os.path.join(root, top)
        if not os.path.isdir(base):
            continue
        for folder, subfolders, names in os.walk(base):
            subfolders.sort()
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                    check_file(root, path, problems)
                    files += 1
    return files, problems


# A small tree with each kind of fault once, and includes that are allowed.
SELF_TEST_FILES = {
    "framework/core/A.cpp": '#include <windows.h>\n'
                            '#ifdef _WIN32\n#include <windows.h>\n#else\n#include <basetsd.h>\n#endif\n'
                            '#ifndef _WIN32\n#else\n#include <windows.h>\n#endif\n'
                            '#include "framework/win/CFile.h"\n#include "framework/core/A.h"\n',
    "framework/core/A.h": "",
    "framework/win/CFile.h": '#include <windows.h>\n#include "framework/core/A.h"\n',
    "foundation/xml/X.cpp": '#include "library/file/L.h"\n#include "framework/win/CFile.h"\n',
    "library/file/L.h": '#include "decoder/engine/D.h"\n#include "foundation/xml/X.h"\n',
    "foundation/xml/X.h": "",
    "decoder/engine/D.h": '#include "audio/Mix.h"\n#include "L.h"\n#include "library/file/L.h"\n',
    "decoder/engine/L.h": "",
    "audio/Mix.h": '#include "mainwindow/M.h"\n#include "skin/S.h"\n',
    "mainwindow/panes/P.cpp": '#include "mainwindow/M.h"\n#include "video/V.h"\n',
}
SELF_TEST_FAULTS = {
    "framework/core/A.cpp:1", "framework/core/A.cpp:5", "framework/core/A.cpp:11",
    "foundation/xml/X.cpp:1", "decoder/engine/D.h:1", "audio/Mix.h:1",
}


def self_test():
    with tempfile.TemporaryDirectory() as root:
        for path, text in SELF_TEST_FILES.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        files, problems = check_tree(root)
    found = {p.split(": ", 1)[0] for p in problems}
    if found != SELF_TEST_FAULTS or files != len(SELF_TEST_FILES):
        print("check-layers self-test: expected " + ", ".join(sorted(SELF_TEST_FAULTS)))
        print("found:\n" + "\n".join(problems))
        return 1
    print(f"check-layers self-test: the {len(found)} faults of the test tree found, nothing else")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    files, problems = check_tree(root)
    for problem in problems:
        print(problem)
    print(f"check-layers: {files} files, {len(problems)} includes against the layer table")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
