#!/usr/bin/env python3
"""Names the functions in a perf profile of a Windows program under Wine (bench/long_paste.sh with
PROFILE=file): perf cannot read the symbols of Wine's PE DLLs, so each frame is placed in its DLL
through perf's mmap events and named by MinGW's addr2line from the DLL's own symbol table.
    bench/wine_profile.py PERF_DATA    prints the hottest functions, alone and with their callees"""
import collections
import re
import subprocess
import sys

data = sys.argv[1]
script = subprocess.run(["perf", "script", "-i", data, "--show-mmap-events", "-F", "ip,sym,dso"],
                        capture_output=True, text=True).stdout
bases = {}  # where each PE image is loaded: perf prints its frames as offsets from there
for line in script.splitlines():
    mapped = re.search(r"\[(0x[0-9a-f]+)\(0x[0-9a-f]+\) @ (0x[0-9a-f]+|0) [^\]]*\]: \S+ (\S+\.(?:dll|exe))$", line)
    if mapped:
        bases[mapped.group(3)] = int(mapped.group(1), 16) - int(mapped.group(2), 16)
samples = [[]]
for line in script.splitlines():
    frame = re.match(r"\s+([0-9a-f]+) .*\((\S+)\)$", line)
    if frame:
        samples[-1].append((int(frame.group(1), 16), frame.group(2)))
    elif not line.strip() and samples[-1]:
        samples.append([])
samples = [s for s in samples if s]

names = {}


def name(frame):
    offset, image = frame
    if frame not in names:
        if image not in bases:
            names[frame] = image.rsplit("/", 1)[-1]
        else:
            tool = "i686-w64-mingw32-addr2line" if "i386" in image else "x86_64-w64-mingw32-addr2line"
            found = subprocess.run([tool, "-f", "-e", image, hex(bases[image] + offset)], capture_output=True,
                                   text=True).stdout.split("\n")[0]
            names[frame] = f"{image.rsplit('/', 1)[-1]}!{found}"
    return names[frame]


alone = collections.Counter(name(s[0]) for s in samples)
inclusive = collections.Counter()
for s in samples:
    for function in {name(a) for a in s}:
        inclusive[function] += 1
total = len(samples)
print(f"{total} samples")
print("self:")
for function, count in alone.most_common(8):
    print(f"  {100 * count / total:5.1f}%  {function}")
print("with callees:")
for function, count in inclusive.most_common(25):
    print(f"  {100 * count / total:5.1f}%  {function}")
