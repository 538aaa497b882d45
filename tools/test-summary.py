#!/usr/bin/env python3
"""Sums up GoogleTest's XML reports of a test run: cases run, failed and
skipped, naming the failed and skipped ones.  Usage: test-summary.py DIR"""
import glob
import sys
import xml.etree.ElementTree as ET

def main():
    folder = sys.argv[1]
    run = 0
    failed, skipped, unreadable = [], [], []
    for path in sorted(glob.glob(folder + "/*.xml")):
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError:
            unreadable.append(path)
            continue
        for case in root.iter("testcase"):
            name = case.get("classname", "") + "." + case.get("name", "")
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
