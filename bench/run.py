#!/usr/bin/python3
"""Benchmarks: every landed format of ostrel against peer tools on the standard datasets.

Usage: bench/run.py [--repeat N] [--sizes 65000,1000000] [--build build] [--only xls,dbf]

Generates the datasets once (bench-data/), loads them into SQLite, a Firebird file and a
pandas pickle, then times whole processes (median of N runs) and reads their peak memory.
"""
import argparse, os, pickle, statistics, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(cmd, **kw):
    subprocess.run(cmd, check=True, **kw)


def measure(cmd, repeat):
    """Median wall seconds and the largest peak RSS (MiB) of a whole process."""
    times, peaks = [], []
    stats = os.path.join(ROOT, "bench-data", "time.txt")
    for _ in range(repeat):
        start = time.perf_counter()
        proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", stats] + cmd,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        times.append(time.perf_counter() - start)
        if proc.returncode != 0:
            raise SystemExit("failed: %s\n%s" % (cmd, proc.stderr.decode()))
        with open(stats) as f:
            peaks.append(int(f.read().split()[-1]) / 1024)
    return statistics.median(times), max(peaks)


def prepare(rows, data, build):
    base = os.path.join(data, "bench-%d" % rows)
    if not os.path.exists(base + ".csv"):
        run([os.path.join(build, "bin", "ostrel-bench"), "gen", str(rows), data])
    if not os.path.exists(base + ".fdb"):
        create = base + "-create.sql"
        with open(create, "w") as f:
            f.write("CREATE DATABASE '%s.fdb' DEFAULT CHARACTER SET UTF8;\n" % base)
        run(["isql-fb", "-q", "-u", "SYSDBA", "-i", create])
        run(["isql-fb", "-q", "-bail", "-ch", "UTF8", "-u", "SYSDBA", "-i", base + "-load.sql", base + ".fdb"])
    if not os.path.exists(base + ".pickle"):
        import pandas
        frame = pandas.read_csv(base + ".csv", keep_default_na=False, na_values=[""])
        frame = frame.loc[:, ~frame.columns.str.startswith("Unnamed")]  # after the trailing separator
        frame.to_pickle(base + ".pickle")
        frame.to_csv(base + ".clean.csv", index=False)
        with open(base + ".rows.pickle", "wb") as f:
            pickle.dump([list(r) for r in frame.itertuples(index=False)], f)
    if not os.path.exists(base + ".sqlite"):
        run(["sqlite3", base + ".sqlite", ".mode csv", ".import %s.clean.csv bench" % base])
    return base


PY_CSV = "import csv,pickle,sys; rows=pickle.load(open(sys.argv[1],'rb')); w=csv.writer(open(sys.argv[2],'w',newline='')); w.writerows(rows)"
PY_DBF = ("import dbf,pickle,sys,datetime\n"
          "rows=pickle.load(open(sys.argv[1],'rb'))\n"
          "t=dbf.Table(sys.argv[2],'ID N(11,0); NAME C(254); CITY C(254); SALARY N(15,4); PRICE N(15,4); "
          "BIRTH D; CREATED D; ACTIVE L',codepage='utf8')\n"
          "t.open(dbf.READ_WRITE)\n"
          "conv=lambda v: None if v != v else v\n"
          "day=lambda s: datetime.date.fromisoformat(s[:10]) if isinstance(s,str) else None\n"
          "for r in rows: t.append((conv(r[0]),r[1] if isinstance(r[1],str) else '',r[2] if isinstance(r[2],str) else '',"
          "conv(r[3]) or 0,conv(r[4]) or 0,day(r[5]),day(r[6]),r[7] if isinstance(r[7],bool) else None))\n"
          "t.close()\n")
# The workbook the XLS exporter writes: bold captions, typed cells with the same number formats,
# 0 for NULL numbers and dates, no cell for NULL texts.
PY_XLWT = ("import xlwt,pickle,sys,datetime\n"
           "rows=pickle.load(open(sys.argv[1],'rb'))\n"
           "wb=xlwt.Workbook(encoding='utf-8'); ws=wb.add_sheet('Sheet 1')\n"
           "bold=xlwt.easyxf('font: bold on')\n"
           "for c,h in enumerate(['ID','NAME','CITY','SALARY','PRICE','BIRTH','CREATED','ACTIVE']): ws.write(0,c,h,bold)\n"
           "fmt=lambda f: xlwt.easyxf(num_format_str=f)\n"
           "fi,ff,fc,fd,ft=fmt('#,###,##0'),fmt('#,###,##0.00'),fmt('00.00$'),fmt('m/d/yyyy'),fmt('m/d/yyyy h:mm AMPM')\n"
           "text=lambda v: v if isinstance(v,str) else None\n"
           "num=lambda v: 0 if v is None or v!=v else v\n"
           "day=lambda v: datetime.datetime.fromisoformat(v) if isinstance(v,str) else 0\n"
           "for r,row in enumerate(rows,1):\n"
           "  w=ws.row(r)\n"
           "  w.write(0,num(row[0]),fi)\n"
           "  if text(row[1]): w.write(1,row[1])\n"
           "  if text(row[2]): w.write(2,row[2])\n"
           "  w.write(3,num(row[3]),ff); w.write(4,num(row[4]),fc)\n"
           "  w.write(5,day(row[5]),fd); w.write(6,day(row[6]),ft)\n"
           "  w.write(7,row[7] if isinstance(row[7],bool) else False)\n"
           "wb.save(sys.argv[2])\n")
# The workbook the XLSX exporter writes: Arial 10, bold captions, typed cells with the same
# number formats, blank cells for NULL numbers, dates and Booleans, no cell for NULL texts.
PY_XLSX_COMMON = ("import pickle,sys,datetime\n"
                  "rows=pickle.load(open(sys.argv[1],'rb'))\n"
                  "heads=['ID','NAME','CITY','SALARY','PRICE','BIRTH','CREATED','ACTIVE']\n"
                  "codes=['#,###,##0',None,None,'#,###,##0.00','00.00$','m/d/yyyy','m/d/yyyy h:mm AM/PM',None]\n"
                  "text=lambda v: v if isinstance(v,str) and v else None\n"
                  "num=lambda v: None if v is None or v!=v else v\n"
                  "day=lambda v: datetime.datetime.fromisoformat(v) if isinstance(v,str) else None\n"
                  "flag=lambda v: v if isinstance(v,bool) else None\n"
                  "conv=[num,text,text,num,num,day,day,flag]\n")
PY_XLSXWRITER = (PY_XLSX_COMMON +
                 "import xlsxwriter\n"
                 "wb=xlsxwriter.Workbook(sys.argv[2],{'constant_memory':True}); ws=wb.add_worksheet('Sheet 1')\n"
                 "fmt=lambda **k: wb.add_format(dict(font_name='Arial',font_size=10,**k))\n"
                 "bold=fmt(bold=True); fmts=[fmt(num_format=c) if c else fmt() for c in codes]\n"
                 "for c,h in enumerate(heads): ws.write_string(0,c,h,bold)\n"
                 "for r,row in enumerate(rows,1):\n"
                 "  for c in range(8):\n"
                 "    v=conv[c](row[c]); f=fmts[c]\n"
                 "    if v is None:\n"
                 "      if c not in (1,2): ws.write_blank(r,c,None,f)\n"
                 "    elif c in (1,2): ws.write_string(r,c,v,f)\n"
                 "    elif c==7: ws.write_boolean(r,c,v,f)\n"
                 "    elif c in (5,6): ws.write_datetime(r,c,v,f)\n"
                 "    else: ws.write_number(r,c,v,f)\n"
                 "wb.close()\n")
PY_OPENPYXL = (PY_XLSX_COMMON +
               "from openpyxl import Workbook\n"
               "from openpyxl.cell import WriteOnlyCell\n"
               "from openpyxl.styles import Font, NamedStyle\n"
               "wb=Workbook(write_only=True); ws=wb.create_sheet('Sheet 1')\n"
               "names=[]\n"
               "for c,code in enumerate(codes):\n"
               "  st=NamedStyle(name='c%d'%c, font=Font(name='Arial',size=10), number_format=code or 'General'); wb.add_named_style(st); names.append(st.name)\n"
               "bold=NamedStyle(name='bold', font=Font(name='Arial',size=10,bold=True)); wb.add_named_style(bold)\n"
               "def cell(v,s):\n"
               "  x=WriteOnlyCell(ws,value=v); x.style=s; return x\n"
               "ws.append([cell(h,'bold') for h in heads])\n"
               "for row in rows:\n"
               "  out=[]\n"
               "  for c in range(8):\n"
               "    v=conv[c](row[c])\n"
               "    out.append(None if v is None and c in (1,2) else cell(v,names[c]))\n"
               "  ws.append(out)\n"
               "wb.save(sys.argv[2])\n")
PANDAS = "import pandas,sys; f=pandas.read_pickle(sys.argv[1]); getattr(f, sys.argv[2])(sys.argv[3], **eval(sys.argv[4]))"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--sizes", default="65000,1000000")
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--only", help="comma-separated formats to run (default: all)")
    args = ap.parse_args()
    data = os.path.join(ROOT, "bench-data")
    os.makedirs(data, exist_ok=True)
    bench = os.path.join(args.build, "bin", "ostrel-bench")
    out = os.path.join(data, "out")
    os.makedirs(out, exist_ok=True)
    results = []

    only = set(args.only.split(",")) if args.only else None

    def add(rows, fmt, tool, cmd):
        if only and fmt not in only:
            return
        seconds, peak = measure(cmd, args.repeat)
        results.append((rows, fmt, tool, seconds, rows / seconds, peak))
        print("%9d  %-8s %-26s %8.3f s %12.0f rows/s %8.1f MiB" % results[-1], flush=True)

    for rows in [int(s) for s in args.sizes.split(",") if s]:
        base = prepare(rows, data, args.build)
        o = os.path.join(out, "o")
        formats = ["csv", "sql", "txt", "dif", "sylk", "xml", "json", "jsonl", "latex", "html", "rtf", "rtf-late", "dbf"]
        if rows < 65536:  # a worksheet's rows
            formats += ["xls", "xls-distinct"]
        for fmt in formats:
            add(rows, fmt, "ostrel (memory)", [bench, "export", str(rows), fmt, o + "." + fmt])
        add(rows, "csv", "ostrel (Firebird file)", [bench, "export", str(rows), "csv", o + ".fb.csv", base + ".fdb"])
        add(rows, "json", "ostrel (Firebird file)", [bench, "export", str(rows), "json", o + ".fb.json", base + ".fdb"])
        # pandas writes JSON from the frame of the same rows, at both sizes.
        for fmt, kw in [("json", "{'orient': 'records'}"), ("jsonl", "{'orient': 'records', 'lines': True}")]:
            add(rows, fmt, "pandas to_json", [sys.executable, "-c", PANDAS, base + ".pickle", "to_json",
                                              o + ".pd." + fmt, kw])
        with open(o + ".select.sql", "w") as f:
            f.write("SELECT * FROM BENCH;\n")
        add(rows, "csv", "isql-fb select", ["isql-fb", "-q", "-ch", "UTF8", "-u", "SYSDBA", "-o", o + ".isql.txt",
                                            "-i", o + ".select.sql", base + ".fdb"])
        add(rows, "csv", "sqlite3 .mode csv", ["sqlite3", base + ".sqlite", ".mode csv", ".output " + o + ".sq.csv", "select * from bench"])
        add(rows, "sql", "sqlite3 .mode insert", ["sqlite3", base + ".sqlite", ".mode insert BENCH", ".output " + o + ".sq.sql", "select * from bench"])
        add(rows, "csv", "python csv", [sys.executable, "-c", PY_CSV, base + ".rows.pickle", o + ".py.csv"])
        if rows <= 100000:
            add(rows, "xls", "python3-xlwt", [sys.executable, "-c", PY_XLWT, base + ".rows.pickle", o + ".py.xls"])
            add(rows, "dbf", "python3-dbf", [sys.executable, "-c", PY_DBF, base + ".rows.pickle", o + ".py.dbf"])
            for fmt, method, kw in [("csv", "to_csv", "{}"), ("xml", "to_xml", "{}"), ("html", "to_html", "{}"),
                                    ("latex", "to_latex", "{}")]:
                add(rows, fmt, "pandas " + method, [sys.executable, "-c", PANDAS, base + ".pickle", method,
                                                    o + ".pd." + fmt, kw])

        # XLSX at both sizes, from memory and from the Firebird file, against the Python writers
        # in their streaming modes.
        add(rows, "xlsx", "ostrel (memory)", [bench, "export", str(rows), "xlsx", o + ".xlsx"])
        add(rows, "xlsx", "ostrel (Firebird file)", [bench, "export", str(rows), "xlsx", o + ".fb.xlsx", base + ".fdb"])
        add(rows, "xlsx", "python3-xlsxwriter", [sys.executable, "-c", PY_XLSXWRITER, base + ".rows.pickle", o + ".xw.xlsx"])
        add(rows, "xlsx", "python3-openpyxl", [sys.executable, "-c", PY_OPENPYXL, base + ".rows.pickle", o + ".op.xlsx"])

    # String grids: 40,000 columns with a caption line each (building the column list must not
    # grow with columns times caption lines), and 100,000 rows whose column types are guessed
    # from every row (next to the same grid exported as text).
    o = os.path.join(out, "grid")
    add(5, "grid-wide", "ostrel (40,000 columns)", [bench, "grid", "40000", "5", "csv", o + ".wide.csv", "captions"])
    add(100000, "grid-guess", "ostrel (types as text)", [bench, "grid", "8", "100000", "csv", o + ".text.csv"])
    add(100000, "grid-guess", "ostrel (types guessed)", [bench, "grid", "8", "100000", "csv", o + ".guess.csv", "guess"])


if __name__ == "__main__":
    main()
