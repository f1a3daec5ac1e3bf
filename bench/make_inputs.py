#!/usr/bin/env python3
"""Writes the reference inputs of the benchmarks into a folder.

    bench/make_inputs.py FOLDER [NAME...]

One book is generated (always the same: the random generator has a fixed
seed): 100,000 links in about 3,200 groups nested a few levels deep, with
Japanese titles, ampersands and angle brackets. It is written as a book, a
record stream, a Netscape bookmark file and an Opera hotlist. Each output
file is written by its own function registered in OUTPUTS; give NAMEs to
write only some of them.
"""

import calendar
import os
import random
import struct
import sys
from xml.sax.saxutils import escape

SEED = 1106
LINK_COUNT = 100_000
GROUP_COUNT = 3_200
TOP_LEVEL_GROUPS = 12
MAX_GROUP_DEPTH = 5          # top-level groups are depth 1
SEPARATOR_EVERY = 12         # about one separator per this many groups
GROUP_URL_EVERY = 40         # about one link-carrying group per this many groups

GROUP, URL, GROUP_URL, SEPARATOR = 0, 1, 2, 3
TYPE_NAMES = {GROUP: "Group", URL: "Url", GROUP_URL: "GroupUrl", SEPARATOR: "Separator"}

NAMESPACE = "http://ravlo.tanvex.jp/Application/Ravlo/106"
STREAM_HEADER = b"Ravlo001"

# Words every title is made of. All of them survive code page 932; several
# have 0x5C as their second byte (表, ソ, 能, 申) and some are half-width kana.
JAPANESE_WORDS = [
    "ニュース", "天気予報", "表示", "ソフト", "能力", "申請", "検索", "日本語", "辞書", "地図",
    "旅行", "料理", "レシピ", "音楽", "映画", "書籍", "ゲーム", "スポーツ", "経済", "株価",
    "プログラミング", "開発", "ダウンロード", "掲示板", "日記", "写真", "ｶﾀｶﾅ", "ﾎｰﾑﾍﾟｰｼﾞ",
    "東京", "大阪", "京都", "北海道", "沖縄", "お知らせ", "まとめ", "入門", "講座", "資料",
]
LATIN_WORDS = [
    "News", "Weather", "Tools", "Library", "Docs", "Blog", "Shop", "Forum", "Wiki", "Mail",
    "R&D", "Q&A", "Tips & Tricks", "<beta>", "C++", "a < b", "x > y", "\"quoted\"", "Home",
]
JOINERS = [" ", " & ", "・", " - ", " <", "> ", "　", "／"]
HOSTS = ["example.jp", "example.com", "example.net", "test.example.org"]
MESSAGES = [
    "よく見るサイト", "あとで読む", "仕事用 & 私用", "<重要>", "パスワードは別に保管",
    "更新が遅い\n二行目のメモ", "Reference & notes", "雑誌で紹介された",
]


class Item:
    __slots__ = ("type", "title", "url", "message", "date", "marks", "children")

    def __init__(self, type_, title="", url="", message="", date="", marks=""):
        self.type = type_
        self.title = title
        self.url = url
        self.message = message
        self.date = date
        self.marks = marks
        self.children = []


# ---------------------------------------------------------------- the book

def random_title(rng):
    words = [rng.choice(JAPANESE_WORDS if rng.random() < 0.6 else LATIN_WORDS)
             for _ in range(rng.randint(1, 4))]
    title = words[0]
    for word in words[1:]:
        title += rng.choice(JOINERS) + word
    return title


def random_url(rng, serial):
    host = f"www{rng.randint(1, 400)}.{rng.choice(HOSTS)}"
    return f"http://{host}/{rng.choice(['docs', 'item', 'page', 'a/b'])}/{serial}.html?q={rng.randint(1, 99)}&p={serial % 7}"


def random_date(rng):
    return f"{rng.randint(1998, 2005):04d}/{rng.randint(1, 12):02d}/{rng.randint(1, 28):02d}"


def random_marks(rng):
    roll = rng.random()
    if roll < 0.6:
        return ""
    if roll < 0.7:
        return "".join(rng.choice("01") for _ in range(rng.randint(1, 4)))
    return "".join(rng.choice("01") for _ in range(5))


def random_message(rng):
    return rng.choice(MESSAGES) if rng.random() < 0.1 else ""


def make_book(rng):
    """The invisible root (an untitled group) holding the whole tree."""
    root = Item(GROUP)
    groups = []          # (item, depth)
    for index in range(GROUP_COUNT):
        if index < TOP_LEVEL_GROUPS:
            parent, depth = root, 0
        else:
            parent, depth = rng.choice(groups)
        title = "マイブックマーク" if index == 0 else random_title(rng)
        if index % GROUP_URL_EVERY == GROUP_URL_EVERY - 1:
            group = Item(GROUP_URL, title, random_url(rng, index), random_message(rng), random_date(rng),
                         random_marks(rng))
        else:
            group = Item(GROUP, title, "", random_message(rng), random_date(rng), random_marks(rng))
        parent.children.append(group)
        if depth + 1 < MAX_GROUP_DEPTH:
            groups.append((group, depth + 1))
    all_groups = [child for child in iter_items(root) if child.type in (GROUP, GROUP_URL) and child is not root]

    for serial in range(LINK_COUNT):
        link = Item(URL, random_title(rng), random_url(rng, serial), random_message(rng), random_date(rng),
                    random_marks(rng))
        rng.choice(all_groups).children.append(link)
    for _ in range(GROUP_COUNT // SEPARATOR_EVERY):
        rng.choice(all_groups).children.append(Item(SEPARATOR, date=random_date(rng)))

    for group in all_groups:
        rng.shuffle(group.children)
    return root


def iter_items(root):
    stack = [root]
    while stack:
        item = stack.pop()
        yield item
        stack.extend(reversed(item.children))


# ---------------------------------------------------------------- outputs

def write_rvl(root, path):
    """The XML bookmark file: UTF-8, one element per field, no indentation."""
    parts = ['<?xml version="1.0" encoding="UTF-8"?>\n', f'<Ravlo xmlns="{NAMESPACE}">']

    def element(name, text):
        parts.append(f"<{name}>{escape(text)}</{name}>")

    def item(node):
        parts.append(f'<Item type="{TYPE_NAMES[node.type]}">')
        element("Title", node.title)
        if node.type in (URL, GROUP_URL):
            element("URL", node.url)
        element("Message", node.message)
        element("Date", node.date)
        element("Mark", node.marks)
        if node.children:
            parts.append("<ItemList>")
            for child in node.children:
                item(child)
            parts.append("</ItemList>")
        parts.append("</Item>")

    item(root)
    parts.append("</Ravlo>\n")
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("".join(parts))


def write_stream(root, path):
    """The item-record stream: header, then the root's record, depth first."""
    pack = struct.Struct("<iii").pack
    chunks = [STREAM_HEADER]

    def text(value):
        data = value.encode("cp932")
        chunks.append(struct.pack("<i", len(data)))
        chunks.append(data)

    for node in iter_items(root):
        chunks.append(pack(node.type, len(node.children), 5))
        for value in (node.title, node.url, node.message, node.date, node.marks):
            text(value)
    with open(path, "wb") as out:
        out.write(b"".join(chunks))


def epoch_of(date):
    """Seconds since 1970 (UTC) of a "YYYY/MM/DD" date."""
    year, month, day = (int(part) for part in date.split("/"))
    return int(calendar.timegm((year, month, day, 0, 0, 0)))


def write_netscape(root, path):
    """The tree as Netscape Communicator's bookmark.htm, in code page 932:
    folders as H3 headings with their own DL list, links as DT anchors,
    messages as DD descriptions, separators as HR. A link-carrying group
    becomes a plain folder (the format has no such thing)."""
    lines = [
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
        "<!-- This is an automatically generated file.",
        "It will be read and overwritten.",
        "Do Not Edit! -->",
        '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=Shift_JIS">',
        "<TITLE>Bookmarks</TITLE>",
        "<H1>Bookmarks</H1>",
        "",
        "<DL><p>",
    ]

    def text(value):
        return escape(value, {'"': "&quot;"}).replace("\n", "<BR>")

    def children(node, depth):
        indent = "    " * depth
        for child in node.children:
            stamp = epoch_of(child.date)
            if child.type == SEPARATOR:
                lines.append(f"{indent}<HR>")
                continue
            if child.type == URL:
                lines.append(f'{indent}<DT><A HREF="{child.url}" ADD_DATE="{stamp}" LAST_VISIT="{stamp}" '
                             f'LAST_MODIFIED="{stamp}">{text(child.title)}</A>')
            else:
                lines.append(f'{indent}<DT><H3 ADD_DATE="{stamp}">{text(child.title)}</H3>')
            if child.message:
                lines.append(f"{indent}<DD>{text(child.message)}")
            if child.type != URL:
                lines.append(f"{indent}<DL><p>")
                children(child, depth + 1)
                lines.append(f"{indent}</DL><p>")

    children(root, 1)
    lines.append("</DL><p>")
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("cp932"))


def write_hotlist(root, path):
    """The tree as an Opera hotlist (.adr), UTF-8: #FOLDER and #URL entries
    with indented fields, a "-" line closing each folder, #SEPERATOR entries
    (Opera's spelling) for separators."""
    lines = ["Opera Hotlist version 2.0", "Options: encoding = utf8, version=3", ""]
    serial = 0

    def children(node):
        nonlocal serial
        for child in node.children:
            serial += 1
            if child.type == SEPARATOR:
                lines.extend(["#SEPERATOR", f"\tID={serial}", ""])
                continue
            fields = [f"\tID={serial}", f"\tNAME={child.title}"]
            if child.type == URL:
                fields.append(f"\tURL={child.url}")
            fields.append(f"\tCREATED={epoch_of(child.date)}")
            if child.message:
                fields.append("\tDESCRIPTION=" + child.message.replace("\n", " "))
            lines.append("#URL" if child.type == URL else "#FOLDER")
            lines.extend(fields)
            lines.append("")
            if child.type != URL:
                children(child)
                lines.extend(["-", ""])

    children(root)
    with open(path, "w", encoding="utf-8", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


OUTPUTS = {
    "book.rvl": write_rvl,
    "book.stream": write_stream,
    "book.htm": write_netscape,
    "book.adr": write_hotlist,
}


def main(argv):
    if len(argv) < 2 or argv[1] in ("-h", "--help"):
        print(__doc__.strip())
        return 2
    folder, names = argv[1], argv[2:] or list(OUTPUTS)
    unknown = [name for name in names if name not in OUTPUTS]
    if unknown:
        print(f"unknown output: {', '.join(unknown)} (known: {', '.join(OUTPUTS)})", file=sys.stderr)
        return 2
    os.makedirs(folder, exist_ok=True)
    root = make_book(random.Random(SEED))
    for name in names:
        path = os.path.join(folder, name)
        OUTPUTS[name](root, path)
        print(f"{path}: {os.path.getsize(path)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
