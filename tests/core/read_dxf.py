"""Reads DXF files with ezdxf and prints their LINE, CIRCLE and ARC entities, one a line, in the
order of the file: kind, layer, then the numbers (arcs by their start and end points, counter-
clockwise). Fails when ezdxf finds the file unsound or its version is not R12."""
import math
import sys

import ezdxf

for name in sys.argv[1:]:
    doc = ezdxf.readfile(name)
    if doc.dxfversion != "AC1009":
        sys.exit(f"{name}: version {doc.dxfversion}")
    auditor = doc.audit()
    if auditor.has_errors:
        sys.exit(f"{name}: {auditor.errors}")
    for e in doc.modelspace():
        kind = e.dxftype()
        layer = e.dxf.layer
        if kind == "LINE":
            s, t = e.dxf.start, e.dxf.end
            print(f"LINE {layer} {s.x:.9f} {s.y:.9f} {t.x:.9f} {t.y:.9f}")
        elif kind == "CIRCLE":
            c = e.dxf.center
            print(f"CIRCLE {layer} {c.x:.9f} {c.y:.9f} {e.dxf.radius:.9f}")
        elif kind == "ARC":
            s, t = e.start_point, e.end_point
            print(f"ARC {layer} {s.x:.9f} {s.y:.9f} {t.x:.9f} {t.y:.9f}")
        else:
            sys.exit(f"{name}: unexpected entity {kind}")
