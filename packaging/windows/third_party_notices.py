#!/usr/bin/env python3
"""Writes THIRD-PARTY-NOTICES.txt for the statically linked Windows program: the licences of
everything the linker put into it, found from the linker's map, with their texts taken from the
copyright files of the Debian packages the linked files belong to.

    third_party_notices.py --map MAP --objdump OBJDUMP --title TITLE --out FILE

The map names every object file the linker loaded and every archive member it pulled in. Files
inside the build tree are the program's own; every other one must belong to an installed Debian
package, or no notices are written. For a package whose copyright file is machine-readable
(DEP-5), each linked object is traced to its source file through the compile unit's name in its
debugging information, and matched to the file's paragraph as DEP-5 says (the last match wins); an
object without that name counts as the package's own "Files: *". GCC's copyright file is free
text: its statement of the runtime libraries and the GCC Runtime Library Exception are taken whole.
"""
import argparse
import collections
import fnmatch
import os
import re
import subprocess
import sys

MEMBER_LINE = re.compile(r"^(/\S+)\((\S+)\)$")  # an archive member the linker pulled in
LOAD_LINE = re.compile(r"^LOAD (/\S+\.o(?:bj)?)$")  # an object file loaded whole
# GCC's copyright: the paragraphs that state which runtime libraries are GPL-3+ with the exception,
# and the exception itself; each run goes from the paragraph that starts with its first marker to
# the one that holds its last.
GCC_RUNS = [("GCC is Copyright", "- libstdc++-v3"),
            ("GCC RUNTIME LIBRARY EXCEPTION", "copyleft requirements of the license of GCC")]
GPL3 = "/usr/share/common-licenses/GPL-3"


def linked_inputs(map_path):
    """{third-party file: set of archive members, or None for an object loaded whole}, from the map."""
    inputs = {}
    with open(map_path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if match := MEMBER_LINE.match(line):
                inputs.setdefault(os.path.realpath(match[1]), set()).add(match[2])
            elif match := LOAD_LINE.match(line):
                inputs.setdefault(os.path.realpath(match[1]), None)
    return inputs


def owning_packages(paths):
    """{path: Debian package}; exits naming any file that no installed package owns."""
    result = subprocess.run(["dpkg-query", "-S", *paths], capture_output=True, text=True)
    owners = {}
    for line in result.stdout.splitlines():
        package, path = line.split(": ", 1)
        owners[path] = package.split(":")[0].split(", ")[0]
    unknown = [path for path in paths if path not in owners]
    if unknown:
        sys.exit("third_party_notices: linked files of no known package: " + ", ".join(unknown))
    return owners


def source_names(objdump, path):
    """{object name: source file} of an object or of every member of an archive, from the compile
    units' names in their debugging information."""
    dump = subprocess.run([objdump, "--dwarf=info", "--dwarf-depth=1", path], check=True,
                          capture_output=True, text=True, errors="replace").stdout
    names, current = {}, os.path.basename(path)
    for line in dump.splitlines():
        if match := re.match(r"^(\S+):\s+file format ", line):
            current = os.path.basename(match[1])
        elif current not in names and (match := re.search(r"DW_AT_name\s*:.*?: (\S+)$", line)):
            names[current] = match[1].removeprefix("./")
    return names


def paragraphs(text):
    return [block.strip("\n") for block in re.split(r"\n[ \t]*\n", text) if block.strip()]


def fields(block):
    """A DEP-5 paragraph as {field: value}, continuation lines kept."""
    result, key = {}, None
    for line in block.splitlines():
        if line[:1] in (" ", "\t") and key:
            result[key] += "\n" + line
        elif ":" in line:
            key, value = line.split(":", 1)
            result[key] = value.strip()
    return result


class Dep5:
    """A machine-readable Debian copyright file."""

    def __init__(self, text):
        blocks = [fields(block) for block in paragraphs(text)]
        self.header = blocks[0]
        self.files = [block for block in blocks[1:] if "Files" in block]
        self.licences = {block["License"].split("\n")[0].strip(): block["License"]
                         for block in blocks[1:] if "Files" not in block and "License" in block}

    def paragraph_for(self, source):
        found = None
        for block in self.files:
            if any(fnmatch.fnmatchcase(source, pattern) for pattern in block["Files"].split()):
                found = block
        return found

    def licence_text(self, name):
        """The text of a licence by its short name, from the paragraph that gives it."""
        for block in self.files:
            first, _, text = block["License"].partition("\n")
            if first.strip() == name and text:
                return text
        return self.licences.get(name, "").partition("\n")[2]


def dep5_text(text):
    """A DEP-5 text field as plain text: one leading space off each line, "." for a blank line."""
    return "\n".join("" if line.strip() == "." else line[1:] for line in text.splitlines())


def gcc_runs(text):
    blocks = paragraphs(text)
    chosen = []
    for first, last in GCC_RUNS:
        start = next((i for i, block in enumerate(blocks) if block.startswith(first)), None)
        end = next((i for i, block in enumerate(blocks)
                    if start is not None and i >= start and last in " ".join(block.split())), None)
        if end is None:
            sys.exit(f"third_party_notices: GCC's copyright file no longer has '{first}' ... '{last}'")
        chosen += blocks[start:end + 1]
    return "\n\n".join(chosen)


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], check=True,
                          capture_output=True, text=True).stdout


def dep5_section(copyright_text, objects):
    """The notices of a DEP-5 package: each paragraph that a linked object falls under, with the
    patterns it matched and the objects' source files, then the texts of the licences those
    paragraphs name. objects: (source file or None, object name, archive name)."""
    dep5 = Dep5(copyright_text)
    linked = collections.defaultdict(list)
    for source, name, archive in objects:
        paragraph = dep5.paragraph_for(source or name)
        if paragraph is None:
            sys.exit(f"third_party_notices: no paragraph of the copyright file covers {source or name}")
        linked[id(paragraph)].append((source, name, archive))
    lines, licences = [], []
    for paragraph in dep5.files:
        if id(paragraph) not in linked:
            continue
        found = linked[id(paragraph)]
        patterns = [pattern for pattern in paragraph["Files"].split()
                    if any(fnmatch.fnmatchcase(source or name, pattern) for source, name, _ in found)]
        sources = sorted({os.path.basename(source) for source, _, _ in found if source})
        unnamed = collections.Counter(archive for source, _, archive in found if not source)
        sources += [f"{count} objects of {archive} that name no source" for archive, count in sorted(unnamed.items())]
        name = paragraph["License"].split("\n")[0].strip()
        lines += ["Files: " + ", ".join(patterns), "Linked: " + ", ".join(sources),
                  "Copyright: " + "\n           ".join(part.strip() for part in paragraph["Copyright"].splitlines()),
                  "License: " + name, ""]
        licences += [part for part in re.split(r" and | or ", name) if part not in licences]
    for name in licences:
        text = dep5.licence_text(name)
        if not text:
            sys.exit(f"third_party_notices: the copyright file gives no text for the licence {name}")
        lines += [f"License {name}:", dep5_text(text), ""]
    return dep5.header.get("Upstream-Name", ""), "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--map", required=True)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--title", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    inputs = {path: members for path, members in linked_inputs(args.map).items() if path.startswith("/usr/")}
    owners = owning_packages(sorted(inputs))
    by_package = collections.defaultdict(dict)
    for path, members in inputs.items():
        by_package[owners[path]][path] = members

    # Packages that share one copyright file (GCC's C and C++ compilers) make one section.
    sections = collections.defaultdict(list)
    for package in sorted(by_package):
        with open(f"/usr/share/doc/{package}/copyright", encoding="utf-8") as file:
            sections[file.read()].append(package)

    body, needs_gpl3 = [], False
    rule = "-" * 72
    for text, packages in sections.items():
        files = {path: members for package in packages for path, members in by_package[package].items()}
        linked = ", ".join(sorted(os.path.basename(path) for path in files))
        if text.startswith("Format:"):
            objects = []
            for path, members in files.items():
                names, archive = source_names(args.objdump, path), os.path.basename(path)
                objects += [(names.get(member), member, archive) for member in members or [archive]]
            upstream, notices = dep5_section(text, objects)
        else:
            upstream, notices, needs_gpl3 = "GCC", gcc_runs(text), True
        versions = ", ".join(f"{package} {package_version(package)}" for package in packages)
        body += [rule, f"{upstream}, from the Debian packages {versions}", f"Linked from: {linked}", rule, "",
                 notices, ""]
    if needs_gpl3:
        with open(GPL3, encoding="utf-8") as file:
            body += [rule, f"The GNU General Public License, version 3 ({GPL3})", rule, "", file.read()]

    intro = [args.title, "",
             "The program contains code from the libraries below, linked into the executable when it",
             "was built. Each is listed with the files that were linked from it and the terms under",
             "which it is distributed, as the copyright file of the Debian package it came from states",
             "them.", ""]
    text = "\n".join(intro + body).rstrip("\n") + "\n"
    with open(args.out, "w", encoding="utf-8", newline="\r\n") as out:  # CRLF: read on Windows
        out.write(text)


if __name__ == "__main__":
    main()
