#!/usr/bin/env python3
"""Sums up GoogleTest's XML reports of a test run: cases run, failed and
skipped, naming the failed and skipped ones.  Usage: test-summary.py DIR...
With several folders (the native build's and the Wine build's) the cases
of all are counted, and each name says whose it is (the build folder's
name, e.g. "native: Suite.Case")."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

def main():
    folders = sys.argv[1:]
    run = 0
    failed, skipped, unreadable = [], [], []
    for folder, path in [(f, p) for f in folders for p in sorted(glob.glob(f + "/*.xml"))]:
        owner = ""
        if len(folders) > 1:
            owner = os.path.basename(os.path.dirname(os.path.abspath(folder))) + ": "
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError:
            unreadable.append(path)
            continue
        for case in root.iter("testcase"):
            name = owner + case.get("classname", "") + "." + case.get("name", "")
            if case.get("result") == "skipped" or case.find("skipped") is not None:
                message = case.find("skipped")
                why = message.get("message", "") if message is not None else ""
                skipped.append(name + (": " + why.strip().splitlines()[-1] if why.strip() else ""))
                continue
            run += 1
            if case.find("failure") is not None:
                failed.append(name)
    print(f"test cases: {run} run, {len(failed)} failed, {len(skipped)} skipped")
    for name in failed:
        print("  failed:  " + name)
    for name in skipped:
        print("  skipped: " + name)
    for path in unreadable:
        print("  no complete report (the program did not end normally): " + path)

if __name__ == "__main__":
    main()
