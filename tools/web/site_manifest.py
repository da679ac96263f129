#!/usr/bin/env python3
"""Writes the page's manifest.json (what to fetch, how large, the music's
loop points) and packs the site into a zip that a static host serves as it is.

usage: site_manifest.py SITE_DIR ZIP
"""
import json
import os
import sys
import zipfile

# Stale files of an older build are not part of the page.
PAGE = ("index.html", "page.js", "page.css", "README-Web.txt", "manifest.json",
        "skyward-run.js", "skyward-run.wasm", "skyward-run.data", "skyward-data.js")


def main():
    site, zip_path = sys.argv[1], sys.argv[2]
    with open(os.path.join(site, "music", "music.json")) as f:
        music = json.load(f)
    for piece in music.values():
        piece["file"] = "music/" + piece["file"]
    manifest = {
        "program": {"file": "skyward-run.wasm",
                    "size": os.path.getsize(os.path.join(site, "skyward-run.wasm"))},
        "data": {"file": "skyward-run.data",
                 "size": os.path.getsize(os.path.join(site, "skyward-run.data"))},
        "loader": "skyward-data.js",
        "script": "skyward-run.js",
        "music": music,
    }
    with open(os.path.join(site, "manifest.json"), "w") as f:
        json.dump(manifest, f, indent=1, sort_keys=True)
        f.write("\n")
    files = [name for name in PAGE if os.path.exists(os.path.join(site, name))]
    for folder in ("music", "fonts"):
        files += sorted(folder + "/" + n for n in os.listdir(os.path.join(site, folder))
                        if not n.endswith(".wav"))
    tmp = zip_path + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in sorted(files):
            # Fixed times: the same build gives the same zip.
            info = zipfile.ZipInfo("skyward-run-web/" + name, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(site, name), "rb") as f:
                z.writestr(info, f.read())
    os.replace(tmp, zip_path)
    size = sum(os.path.getsize(os.path.join(site, n)) for n in files)
    print(f"site: {len(files)} files, {size / 1048576:.1f} MB; {zip_path}: "
          f"{os.path.getsize(zip_path) / 1048576:.1f} MB")


if __name__ == "__main__":
    main()
