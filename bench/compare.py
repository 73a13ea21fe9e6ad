#!/usr/bin/python3
"""Side-by-side timings: two commands alternating in one invocation, so that a busy machine
slows both alike. Medians of whole-process wall time and the largest peak memory.

Usage: bench/compare.py [--repeat N] [--sizes 1000000] [--build build] [--baseline OLD_BUILD]
                        [--only xlsx,csv-peers,...]

Groups:
  xlsx       ostrel (memory, Firebird file) against python3-xlsxwriter in constant memory
  json       ostrel against pandas to_json
  peers      CSV and SQL from memory against sqlite3 .mode csv / .mode insert; the Firebird
             file to CSV against isql-fb
  baseline   every text format from memory, this build against --baseline (an older build)
  csvfile    ostrel-export with the CSV file as source, to csv, sql and xml (peak memory)

Run bench/run.py once first: it generates the datasets in bench-data/.
"""
import argparse, os, statistics, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run as common  # noqa: E402  (the datasets and the peers' scripts)

ROOT = common.ROOT


def timed(cmd):
    stats = os.path.join(ROOT, "bench-data", "time-compare.txt")
    start = time.perf_counter()
    proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", stats] + cmd,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    seconds = time.perf_counter() - start
    if proc.returncode != 0:
        raise SystemExit("failed: %s\n%s" % (cmd, proc.stderr.decode()))
    with open(stats) as f:
        return seconds, int(f.read().split()[-1]) / 1024


def compare(label, a, b, repeat):
    """a and b are (name, command); runs them alternately and prints both medians and b / a."""
    # The files of the cases before are written out first, so that their writing to the disk
    # does not fall on this case's runs.
    os.sync()
    runs = {a[0]: [], b[0]: []}
    for _ in range(repeat):
        for name, cmd in (a, b):
            runs[name].append(timed(cmd))
    (ta, ma), (tb, mb) = [(statistics.median(t for t, _ in runs[n]), max(m for _, m in runs[n])) for n in (a[0], b[0])]
    print("%-34s %-28s %8.3f s %7.1f MiB | %-28s %8.3f s %7.1f MiB | %5.2fx"
          % (label, a[0], ta, ma, b[0], tb, mb, tb / ta), flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--sizes", default="1000000")
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--baseline", help="an older build directory for the 'baseline' group")
    ap.add_argument("--only", help="comma-separated groups (default: all that can run)")
    ap.add_argument("--formats", help="the formats of the baseline group (default: every text format and DBF)")
    args = ap.parse_args()
    groups = set(args.only.split(",")) if args.only else {"xlsx", "json", "peers", "baseline", "csvfile"}
    if not args.baseline:
        groups.discard("baseline")
    data = os.path.join(ROOT, "bench-data")
    out = os.path.join(data, "out")
    os.makedirs(out, exist_ok=True)
    bench = os.path.join(args.build, "bin", "ostrel-bench")
    export = os.path.join(args.build, "bin", "ostrel-export")
    print("%-34s %-28s %10s %11s | %-28s %10s %11s | %s" % ("rows / case", "ours", "time", "peak", "other",
                                                             "time", "peak", "other / ours"))
    for rows in [int(s) for s in args.sizes.split(",") if s]:
        base = common.prepare(rows, data, args.build)
        o = os.path.join(out, "c")
        mem = lambda fmt, ext=None: ("ostrel (memory)", [bench, "export", str(rows), fmt, o + "." + (ext or fmt)])
        fdb = lambda fmt: ("ostrel (Firebird file)", [bench, "export", str(rows), fmt, o + ".fb." + fmt, base + ".fdb"])
        tag = "%d " % rows
        if "xlsx" in groups:
            xw = ("python3-xlsxwriter", [sys.executable, "-c", common.PY_XLSXWRITER, base + ".rows.pickle",
                                         o + ".xw.xlsx"])
            compare(tag + "xlsx", mem("xlsx"), xw, args.repeat)
            compare(tag + "xlsx", fdb("xlsx"), xw, args.repeat)
        if "json" in groups:
            for fmt, kw in [("json", "{'orient': 'records'}"), ("jsonl", "{'orient': 'records', 'lines': True}")]:
                pd = ("pandas to_json", [sys.executable, "-c", common.PANDAS, base + ".pickle", "to_json",
                                         o + ".pd." + fmt, kw])
                compare(tag + fmt, mem(fmt), pd, args.repeat)
        if "peers" in groups:
            compare(tag + "csv", mem("csv"), ("sqlite3 .mode csv", ["sqlite3", base + ".sqlite", ".mode csv",
                                                                    ".output " + o + ".sq.csv", "select * from bench"]),
                    args.repeat)
            compare(tag + "sql", mem("sql"), ("sqlite3 .mode insert", ["sqlite3", base + ".sqlite", ".mode insert BENCH",
                                                                       ".output " + o + ".sq.sql",
                                                                       "select * from bench"]), args.repeat)
            with open(o + ".select.sql", "w") as f:
                f.write("SELECT * FROM BENCH;\n")
            compare(tag + "csv", fdb("csv"), ("isql-fb select", ["isql-fb", "-q", "-ch", "UTF8", "-u", "SYSDBA", "-o",
                                                                 o + ".isql.txt", "-i", o + ".select.sql",
                                                                 base + ".fdb"]), args.repeat)
        if "baseline" in groups:
            old = os.path.join(args.baseline, "bin", "ostrel-bench")
            for fmt in (args.formats or "csv,sql,txt,dif,sylk,xml,html,rtf,latex,dbf,json").split(","):
                mine = mem(fmt)
                compare(tag + fmt, mine, ("baseline", [old, "export", str(rows), fmt, o + ".old." + fmt]), args.repeat)
        if "csvfile" in groups:
            for fmt in ["csv", "sql", "xml"]:
                compare(tag + "CSV file to " + fmt,
                        ("ostrel-export", [export, "-q", "--csv", base + ".csv", o + ".csvfile." + fmt]),
                        ("ostrel (memory)", mem(fmt)[1]), args.repeat)


if __name__ == "__main__":
    main()
