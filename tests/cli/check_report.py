#!/usr/bin/env python3
"""Checks a grading's HTML report with an HTML parser.

Usage: check_report.py REPORT.html PROGRAMS CASES TEXT...
The report must be well nested, load nothing from outside, run nothing, hold a table of
PROGRAMS rows by CASES cases (plus the name and total columns), link every result that
did not pass to its section, and show each TEXT as text.
"""
import sys
from html.parser import HTMLParser

VOID = {"meta", "br", "hr", "img", "input", "link", "col", "wbr", "area", "base", "source"}


class Report(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.errors = []
        self.ids = set()
        self.links = []
        self.text = []
        self.grid_rows = []  # cells per body row of the results table
        self.in_grid = False
        self.in_body = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("script", "iframe", "object", "embed", "img", "link"):
            self.errors.append("élément interdit : <%s>" % tag)
        for name, value in attrs.items():
            if name.startswith("on"):
                self.errors.append("attribut actif : %s" % name)
            if name in ("src", "href", "action") and not (value or "").startswith("#"):
                self.errors.append("ressource extérieure : %s=%s" % (name, value))
        if "id" in attrs:
            if attrs["id"] in self.ids:
                self.errors.append("id en double : %s" % attrs["id"])
            self.ids.add(attrs["id"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"][1:])
        if tag == "table" and attrs.get("class") == "grille":
            self.in_grid = True
        if self.in_grid and tag == "tbody":
            self.in_body = True
        if self.in_body and tag == "tr":
            self.grid_rows.append(0)
        if self.in_body and tag in ("td", "th"):
            self.grid_rows[-1] += 1
        if tag not in VOID:
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> ferme <%s>" % (tag, self.stack[-1] if self.stack else ""))
            return
        self.stack.pop()
        if tag == "tbody":
            self.in_body = False
        if tag == "table":
            self.in_grid = False

    def handle_data(self, data):
        self.text.append(data)


def main():
    path, programs, cases = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    with open(path, encoding="utf-8") as f:
        html = f.read()
    if not html.startswith("<!DOCTYPE html>"):
        sys.exit("pas de <!DOCTYPE html>")
    report = Report()
    report.feed(html)
    report.close()
    errors = report.errors
    if report.stack:
        errors.append("éléments non fermés : %s" % report.stack)
    if report.grid_rows != [cases + 2] * programs:
        errors.append("tableau : %s cellules par ligne" % report.grid_rows)
    for link in report.links:
        if link not in report.ids:
            errors.append("lien sans cible : #%s" % link)
    text = "".join(report.text)
    for wanted in sys.argv[4:]:
        if wanted not in text:
            errors.append("texte absent : %s" % wanted)
    if errors:
        sys.exit("\n".join(errors))


main()
