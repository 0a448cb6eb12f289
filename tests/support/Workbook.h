#pragma once
// A workbook read back as a reader sees it: each sheet by name, its rows of cell texts (shared
// strings resolved, numbers as the file holds them), through python3's zipfile and XML parser.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStringList>

namespace tarvic::test {

using Sheets = QMap<QString, QList<QStringList>>;

inline Sheets readWorkbook(const QString& path) {
    static const char* const script = R"PY(
import json, re, sys, zipfile
import xml.etree.ElementTree as ET
ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}
z = zipfile.ZipFile(sys.argv[1])
shared = []
if "xl/sharedStrings.xml" in z.namelist():
    for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", ns):
        shared.append("".join(t.text or "" for t in si.iter("{%s}t" % ns["m"])))
rels = {r.get("Id"): r.get("Target") for r in ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))}
out = {}
for s in ET.fromstring(z.read("xl/workbook.xml")).find("m:sheets", ns):
    target = rels[s.get("{%s}id" % ns["r"])]
    rows = []
    for row in ET.fromstring(z.read("xl/" + target.lstrip("/").replace("xl/", "", 1))).iter("{%s}row" % ns["m"]):
        cells = {}
        for c in row.findall("m:c", ns):
            col = 0
            for ch in re.match("[A-Z]+", c.get("r")).group(0):
                col = col * 26 + ord(ch) - 64
            v = c.find("m:v", ns)
            text = "" if v is None else v.text
            if c.get("t") == "s":
                text = shared[int(text)]
            cells[col - 1] = text
        rows.append([cells.get(i, "") for i in range(max(cells) + 1)] if cells else [])
    out[s.get("name")] = rows
print(json.dumps(out))
)PY";
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    p.waitForFinished(60000);
    Sheets sheets;
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    for (auto it = o.begin(); it != o.end(); ++it) {
        QList<QStringList> rows;
        for (const QJsonValue& r : it.value().toArray()) {
            QStringList cells;
            for (const QJsonValue& c : r.toArray())
                cells << c.toString();
            rows << cells;
        }
        sheets.insert(it.key(), rows);
    }
    return sheets;
}

}  // namespace tarvic::test
