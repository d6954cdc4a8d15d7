#!/usr/bin/env python3
"""Writes the manual pages kadr.1 and kadropisets.1 from the programs' own help, so that a
command or an option added to the help is in the pages too: kadr's overview gives the
description and the exit status, 'kadr help NAME' each command's section, the editor's --help
its page.
usage: scripts/make-man-pages.py KADR KADROPISETS OUTDIR DATE"""
import re
import subprocess
import sys


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def paragraphs(text):
    return [p.split("\n") for p in text.strip("\n").split("\n\n")]


def roff(line):
    """One line of text as roff shows it literally."""
    line = line.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + line if line.startswith((".", "'")) else line


def verbatim(lines):
    return [".RS 4", ".nf"] + [roff(line) for line in lines] + [".fi", ".RE"]


def text(lines):
    return [roff(" ".join(line.strip() for line in lines))]


def synopsis(lines):
    """The usage lines without "usage:" and without the comments beside them."""
    names = [re.split(r"\s{2,}", line.replace("usage: ", "", 1).strip())[0] for line in lines]
    return [".SH SYNOPSIS", ".nf"] + [".B " + roff(name) for name in names] + [".fi"]


def header(name, section_title, version, date, summary):
    return ['.\\" -*- coding: UTF-8 -*-',
            '.\\" Made by scripts/make-man-pages.py from the program\'s own help.',
            f'.TH {name.upper()} 1 "{date}" "{version}" "{section_title}"',
            ".SH NAME", roff(f"{name} - {summary}")]


def command_section(page):
    """A command's page: its synopsis, summary, details and example."""
    parts = paragraphs(page)
    usage = [line.replace("usage: ", "", 1).strip() for line in parts[0]]
    out = [".SS " + roff(usage[0].split()[1]), ".B " + roff(" ".join(usage))]
    out += [".PP"] + text(parts[1])
    for part in parts[2:]:
        if part[0] in ("example:", "examples:"):
            out += [".PP", "Example" + ("s:" if part[0] == "examples:" else ":")]
            out += verbatim(line.strip() for line in part[1:])
        else:
            out += [".PP"] + verbatim(part)
    return out


def kadr_page(kadr, date):
    version = run(kadr, "--version").strip()
    overview = paragraphs(run(kadr, "--help"))
    commands = [w for w in run(kadr, "help", "--complete").split()
                if not w.startswith("-") and w != "help"]
    out = header("kadr", "User Commands", version, date,
                 "read, edit, draw and upload the frame sets of an LED display unit")
    out += synopsis(overview[0])
    out += [".SH DESCRIPTION"] + text(overview[1])
    out += [".PP", roff("Each command's usage and an example: kadr help COMMAND.")]
    out += [".SH COMMANDS"]
    for name in commands:
        out += command_section(run(kadr, "help", name))
    for part in overview:
        if part[0].startswith("exit status:"):
            out += [".SH EXIT STATUS"] + text([" ".join(part)[len("exit status: "):]])
        elif part[0].startswith("The shell's completion"):
            out += [".SH COMPLETION"] + text(part)
    out += [".SH SEE ALSO", ".BR kadropisets (1)"]
    return out


def editor_page(editor, date):
    version = run(editor, "--version").strip()
    parts = paragraphs(run(editor, "--help"))
    out = header("kadropisets", "User Commands", version, date,
                 "the editor of the frame sets of an LED display unit")
    out += synopsis(parts[0])
    out += [".SH DESCRIPTION"] + text(parts[1])
    for part in parts[2:]:
        if part[0] == "options:":
            out += [".SH OPTIONS"]
            for line in part[1:]:
                if line.startswith("  "):
                    flags, _, what = line.strip().partition("  ")
                    out += [".TP", ".B " + roff(flags), roff(what.strip())]
                else:
                    out += [".PP"] + text([line])
        else:
            out += [".SH FILES" if "~/" in " ".join(part) else ".PP"] + text(part)
    out += [".SH SEE ALSO", ".BR kadr (1)"]
    return out


def main():
    kadr, editor, outdir, date = sys.argv[1:5]
    for name, lines in (("kadr", kadr_page(kadr, date)), ("kadropisets", editor_page(editor, date))):
        with open(f"{outdir}/{name}.1", "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
