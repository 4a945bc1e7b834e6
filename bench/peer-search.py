#!/usr/bin/env python3
"""Times a body-text search of this program beside RedNotebook's, in one run on one machine.

    apt-get install rednotebook
    bench/peer-search.py build/bin/tavrin-cli [DAYS]      (DAYS: 3653 by default)

Writes the same journal for both (DAYS days of about 300 words in four paragraphs, a rare word
in every 50th day): RedNotebook's month files, and a diary of RTF bodies as the entry editor
stores them, added with `tavrin-cli add`. Then, nine times each, in random order:
  - RedNotebook: its journal's search (Day.search over every day, as its search box does),
    timed with the process's CPU clock, after its months have been loaded;
  - this program: `tavrin-cli search DIARY 1 WORD`, the CPU time of the whole process (start,
    reading the diary, the first search with every body read).
  - the same process searching the descriptions only (start, password, index), whose CPU time
    taken from the body search's leaves the body search's own.
Prints the medians and the ratios.
"""

import json
import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, "/usr/share/rednotebook")
from rednotebook import storage  # noqa: E402

WORDS = ("morning walk coffee rain the and slept garden friends tired letter doctor read wrote "
         "quiet evening river bread music café naïve Zürich appointment headache better long "
         "day with sister market tomatoes bakery neck shoulders").split()
NEEDLE = "kilimanjaro"


def journal(days):
    rng = random.Random(7)
    texts = []
    for i in range(days):
        paragraphs = [" ".join(rng.choice(WORDS) for _ in range(75)) for _ in range(4)]
        if i % 50 == 17:
            paragraphs[2] += " Kilimanjaro"
        texts.append(paragraphs)
    return texts


def rtf(paragraphs):
    def escape(t):
        return "".join(c if ord(c) < 128 else "\\'%02x" % ord(c.encode("cp1252")) for c in t)
    body = "\\par\n".join(escape(p) for p in paragraphs)
    return ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
            "\\pard\\sa120\\f0\\fs20 " + body + "\\par\n}")


def write_rednotebook(texts, folder):
    import datetime
    start = datetime.date(2010, 1, 1)
    months = {}
    for i, paragraphs in enumerate(texts):
        d = start + datetime.timedelta(days=i)
        months.setdefault((d.year, d.month), {})[d.day] = {"text": "\n".join(paragraphs)}
    import yaml
    for (y, m), days in months.items():
        with open(os.path.join(folder, "%04d-%02d.txt" % (y, m)), "w", encoding="utf-8") as f:
            yaml.safe_dump(days, f, allow_unicode=True)


def write_diary(texts, cli, folder):
    path = os.path.join(folder, "Peer.tni")
    entries = [{"dateTimeSeconds": 1262340000 + 86400 * i, "description": "Day %d" % i,
                "body": rtf(p)} for i, p in enumerate(texts)]
    entries[0]["password"] = "peer"
    entries[0]["security"] = [{"question": "Peer?", "answer": "Yes"}]
    subprocess.run([cli, "add", path], input=json.dumps(entries).encode(), check=True,
                   stdout=subprocess.DEVNULL, env=dict(os.environ, TAVRIN_PASSWORD="peer"))
    return path


def main():
    cli = sys.argv[1]
    days = int(sys.argv[2]) if len(sys.argv) > 2 else 3653
    texts = journal(days)
    with tempfile.TemporaryDirectory() as tmp:
        rn_dir = os.path.join(tmp, "rednotebook")
        os.mkdir(rn_dir)
        write_rednotebook(texts, rn_dir)
        diary = write_diary(texts, cli, tmp)
        months = storage.load_all_months_from_disk(rn_dir)
        rn_days = sorted((d for m in months.values() for d in m.days.values()),
                         key=lambda d: d.date)

        def peer():
            t = time.process_time()
            hits = sum(1 for d in reversed(rn_days) if d.search(NEEDLE, [])[1])
            return time.process_time() - t, hits

        def cli_search(mode):
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            out = subprocess.run([cli, "search", diary, mode, NEEDLE], check=True,
                                 capture_output=True,
                                 env=dict(os.environ, TAVRIN_PASSWORD="peer")).stdout
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
            return cpu, out.count(b"\n")

        def ours():
            return cli_search("1")

        def floor():
            # The same process searching the descriptions only: start, password, index.
            return cli_search("2")

        times = {peer: [], ours: [], floor: []}
        runs = [peer, ours, floor] * 9
        random.Random(1).shuffle(runs)
        expected = (days - 17 + 49) // 50
        for run in runs:
            cpu, hits = run()
            if hits != (0 if run is floor else expected):
                sys.exit("%s found %d days" % (run.__name__, hits))
            times[run].append(cpu)
        p, o, f = (statistics.median(times[r]) * 1000 for r in (peer, ours, floor))
        print("days %d, medians of 9, CPU:" % days)
        print("  RedNotebook, search of every day:              %7.1f ms" % p)
        print("  tavrin-cli search, whole process:               %7.1f ms  ratio %.3f" % (o, o / p))
        print("  the same less a description search's process:  %7.1f ms  ratio %.3f"
              % (o - f, (o - f) / p))


if __name__ == "__main__":
    main()
