#!/usr/bin/env python3
"""Writes a record of what a release was built with, in the form of Debian's .buildinfo files: the
commit, SOURCE_DATE_EPOCH, and every installed package the build's own packages need, directly or not,
with its version. Anyone who installs the same versions can rebuild the release and compare the bytes.

    buildinfo.py --source NAME --version V --commit SHA --packages "PKG PKG:ARCH ..."

Exits non-zero, naming it, when one of the packages given is not installed."""

import argparse
import os
import re
import subprocess
import sys

FIELDS = "${Package}\t${Architecture}\t${Version}\t${Provides}\t${Pre-Depends}, ${Depends}\t${db:Status-Status}\n"


def installed_packages():
    """(name, arch) -> (version, [alternatives, ...]) of every installed package, and the virtual names
    each provides."""
    out = subprocess.run(["dpkg-query", "-W", "-f=" + FIELDS], check=True, capture_output=True, text=True).stdout
    packages, provided = {}, {}
    for line in out.splitlines():
        name, arch, version, provides, depends, status = line.split("\t")
        if status != "installed":
            continue
        packages[(name, arch)] = (version, [alternatives(group) for group in depends.split(",") if group.strip()])
        for virtual in provides.split(","):
            if virtual.strip():
                provided.setdefault(bare_name(virtual)[0], []).append((name, arch))
    return packages, provided


def bare_name(relation):
    """'name:qualifier (>= 1) [arch]' -> (name, qualifier or None)."""
    name = re.split(r"[\s(\[]", relation.strip(), maxsplit=1)[0]
    name, _, qualifier = name.partition(":")
    return name, qualifier or None


def alternatives(group):
    return [bare_name(choice) for choice in group.split("|")]


def resolve(name, qualifier, from_arch, native, packages, provided):
    """The installed package that satisfies a dependency on name from a package of from_arch."""
    if qualifier and qualifier != "any":
        arches = [qualifier]
    else:
        arches = [from_arch if from_arch != "all" else native, native, "all"]
    for arch in arches:
        if (name, arch) in packages:
            return (name, arch)
    if qualifier == "any":
        for key in sorted(packages):
            if key[0] == name:
                return key
    for key in provided.get(name, []):
        if key[1] in arches or qualifier == "any":
            return key
    return None


def closure(roots, native, packages, provided):
    seen, queue = set(), list(roots)
    while queue:
        key = queue.pop()
        if key in seen:
            continue
        seen.add(key)
        for group in packages[key][1]:
            for name, qualifier in group:
                found = resolve(name, qualifier, key[1], native, packages, provided)
                if found:
                    queue.append(found)
                    break
    return seen


def main():
    parser = argparse.ArgumentParser()
    for option in ("--source", "--version", "--commit", "--packages"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    native = subprocess.run(["dpkg", "--print-architecture"], check=True, capture_output=True, text=True).stdout.strip()
    packages, provided = installed_packages()
    roots = []
    for root in args.packages.split():
        name, qualifier = bare_name(root)
        found = resolve(name, qualifier, native, native, packages, provided)
        if not found:
            sys.exit(f"buildinfo: {root} is not installed")
        roots.append(found)

    def shown(key):
        name, arch = key
        return name if arch in (native, "all") else f"{name}:{arch}"

    used = sorted(closure(roots, native, packages, provided), key=shown)
    print("Format: 1.0")
    print(f"Source: {args.source}")
    print(f"Version: {args.version}")
    print(f"Git-Commit: {args.commit}")
    print(f"Build-Architecture: {native}")
    print("Environment:")
    print(f' SOURCE_DATE_EPOCH="{os.environ.get("SOURCE_DATE_EPOCH", "")}"')
    print("Installed-Build-Depends:")
    print(",\n".join(f" {shown(key)} (= {packages[key][0]})" for key in used))


if __name__ == "__main__":
    main()
