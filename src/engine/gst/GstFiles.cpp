#include "GstFiles.h"

#include "data/GridExport.h"
#include "data/PrivateFiles.h"

#include <vector>

namespace tarvic::gst {

namespace {

// Compact JSON written in order, numbers exactly as given: the portal reads amounts with two
// decimals, which a floating value would not keep.
class JsonText {
public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(const char* name) {
        separate();
        out_ += '"';
        out_ += name;
        out_ += "\":";
        afterKey_ = true;
    }
    void string(const QString& s) {
        separate();
        out_ += '"';
        for (QChar c : s) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
                out_ += '\\';
                out_ += char(c.unicode());
            } else if (c.unicode() < 0x20) {
                out_ += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
            } else {
                out_ += QString(c).toUtf8();
            }
        }
        out_ += '"';
    }
    void number(const QString& text) {
        separate();
        out_ += text.toLatin1();
    }
    void money(Money m) { number(m.toString()); }
    void integer(qint64 n) { number(QString::number(n)); }
    void rate(Money r) { number(rateText(r)); }

    void field(const char* name, const QString& s) {
        key(name);
        string(s);
    }
    void field(const char* name, Money m) {
        key(name);
        money(m);
    }
    void count(const char* name, qint64 n) {
        key(name);
        integer(n);
    }

    QByteArray text() const { return out_; }

private:
    void open(char c) {
        separate();
        out_ += c;
        first_.push_back(true);
    }
    void close(char c) {
        out_ += c;
        first_.pop_back();
    }
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back())
                out_ += ',';
            first_.back() = false;
        }
    }

    QByteArray out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

QString portalDate(const QDate& d) {
    return d.toString(QStringLiteral("dd-MM-yyyy"));
}

// The tax of an item: only the kinds its supply carries, and the cess the books never charge.
void taxOf(JsonText& j, const Amounts& a, bool interState, bool bothKinds) {
    if (interState || bothKinds)
        j.field("iamt", a.igst);
    if (!interState || bothKinds) {
        j.field("camt", a.cgst);
        j.field("samt", a.sgst);
    }
    j.field("csamt", a.cess);
}

// One invoice's items: the books charge one rate per invoice.
void items(JsonText& j, const ReturnInvoice& i, bool bothKinds) {
    j.key("itms");
    j.beginArray();
    j.beginObject();
    j.count("num", 1);
    j.key("itm_det");
    j.beginObject();
    j.key("rt");
    j.rate(i.rate());
    j.field("txval", i.amounts.taxable);
    taxOf(j, i.amounts, i.interState, bothKinds);
    j.endObject();
    j.endObject();
    j.endArray();
}

// Invoices grouped as the portal groups them (B2B by recipient GSTIN, B2C large by place of
// supply): the list is sorted so, each group's invoices follow one another.
void invoiceGroups(JsonText& j, const char* section, const char* groupKey, const QList<ReturnInvoice>& invoices,
                   QString ReturnInvoice::*group, bool registered) {
    j.key(section);
    j.beginArray();
    for (qsizetype k = 0; k < invoices.size();) {
        const QString value = invoices.at(k).*group;
        j.beginObject();
        j.field(groupKey, value);
        j.key("inv");
        j.beginArray();
        for (; k < invoices.size() && invoices.at(k).*group == value; ++k) {
            const ReturnInvoice& i = invoices.at(k);
            j.beginObject();
            j.field("inum", i.number);
            j.field("idt", portalDate(i.date));
            j.field("val", i.amounts.value);
            if (registered) {
                j.field("pos", i.pos);
                j.field("rchrg", QStringLiteral("N"));
                j.field("inv_typ", QStringLiteral("R"));
            }
            items(j, i, registered);
            j.endObject();
        }
        j.endArray();
        j.endObject();
    }
    j.endArray();
}

void b2cs(JsonText& j, const QList<B2csRow>& rows) {
    j.key("b2cs");
    j.beginArray();
    for (const B2csRow& r : rows) {
        j.beginObject();
        j.field("sply_ty", r.interState ? QStringLiteral("INTER") : QStringLiteral("INTRA"));
        j.field("pos", r.pos);
        j.field("typ", QStringLiteral("OE"));
        j.key("rt");
        j.rate(r.rate);
        j.field("txval", r.amounts.taxable);
        taxOf(j, r.amounts, r.interState, false);
        j.endObject();
    }
    j.endArray();
}

void hsnRows(JsonText& j, const char* name, const QList<HsnRow>& rows, bool registered) {
    int num = 0;
    for (const HsnRow& r : rows)
        num += r.registered == registered ? 1 : 0;
    if (num == 0)
        return;
    j.key(name);
    j.beginArray();
    num = 0;
    for (const HsnRow& r : rows) {
        if (r.registered != registered)
            continue;
        j.beginObject();
        j.count("num", ++num);
        j.field("hsn_sc", r.sac);
        j.field("desc", r.description);
        // Services are counted in no unit.
        j.field("uqc", QStringLiteral("NA"));
        j.count("qty", 0);
        j.key("rt");
        j.rate(r.rate);
        j.field("txval", r.amounts.taxable);
        taxOf(j, r.amounts, false, true);
        j.endObject();
    }
    j.endArray();
}

void documents(JsonText& j, const DocumentSeries& d) {
    j.key("doc_issue");
    j.beginObject();
    j.key("doc_det");
    j.beginArray();
    j.beginObject();
    j.count("doc_num", 1);
    j.field("doc_typ", QStringLiteral("Invoices for outward supply"));
    j.key("docs");
    j.beginArray();
    j.beginObject();
    j.count("num", 1);
    j.field("from", d.from);
    j.field("to", d.to);
    j.count("totnum", d.issued);
    j.count("cancel", d.cancelled);
    j.count("net_issue", d.net());
    j.endObject();
    j.endArray();
    j.endObject();
    j.endArray();
    j.endObject();
}

// Written whole or not at all, and its owner's alone, as every export.
void saveFile(const QString& path, const QByteArray& bytes) {
    PrivateSaveFile f(path);
    if (!f.open() || f.file().write(bytes) != bytes.size() || !f.commit())
        throw ExportError(QStringLiteral("%1: %2").arg(path, f.errorString().isEmpty() ? f.file().errorString()
                                                                                        : f.errorString()));
}

using Rows = GridExport::RowStream;
using Write = std::function<void(const QStringList&)>;

QString rate(Money r) {
    return rateText(r);
}

QStringList taxCells(const Amounts& a) {
    return {a.taxable.toString(), a.igst.toString(), a.cgst.toString(), a.sgst.toString(), a.cess.toString()};
}

}  // namespace

QByteArray gstr1Json(const GstReturn& r) {
    JsonText j;
    j.beginObject();
    j.field("gstin", r.gstin);
    j.field("fp", r.period.fp());
    j.field("version", QString::fromLatin1(kJsonVersion));
    j.field("hash", QStringLiteral("hash"));
    if (!r.b2b.isEmpty())
        invoiceGroups(j, "b2b", "ctin", r.b2b, &ReturnInvoice::gstin, true);
    if (!r.b2cl.isEmpty())
        invoiceGroups(j, "b2cl", "pos", r.b2cl, &ReturnInvoice::pos, false);
    if (!r.b2cs.isEmpty())
        b2cs(j, r.b2cs);
    if (!r.hsn.isEmpty()) {
        j.key("hsn");
        j.beginObject();
        hsnRows(j, "hsn_b2b", r.hsn, true);
        hsnRows(j, "hsn_b2c", r.hsn, false);
        j.endObject();
    }
    if (r.documents.issued > 0)
        documents(j, r.documents);
    j.endObject();
    return j.text();
}

QByteArray gstr3bJson(const GstReturn& r) {
    JsonText j;
    j.beginObject();
    j.field("gstin", r.gstin);
    j.field("ret_period", r.period.fp());
    j.key("sup_details");
    j.beginObject();
    j.key("osup_det");
    j.beginObject();
    j.field("txval", r.outward.taxable);
    taxOf(j, r.outward, false, true);
    j.endObject();
    j.endObject();
    j.key("inter_sup");
    j.beginObject();
    j.key("unreg_details");
    j.beginArray();
    for (const UnregisteredSupply& u : r.interUnregistered) {
        j.beginObject();
        j.field("pos", u.pos);
        j.field("txval", u.taxable);
        j.field("iamt", u.igst);
        j.endObject();
    }
    j.endArray();
    j.endObject();
    j.endObject();
    return j.text();
}

void writeWorkbook(const GstReturn& r, const QString& path) {
    const QStringList tax{QStringLiteral("TAXABLE VALUE"), QStringLiteral("IGST"), QStringLiteral("CGST"),
                          QStringLiteral("SGST"), QStringLiteral("CESS")};
    QList<GridExport::Sheet> sheets;
    sheets << GridExport::Sheet{
        QStringLiteral("B2B"),
        QStringList{QStringLiteral("GSTIN OF RECIPIENT"), QStringLiteral("RECEIVER NAME"), QStringLiteral("INVOICE NO"),
                    QStringLiteral("INVOICE DATE"), QStringLiteral("INVOICE VALUE"), QStringLiteral("PLACE OF SUPPLY"),
                    QStringLiteral("REVERSE CHARGE"), QStringLiteral("INVOICE TYPE"), QStringLiteral("RATE")} +
            tax,
        Rows([&r](const Write& write) {
            for (const ReturnInvoice& i : r.b2b)
                write(QStringList{i.gstin, i.partyName, i.number, portalDate(i.date), i.amounts.value.toString(),
                                  placeName(i.pos), QStringLiteral("N"), QStringLiteral("REGULAR"), rate(i.rate())} +
                      taxCells(i.amounts));
        }),
        {18, 30, 16, 12, 14, 22, 8, 10, 6, 14, 12, 12, 12, 10}};
    sheets << GridExport::Sheet{
        QStringLiteral("B2CL"),
        QStringList{QStringLiteral("INVOICE NO"), QStringLiteral("INVOICE DATE"), QStringLiteral("INVOICE VALUE"),
                    QStringLiteral("PLACE OF SUPPLY"), QStringLiteral("RECEIVER NAME"), QStringLiteral("RATE")} +
            tax,
        Rows([&r](const Write& write) {
            for (const ReturnInvoice& i : r.b2cl)
                write(QStringList{i.number, portalDate(i.date), i.amounts.value.toString(), placeName(i.pos),
                                  i.partyName, rate(i.rate())} +
                      taxCells(i.amounts));
        }),
        {16, 12, 14, 22, 30, 6, 14, 12, 12, 12, 10}};
    sheets << GridExport::Sheet{
        QStringLiteral("B2CS"),
        QStringList{QStringLiteral("SUPPLY TYPE"), QStringLiteral("PLACE OF SUPPLY"), QStringLiteral("TYPE"),
                    QStringLiteral("RATE"), QStringLiteral("INVOICES")} +
            tax,
        Rows([&r](const Write& write) {
            for (const B2csRow& s : r.b2cs)
                write(QStringList{s.interState ? QStringLiteral("INTER") : QStringLiteral("INTRA"), placeName(s.pos),
                                  QStringLiteral("OE"), rate(s.rate), QString::number(s.invoices)} +
                      taxCells(s.amounts));
        }),
        {10, 22, 6, 6, 10, 14, 12, 12, 12, 10}};
    // The books hold no credit or debit notes: the sheet says so by its headings alone.
    sheets << GridExport::Sheet{
        QStringLiteral("CDNR"),
        QStringList{QStringLiteral("GSTIN OF RECIPIENT"), QStringLiteral("RECEIVER NAME"), QStringLiteral("NOTE NO"),
                    QStringLiteral("NOTE DATE"), QStringLiteral("NOTE TYPE"), QStringLiteral("PLACE OF SUPPLY"),
                    QStringLiteral("NOTE VALUE"), QStringLiteral("RATE")} +
            tax,
        Rows([](const Write&) {}),
        {18, 30, 16, 12, 10, 22, 14, 6, 14, 12, 12, 12, 10}};
    sheets << GridExport::Sheet{
        QStringLiteral("HSN"),
        QStringList{QStringLiteral("RECIPIENTS"), QStringLiteral("SAC"), QStringLiteral("DESCRIPTION"),
                    QStringLiteral("UQC"), QStringLiteral("TOTAL QUANTITY"), QStringLiteral("RATE"),
                    QStringLiteral("INVOICES")} +
            tax,
        Rows([&r](const Write& write) {
            for (const HsnRow& h : r.hsn)
                write(QStringList{h.registered ? QStringLiteral("B2B") : QStringLiteral("B2C"), h.sac, h.description,
                                  QStringLiteral("NA"), QStringLiteral("0"), rate(h.rate),
                                  QString::number(h.invoices)} +
                      taxCells(h.amounts));
        }),
        {10, 10, 30, 6, 10, 6, 10, 14, 12, 12, 12, 10}};
    sheets << GridExport::Sheet{
        QStringLiteral("DOCS"),
        {QStringLiteral("NATURE OF DOCUMENT"), QStringLiteral("SR NO FROM"), QStringLiteral("SR NO TO"),
         QStringLiteral("TOTAL NUMBER"), QStringLiteral("CANCELLED"), QStringLiteral("NET ISSUED")},
        Rows([&r](const Write& write) {
            const DocumentSeries& d = r.documents;
            if (d.issued > 0)
                write({QStringLiteral("INVOICES FOR OUTWARD SUPPLY"), d.from, d.to, QString::number(d.issued),
                       QString::number(d.cancelled), QString::number(d.net())});
        }),
        {30, 18, 18, 14, 12, 12}};
    sheets << GridExport::Sheet{
        QStringLiteral("GSTR-3B"),
        QStringList{QStringLiteral("TABLE"), QStringLiteral("DESCRIPTION"), QStringLiteral("PLACE OF SUPPLY")} + tax,
        Rows([&r](const Write& write) {
            write(QStringList{QStringLiteral("3.1 (A)"), QStringLiteral("OUTWARD TAXABLE SUPPLIES"), QString()} +
                  taxCells(r.outward));
            for (const UnregisteredSupply& u : r.interUnregistered)
                write({QStringLiteral("3.2"), QStringLiteral("INTER-STATE SUPPLIES TO UNREGISTERED PERSONS"),
                       placeName(u.pos), u.taxable.toString(), u.igst.toString()});
        }),
        {8, 46, 22, 14, 12, 12, 12, 10}};
    sheets << GridExport::Sheet{QStringLiteral("EXCEPTIONS"),
                                {QStringLiteral("INVOICE DATE"), QStringLiteral("DOC NO"), QStringLiteral("INVOICE NO"),
                                 QStringLiteral("PARTY NAME"), QStringLiteral("GSTIN"), QStringLiteral("STATE CODE"),
                                 QStringLiteral("SAC"), QStringLiteral("INVOICE VALUE"), QStringLiteral("REASON")},
                                Rows([&r](const Write& write) {
                                    for (const Exception& e : r.exceptions) {
                                        const ReturnInvoice& i = e.invoice;
                                        write({portalDate(i.date), QString::number(i.docNo), i.number, i.partyName,
                                               i.gstin, i.stateCode, i.sac, i.amounts.value.toString(), e.text});
                                    }
                                }),
                                {12, 8, 16, 30, 18, 10, 10, 14, 60}};
    GridExport::ExportWorkbook(sheets, path);
}

ReturnFiles returnFiles(const QString& basePath) {
    return {basePath + QStringLiteral("_GSTR1.json"), basePath + QStringLiteral("_GSTR3B.json"),
            basePath + QStringLiteral(".xlsx")};
}

QString defaultBaseName(const Period& period) {
    return QStringLiteral("GST_RETURN_") + period.fp();
}

ReturnFiles writeReturnFiles(const GstReturn& r, const QString& basePath) {
    if (!r.canWrite())
        throw DbError(DbError::Kind::Refused, r.problems.constFirst());
    const ReturnFiles files = returnFiles(basePath);
    saveFile(files.gstr1, gstr1Json(r));
    saveFile(files.gstr3b, gstr3bJson(r));
    writeWorkbook(r, files.workbook);
    return files;
}

}  // namespace tarvic::gst
