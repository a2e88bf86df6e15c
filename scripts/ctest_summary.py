#!/usr/bin/env python3
"""One line on a CTest run, from its JUnit report (ctest --output-junit FILE):

    ctest_summary.py FILE  ->  12 passed, 1 failed (e2e_program), 3 skipped (SKIP: the reason)

A skipped test's reason is the first line of its output, which CTest's own summary never shows; the
same reasons are given once, with how many tests gave them. Disabled tests count as skipped.
"""
import collections
import sys
import xml.etree.ElementTree as ElementTree


def summarise(report_path):
    try:
        cases = ElementTree.parse(report_path).getroot().iter("testcase")
    except (OSError, ElementTree.ParseError) as error:
        return f"no test report ({error})"
    passed, failed, skip_reasons = 0, [], collections.Counter()
    for case in cases:
        status = case.get("status")
        if status == "run":
            passed += 1
        elif status == "fail":
            failed.append(case.get("name"))
        else:
            skipped = case.find("skipped")
            message = skipped.get("message", "") if skipped is not None else status
            output = (case.findtext("system-out") or "").strip().splitlines()
            # CTest's message only names the return code; the test's own first line says why.
            reason = output[0] if message.startswith("SKIP_RETURN_CODE") and output else message
            skip_reasons[reason] += 1
    line = f"{passed} passed, {len(failed)} failed"
    if failed:
        line += f" ({', '.join(failed)})"
    skipped_count = sum(skip_reasons.values())
    line += f", {skipped_count} skipped"
    if skip_reasons:
        line += " (" + "; ".join(reason if count == 1 else f"{count} x {reason}"
                                 for reason, count in skip_reasons.items()) + ")"
    return line


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    print(summarise(sys.argv[1]))
