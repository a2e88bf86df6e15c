#!/usr/bin/env python3
"""Seals the built page in place: a Content-Security-Policy that lets in nothing but the page's own
inline script and style, named by their SHA-256 hashes, and WebAssembly; and the program's icon as the
page's icon, inside the page.

    seal_page.py PAGE ICON_SVG

Fails, naming what it found, when the page holds what that policy would refuse or this script cannot
hash: a <script> or <style> tag with attributes, a style attribute, an on... handler, or a placeholder
left unfilled.
"""
import base64
import hashlib
import os
import re
import sys
import urllib.parse


def hashes(page, element):
    found = re.findall(rf"<{element}>(.*?)</{element}>", page, flags=re.DOTALL)
    if not found:
        sys.exit(f"seal_page: no inline {element} in the page")
    return " ".join(
        "'sha256-" + base64.b64encode(hashlib.sha256(body.encode()).digest()).decode() + "'" for body in found)


def refused_markup(page):
    """What in the page's markup, outside its inline script and style, the policy would refuse."""
    markup = re.sub(r"<(script|style)>.*?</\1>", "", page, flags=re.DOTALL)
    refused = []
    for tag in re.findall(r"<[a-zA-Z][^>]*>", markup):
        if re.match(r"<(script|style)\b", tag, flags=re.IGNORECASE):
            refused.append(f"{tag[:60]}: a script or style tag with attributes, which is not hashed")
        if re.search(r"\sstyle\s*=", tag, flags=re.IGNORECASE):
            refused.append(f"{tag[:60]}: a style attribute")
        if re.search(r"\son[a-z]+\s*=", tag, flags=re.IGNORECASE):
            refused.append(f"{tag[:60]}: an event handler attribute")
    return refused


def icon_address(svg):
    svg = re.sub(r"<\?xml.*?\?>|<!--.*?-->", "", svg, flags=re.DOTALL)
    svg = re.sub(r"\s+", " ", svg).strip().replace('"', "'")
    return "data:image/svg+xml," + urllib.parse.quote(svg, safe=" =:/,;'()-.")


def main():
    page_path, icon_path = sys.argv[1:3]
    with open(page_path, encoding="utf-8") as file:
        page = file.read()
    if "@CONTENT_SECURITY_POLICY@" not in page:
        sys.exit("seal_page: the page has no place for its policy (sealed already?)")
    with open(icon_path, encoding="utf-8") as file:
        icon = icon_address(file.read())
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {hashes(page, 'script')} 'wasm-unsafe-eval'",
        f"style-src {hashes(page, 'style')}",
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = page.replace("@CONTENT_SECURITY_POLICY@", policy).replace("@ICON@", icon)
    refused = refused_markup(page) + [f"{name}: a placeholder left unfilled"
                                      for name in sorted(set(re.findall(r"@[A-Z_]+@", page)))]
    if refused:
        sys.exit("seal_page: the page holds what its policy would refuse:\n  " + "\n  ".join(refused))
    with open(page_path + ".part", "w", encoding="utf-8") as file:
        file.write(page)
    os.replace(page_path + ".part", page_path)


if __name__ == "__main__":
    main()
