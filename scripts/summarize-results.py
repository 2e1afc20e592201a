#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of a test run and prints one line:
'make test: N passed, N failed' (with ', N skipped' when any were skipped).
Fails when a folder holds no report at all, so a run that tested nothing is seen."""
import pathlib
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
missing = []
for folder in map(pathlib.Path, sys.argv[1:]):
    reports = sorted(folder.glob("*.xml"))
    if not reports:
        missing.append(str(folder))
    for report in reports:
        for case in ET.parse(report).getroot().iter("testcase"):
            if case.find("failure") is not None or case.find("error") is not None:
                failed += 1
            elif case.find("skipped") is not None or case.get("result") == "skipped" or case.get("status") == "notrun":
                skipped += 1
            else:
                passed += 1
for folder in missing:
    print(f"no test report in {folder}")
    failed += 1
line = f"make test: {passed} passed, {failed} failed"
print(line + (f", {skipped} skipped" if skipped else ""))
sys.exit(1 if failed else 0)
