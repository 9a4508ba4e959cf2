"""Checks the help documents as a user's browser meets them offline: every page is well-formed
enough to parse, runs no script, loads nothing from elsewhere, and every link of ours leads to an
existing page and, with a fragment, to an existing anchor."""
import sys
from html.parser import HTMLParser
from pathlib import Path


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.links, self.faults = set(), [], []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "script" or any(name.startswith("on") for name in attrs):
            self.faults.append(f"script in <{tag}>")
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag in ("link", "img", "iframe") or (tag != "a" and "src" in attrs):
            self.faults.append(f"<{tag}> loads another file")
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])


def main(folder):
    folder = Path(folder)
    pages = {}
    for path in sorted(folder.glob("*.html")):
        page = Page()
        page.feed(path.read_text(encoding="utf-8"))
        pages[path.name] = page
    faults = [f"{name}: {fault}" for name, page in pages.items() for fault in page.faults]
    for name, page in pages.items():
        for link in page.links:
            target, _, anchor = link.partition("#")
            target = target or name
            if target not in pages:
                faults.append(f"{name}: link to missing page {link}")
            elif anchor and anchor not in pages[target].ids:
                faults.append(f"{name}: link to missing anchor {link}")
    if "Index.html" not in pages:
        faults.append("no Index.html")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
