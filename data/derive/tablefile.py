"""Read and write the table sources of data/tables (format: data/README.md)."""

import csv
import io
import os

TABLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tables")


def number_text(x, decimals):
    """Plain decimal with at most `decimals` places, no trailing zeros (12.7, 15.875, 3)."""
    t = f"{x:.{decimals}f}"
    if "." in t:
        t = t.rstrip("0").rstrip(".")
    return "0" if t == "-0" else t


def _quote(value):
    if value is None:
        return ""
    s = str(value)
    if s == "" or any(c in s for c in ',"\n\r'):
        return '"' + s.replace('"', '""') + '"'
    return s


def write_table(name, comments, header, rows):
    """Write tables/<name>.csv: '# ' comment lines, the header, then the rows (LF endings)."""
    lines = ["# " + c if c else "#" for c in comments]
    lines.append(",".join(header))
    for row in rows:
        lines.append(",".join(_quote(v) for v in row))
    path = os.path.join(TABLES, name + ".csv")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    return path


def read_table(name):
    """Return (field names, rows as dicts of text) of tables/<name>.csv; empty unquoted = None."""
    path = os.path.join(TABLES, name + ".csv")
    with open(path, encoding="utf-8", newline="") as f:
        body = [line for line in f if not line.startswith("#")]
    reader = csv.reader(io.StringIO("".join(body)))
    header = next(reader)
    names = [h.split(":")[0] for h in header]
    rows = [dict(zip(names, r)) for r in reader if r]
    return names, rows
