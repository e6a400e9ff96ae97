#!/usr/bin/env python3
"""Opens a page of the tool in headless Chromium with a test script run inside it, and prints
what the script observed, one "name: value" line each.

Usage: browser.py PAGE.html SCRIPT.js

The page is copied with the script added at the end of its body and the script's hash added to
the page's own script policy, so that everything else on the page (its policy included) is as the
tool wrote it. The script hands what it saw, an object, to report()."""
import base64
import hashlib
import html.parser
import json
import os
import re
import subprocess
import sys
import tempfile


# Leaves what the test script saw in the page, where the dumped document shows it.
REPORT = """function report(seen) {
  var out = document.createElement("pre");
  out.id = "observed";
  out.textContent = JSON.stringify(seen);
  document.body.appendChild(out);
}
"""


class Observed(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.inside = False
        self.text = ""

    def handle_starttag(self, tag, attrs):
        if dict(attrs).get("id") == "observed":
            self.inside = True

    def handle_endtag(self, tag):
        self.inside = False

    def handle_data(self, data):
        if self.inside:
            self.text += data


def main():
    page_path, script_path = sys.argv[1], sys.argv[2]
    page = open(page_path, encoding="utf-8").read()
    script = REPORT + open(script_path, encoding="utf-8").read()
    digest = base64.b64encode(hashlib.sha256(script.encode("utf-8")).digest()).decode()
    page, policies = re.subn(r"script-src ('sha256-[^']+')", r"script-src \1 'sha256-%s'" % digest, page)
    if policies != 1:
        print("policy: missing")
        return 1
    page = page.replace("</body>", "<script>%s</script>\n</body>" % script)
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "page.html")
        with open(copy, "w", encoding="utf-8") as out:
            out.write(page)
        dom = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--user-data-dir=" + os.path.join(folder, "profile"),
             "--dump-dom", "file://" + copy],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120, check=False).stdout
    parser = Observed()
    parser.feed(dom.decode("utf-8", "replace"))
    if not parser.text:
        print("observed: nothing (the test script did not run)")
        return 1
    for name, value in json.loads(parser.text).items():
        print("%s: %s" % (name, value if isinstance(value, str) else json.dumps(value)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
