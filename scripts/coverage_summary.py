#!/usr/bin/env python3
"""Line coverage of src/ from a --coverage build: gcov is run for each .gcda file from the
folder its object was compiled in (the build may name sources relative to it, as ccache's
base directory makes them), and every source line that any object can execute counts once.

Usage: coverage_summary.py SOURCE_ROOT BUILD_DIR [REPORT_FILE]
"""
import gzip, json, os, subprocess, sys
from collections import defaultdict

root, build = os.path.realpath(sys.argv[1]), os.path.realpath(sys.argv[2])
report = sys.argv[3] if len(sys.argv) > 3 else None
src = os.path.join(root, "src") + os.sep
lines = defaultdict(dict)  # file -> line -> executed

for folder, _, files in os.walk(build):
    for name in files:
        if not name.endswith(".gcno"):
            continue
        notes = os.path.join(folder, name)
        # <compile dir>/CMakeFiles/<target>.dir/<path of source>.gcno (.gcda beside it once run)
        compile_dir = folder.split(os.sep + "CMakeFiles" + os.sep)[0]
        out = subprocess.run(["gcov", "--json-format", "--stdout", "-o", folder, notes], cwd=compile_dir,
                             capture_output=True)
        for chunk in out.stdout.decode("utf-8", "replace").splitlines():
            if not chunk.startswith("{"):
                continue
            data = json.loads(chunk)
            cwd = data.get("current_working_directory", compile_dir)
            for f in data.get("files", []):
                path = os.path.realpath(os.path.join(cwd, f["file"]))
                if not path.startswith(src) or "_autogen" in path:
                    continue
                for l in f["lines"]:
                    n = l["line_number"]
                    lines[path][n] = lines[path].get(n, False) or l["count"] > 0

total = sum(len(v) for v in lines.values())
hit = sum(sum(v.values()) for v in lines.values())
rows = sorted(((os.path.relpath(p, root), sum(v.values()), len(v)) for p, v in lines.items()))
if report:
    with open(report, "w") as r:
        for p, h, t in rows:
            r.write(f"{p}\t{h}/{t}\t{100.0 * h / t:.1f}%\n")
print(f"lines: {100.0 * hit / total if total else 0:.1f}% ({hit} out of {total}) in {len(rows)} files of src/")
