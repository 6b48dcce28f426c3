"""Opens a built help file by reading its own directory and checks what the program and its
users rely on: every page, the table of contents, the index, the full-text search index, the
pop-up texts for every help number the program asks for, and the messages quoted exactly.
The Japanese help is kibrel.chm; the English one, kibrel-en.chm, is checked as well against
the Japanese sources: the same pages with the same anchors, contents and index.

Usage: check_help_file.py <kibrel.chm> <help source folder>
       check_help_file.py <kibrel-en.chm> <English source folder> <Japanese source folder>
"""

import html.parser
import os
import re
import struct
import sys

from chm_archive import ChmArchive, ChmError

POPUP_FILE = "/cshelp.txt"
POPUP_NUMBERS = {11001, 11002, 11003, 11004, 11005, 11006, 11007, 11008, 102, 1050}
POPUP_MAX_BYTES = 512


class Language:
    def __init__(self, name, code_page, lcid, charset, messages):
        self.name = name
        self.code_page = code_page
        self.lcid = lcid
        self.charset = charset
        self.messages = messages


# The messages as the program shows them; the help quotes each in a <pre class="msg"> block.
JAPANESE_MESSAGES = {
    "string 10": "正規表現の使い方が間違っとるぞ。",
    "string 11": "ファイル名に\u3000\\ / :  * ? \\\" < > |\u3000は使えません",
    "string 12": "( )の中に{ }を入れることはできません\n詳しくはヘルプを参照してください",
    "string 14": "JRE32.DLLが見つかりませんでした",
    "library unusable": "『JRE32.dll』がねぇぞこの野郎。",
    "pattern refused": "正規表現の使い方おかしいぞこの野郎。",
}
ENGLISH_MESSAGES = {
    "string 10": "The Search text is not a pattern that can be used.",
    "string 11": "A file name cannot hold \\ / : * ? \" < > |",
    "string 12": "A region { } cannot stand inside parentheses ( ).\nSee the help for more.",
    "string 14": "JRE32.DLL was not found.",
    "library unusable": "The regex library jre32 cannot be used.",
    "pattern refused": "The regex library refused the pattern.",
}
JAPANESE = Language("Japanese", "cp932", 0x0411, "shift_jis", JAPANESE_MESSAGES)
ENGLISH = Language("English", "cp1252", 0x0409, "windows-1252", ENGLISH_MESSAGES)
PATTERN_MESSAGES = {
    "rename failure": r"\[[^\]\n]+\] -> \[[^\]\n]+\]\n Rename Failed!!",
    "help file missing": r"Not Exist Html Help File\n\n   File Path \[ [^\n]+ \]",
    "pop-up missing": (r"Error Context ID\n\n   File Path \[ [^\n]+ \]\n"
                       r"  ContextID \[0x[0-9a-f]+ \+ 0x[0-9a-f]{4}\(\d+\)\]"),
}


class PageParser(html.parser.HTMLParser):
    """Collects a page's links, anchors, charset declaration, title and message blocks."""

    def __init__(self):
        super().__init__()
        self.links = []
        self.anchors = set()
        self.charsets = []
        self.messages = []
        self.params = []
        self._message = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("id", "name"):
            if key in attrs and tag != "param":
                self.anchors.add(attrs[key])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "link" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "meta":
            if "charset" in attrs:
                self.charsets.append(attrs["charset"])
            content = attrs.get("content") or ""
            found = re.search(r"charset=([\w-]+)", content, re.I)
            if attrs.get("http-equiv", "").lower() == "content-type" and found:
                self.charsets.append(found.group(1))
        if tag == "pre" and attrs.get("class") == "msg":
            self._message = []
        if tag == "param":
            self.params.append((attrs.get("name"), attrs.get("value")))

    def handle_endtag(self, tag):
        if tag == "pre" and self._message is not None:
            self.messages.append("".join(self._message))
            self._message = None

    def handle_data(self, data):
        if self._message is not None:
            self._message.append(data)


def parse(text):
    parser = PageParser()
    parser.feed(text)
    parser.close()
    return parser


def sitemap_entries(text):
    """(Name, Local) of every sitemap object of a contents or index file; Local may be None."""
    entries = []
    for block in re.findall(r"<OBJECT[^>]*text/sitemap[^>]*>(.*?)</OBJECT>", text, re.S | re.I):
        params = parse(block).params
        names = [value for key, value in params if key and key.lower() == "name"]
        locals_ = [value for key, value in params if key and key.lower() == "local"]
        entries.append((names[0] if names else None, locals_[0] if locals_ else None))
    return entries


def system_records(data):
    """The records of /#SYSTEM: a version, then (code, length, data) records."""
    records = {}
    pos = 4
    while pos + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, pos)
        records[code] = data[pos + 4:pos + 4 + length]
        pos += 4 + length
    return records


def c_string(data):
    return data.split(b"\0", 1)[0].decode("ascii")


class HelpFileCheck:
    def __init__(self, archive, source_dir, language, japanese_dir=None):
        self.archive = archive
        self.source_dir = source_dir
        self.language = language
        self.japanese_dir = japanese_dir
        self.passed = 0
        self.failed = 0
        self.pages = {}

    def expect(self, condition, what):
        if condition:
            self.passed += 1
        else:
            self.failed += 1
            print("FAILED: " + what)

    def text(self, name):
        return self.archive.read(name).decode(self.language.code_page)

    def resolves(self, origin, target):
        """True when a link from page `origin` names a page of the file and, if given, its anchor."""
        page, _, anchor = target.partition("#")
        path = "/" + page if page else origin
        if path not in self.archive.entries:
            return False
        if not anchor:
            return True
        if path not in self.pages:
            return False
        return anchor in self.pages[path].anchors

    def check_system(self):
        records = system_records(self.archive.read("/#SYSTEM"))
        self.expect(4 in records and len(records[4]) >= 12, "#SYSTEM has its language record")
        if 4 in records and len(records[4]) >= 12:
            lcid, _, full_text = struct.unpack_from("<III", records[4], 0)
            self.expect(lcid == self.language.lcid, "#SYSTEM names the %s language (0x%x)"
                        % (self.language.name, self.language.lcid))
            self.expect(full_text == 1, "#SYSTEM turns full-text search on")
        for code, what in ((0, "contents file"), (1, "index file"), (2, "default topic")):
            name = c_string(records.get(code, b""))
            self.expect(name and "/" + name in self.archive.entries,
                        "#SYSTEM names a %s that the file holds (%r)" % (what, name))
        self.expect("/#WINDOWS" in self.archive.entries, "a window type with its tabs")
        fts = self.archive.entries.get("/$FIftiMain")
        self.expect(fts is not None and fts.length > 0, "the full-text search index /$FIftiMain")

    def check_pages(self):
        sources = sorted(f for f in os.listdir(self.source_dir)
                         if f.endswith((".html", ".css", ".hhc", ".hhk")) or "/" + f == POPUP_FILE)
        for source in sources:
            name = "/" + source
            present = name in self.archive.entries
            self.expect(present, "%s is in the help file" % name)
            if not present:
                continue
            with open(os.path.join(self.source_dir, source), "rb") as file:
                self.expect(self.archive.read(name) == file.read(),
                            "%s reads back as its source" % name)
            try:
                text = self.text(name)
            except UnicodeDecodeError as error:
                self.expect(False, "%s is %s text: %s" % (name, self.language.code_page, error))
                continue
            if source.endswith(".html"):
                page = parse(text)
                self.pages[name] = page
                self.expect([c.lower() for c in page.charsets] == [self.language.charset],
                            "%s declares the charset %s once (%s)"
                            % (name, self.language.charset, page.charsets))
        self.expect(len(self.pages) >= 10, "the help has its pages (%d)" % len(self.pages))
        for name, page in sorted(self.pages.items()):
            for link in page.links:
                if re.match(r"[a-z]+:", link):
                    continue
                self.expect(self.resolves(name, link), "link %s in %s resolves" % (link, name))

    def check_contents(self):
        entries = sitemap_entries(self.text("/kibrel.hhc"))
        self.expect(all(name for name, _ in entries), "every contents entry has a name")
        targets = {"/" + local for _, local in entries if local}
        for target in sorted(targets):
            self.expect(target in self.pages, "contents entry %s is a page" % target)
        missing = sorted(set(self.pages) - targets)
        self.expect(not missing, "every page stands in the contents (missing: %s)" % missing)

    def check_index(self):
        entries = sitemap_entries(self.text("/kibrel.hhk"))
        self.expect(len(entries) >= 40, "the index has its keywords (%d)" % len(entries))
        for name, local in entries:
            self.expect(bool(name) and bool(local), "index entry %r has a name and a page" % name)
            if local:
                self.expect(self.resolves("/index.html", local),
                            "index entry %r points to %s, which exists" % (name, local))
        names = [name for name, _ in entries]
        self.expect(len(names) == len(set(names)), "no index keyword stands twice")

    def check_popups(self):
        present = POPUP_FILE in self.archive.entries
        self.expect(present, "the pop-up text file %s is in the help file" % POPUP_FILE)
        if not present:
            return
        raw = self.archive.read(POPUP_FILE)
        topics = re.split(rb"^\.topic[ \t]+", raw, flags=re.M)
        self.expect(topics[0].strip() == b"", "the pop-up file starts with a .topic line")
        numbers = []
        for topic in topics[1:]:
            header, _, body = topic.partition(b"\n")
            self.expect(header.strip().isdigit(), "pop-up topic %r has a number" % header)
            if not header.strip().isdigit():
                continue
            number = int(header)
            numbers.append(number)
            body = body.strip()
            self.expect(0 < len(body) <= POPUP_MAX_BYTES,
                        "pop-up %d is a short text (%d bytes)" % (number, len(body)))
        self.expect(sorted(numbers) == sorted(POPUP_NUMBERS),
                    "pop-ups are exactly the help numbers %s (found %s)"
                    % (sorted(POPUP_NUMBERS), sorted(numbers)))

    def check_messages(self):
        page = self.pages.get("/messages.html")
        self.expect(page is not None, "the messages page exists")
        if page is None:
            return
        quoted = page.messages
        for what, message in self.language.messages.items():
            self.expect(message in quoted, "the messages page quotes %s exactly" % what)
        for what, pattern in PATTERN_MESSAGES.items():
            self.expect(any(re.fullmatch(pattern, text) for text in quoted),
                        "the messages page quotes the %s message" % what)
        self.expect("ERROR!" in self.text("/messages.html"),
                    "the messages page names the caption ERROR!")

    def check_translation(self):
        """The English help has the Japanese one's pages, each with the same anchors, and its
        contents and index lead to the same places."""
        japanese = {}
        for source in sorted(os.listdir(self.japanese_dir)):
            if source.endswith((".html", ".hhc", ".hhk")):
                with open(os.path.join(self.japanese_dir, source), "rb") as file:
                    japanese["/" + source] = file.read().decode(JAPANESE.code_page)
        for name, text in sorted(japanese.items()):
            if name.endswith(".html"):
                page = self.pages.get(name)
                self.expect(page is not None, "the English help has the page %s" % name)
                if page is not None:
                    self.expect(page.anchors == parse(text).anchors,
                                "%s has the anchors of its Japanese page" % name)
                continue
            english = sitemap_entries(self.text(name))
            self.expect([local for _, local in english]
                        == [local for _, local in sitemap_entries(text)],
                        "%s leads to the places of its Japanese one, in order" % name)
        self.expect(sorted(self.pages) == sorted(n for n in japanese if n.endswith(".html")),
                    "the English help has no page that the Japanese one lacks")

    def run(self):
        self.check_system()
        self.check_pages()
        self.check_contents()
        self.check_index()
        self.check_popups()
        self.check_messages()
        if self.japanese_dir:
            self.check_translation()
        print("%d passed, %d failed" % (self.passed, self.failed))
        return self.failed == 0


def main(argv):
    if len(argv) not in (3, 4):
        print("\n".join(__doc__.strip().splitlines()[-2:]))
        return 2
    japanese_dir = argv[3] if len(argv) == 4 else None
    language = ENGLISH if japanese_dir else JAPANESE
    with open(argv[1], "rb") as file:
        data = file.read()
    try:
        archive = ChmArchive(data)
        ok = HelpFileCheck(archive, argv[2], language, japanese_dir).run()
    except ChmError as error:
        print("FAILED: %s: %s" % (argv[1], error))
        return 1
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
