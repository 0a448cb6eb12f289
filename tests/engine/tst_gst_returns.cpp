// GST returns built from the books: the GSTIN checked by its own rules, periods, the return's
// totals held to the invoice rows to the paisa (a generated month and the demo's), one crafted
// invoice for each reason an invoice is left out, the JSON against a schema of the published
// structure with its numbers and dates as the portal reads them, and the workbook read back.
#include "data/GridExport.h"
#include "data/Moments.h"
#include "engine/admin/DemoData.h"
#include "engine/gst/GstFiles.h"
#include "engine/gst/GstReturn.h"
#include "engine/gst/Gstin.h"
#include "support/GstMonth.h"
#include "support/TestDb.h"
#include "support/Workbook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kMonth(2026, 11, 1);

// The approved tax invoices of a period summed row by row, exactly as stored.
gst::Amounts invoiceRows(Database& db, const gst::Period& p, int* count = nullptr) {
    QVariantList values;
    const QString range = dayRangeCondition(u"DOC_DATE"_s, p.from, p.to, values);
    QSqlQuery q = db.exec(
        u"SELECT TAXIBLE_AMT, IGST_AMT, CGST_AMT, SGST_AMT, GRAND_TOTAL FROM M_TBL_TRANSACTION "
        "WHERE DOC_CODE='INV001' AND DOC_STATUS='APPRV' AND "_s +
            range,
        values);
    gst::Amounts a;
    int n = 0;
    const auto m = [&q](int c) { return Money::fromVariant(q.value(c)); };
    for (; q.next(); ++n)
        a += {m(0), m(1), m(2), m(3), Money(), m(4)};
    if (count)
        *count = n;
    return a;
}

QString amounts(const gst::Amounts& a) {
    return QStringList{a.taxable.toString(), a.igst.toString(), a.cgst.toString(), a.sgst.toString(),
                       a.value.toString()}
        .join(u' ');
}

// Every approved invoice is in one section or in the exceptions, and the sums agree: the
// return's sections with its exceptions make up the invoice rows; GSTR-3B is the sections;
// the HSN summary is the sections; 3.2 is the inter-state unregistered supplies.
void holdsToTheRows(Database& db, const gst::GstReturn& r) {
    int rows = 0;
    const gst::Amounts books = invoiceRows(db, r.period, &rows);
    QCOMPARE(r.approvedRead, rows);
    QCOMPARE(r.invoicesInReturn() + int(r.exceptions.size()), rows);
    gst::Amounts all = r.outward;
    all += gst::totalOf(r.exceptions);
    QCOMPARE(amounts(all), amounts(books));
    gst::Amounts sections = gst::totalOf(r.b2b);
    sections += gst::totalOf(r.b2cl);
    sections += gst::totalOf(r.b2cs);
    QCOMPARE(amounts(sections), amounts(r.outward));
    gst::Amounts hsn;
    for (const gst::HsnRow& h : r.hsn)
        hsn += h.amounts;
    QCOMPARE(amounts(hsn), amounts(r.outward));
    Money unregTaxable, unregIgst;
    for (const gst::UnregisteredSupply& u : r.interUnregistered) {
        unregTaxable += u.taxable;
        unregIgst += u.igst;
    }
    Money expectTaxable = gst::totalOf(r.b2cl).taxable, expectIgst = gst::totalOf(r.b2cl).igst;
    for (const gst::B2csRow& s : r.b2cs)
        if (s.interState) {
            expectTaxable += s.amounts.taxable;
            expectIgst += s.amounts.igst;
        }
    QCOMPARE(unregTaxable.toString() + u' ' + unregIgst.toString(),
             expectTaxable.toString() + u' ' + expectIgst.toString());
}

// ---- a validator for the part of JSON Schema the returns need

QStringList validate(const QJsonValue& v, const QJsonObject& s, const QString& at) {
    QStringList errors;
    const QString type = s.value(u"type"_s).toString();
    const auto fail = [&](const QString& what) { errors << at + u": "_s + what; };
    if (type == u"object"_s) {
        if (!v.isObject())
            return {at + u": not an object"_s};
        const QJsonObject o = v.toObject();
        const QJsonObject props = s.value(u"properties"_s).toObject();
        for (const QJsonValue& r : s.value(u"required"_s).toArray())
            if (!o.contains(r.toString()))
                fail(u"missing "_s + r.toString());
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (props.contains(it.key()))
                errors += validate(it.value(), props.value(it.key()).toObject(), at + u'.' + it.key());
            else if (s.value(u"additionalProperties"_s) == QJsonValue(false))
                fail(u"unexpected "_s + it.key());
        }
    } else if (type == u"array"_s) {
        if (!v.isArray())
            return {at + u": not an array"_s};
        const QJsonArray a = v.toArray();
        if (a.size() < s.value(u"minItems"_s).toInt())
            fail(u"too few items"_s);
        for (int i = 0; i < a.size(); ++i)
            errors += validate(a.at(i), s.value(u"items"_s).toObject(), at + u"[%1]"_s.arg(i));
    } else if (type == u"string"_s) {
        if (!v.isString())
            return {at + u": not a string"_s};
        const QString pattern = s.value(u"pattern"_s).toString();
        if (!pattern.isEmpty() && !QRegularExpression(pattern).match(v.toString()).hasMatch())
            fail(v.toString() + u" does not match "_s + pattern);
        const QJsonArray options = s.value(u"enum"_s).toArray();
        if (!options.isEmpty() && !options.contains(v))
            fail(v.toString() + u" is not allowed"_s);
    } else if (type == u"number"_s || type == u"integer"_s) {
        if (!v.isDouble())
            return {at + u": not a number"_s};
        if (type == u"integer"_s && v.toDouble() != double(qint64(v.toDouble())))
            fail(u"not whole"_s);
        if (s.contains(u"minimum"_s) && v.toDouble() < s.value(u"minimum"_s).toDouble())
            fail(u"below its minimum"_s);
        const QJsonArray options = s.value(u"enum"_s).toArray();
        if (!options.isEmpty() && !options.contains(v))
            fail(QString::number(v.toDouble()) + u" is not allowed"_s);
    }
    return errors;
}

// The GSTR-1 file as the offline tool takes it, for the sections the books fill.
const char* const kGstr1Schema = R"({
  "$comment": "GSTR-1 JSON of the offline tool of the GST portal, structure version GST3.2.1, from its published description: https://finchcontext.com/skills/india/gst/build-gstr1-json.html (document structure, sections, B2C-large limit) and https://gist.github.com/the-solipsist/d60d4ec9dea279406916b604555ac21e (GSTR-1 JSON format and validation rules: tables 4, 5, 7, 12 with hsn_b2b/hsn_b2c, 13). Amounts are numbers with two decimals and dates DD-MM-YYYY, checked beside the schema.",
  "type": "object", "additionalProperties": false,
  "required": ["gstin", "fp", "version", "hash"],
  "properties": {
    "gstin": {"type": "string", "pattern": "^[0-9]{2}[A-Z]{5}[0-9]{4}[A-Z][1-9A-Z][A-Z0-9][0-9A-Z]$"},
    "fp": {"type": "string", "pattern": "^(0[1-9]|1[0-2])20[0-9]{2}$"},
    "version": {"type": "string", "pattern": "^GST[0-9]+\\.[0-9]+\\.[0-9]+$"},
    "hash": {"type": "string", "enum": ["hash"]},
    "b2b": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
      "required": ["ctin", "inv"],
      "properties": {
        "ctin": {"type": "string", "pattern": "^[0-9]{2}[A-Z]{5}[0-9]{4}[A-Z][1-9A-Z][A-Z0-9][0-9A-Z]$"},
        "inv": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
          "required": ["inum", "idt", "val", "pos", "rchrg", "inv_typ", "itms"],
          "properties": {
            "inum": {"type": "string", "pattern": "^.{1,16}$"},
            "idt": {"type": "string", "pattern": "^(0[1-9]|[12][0-9]|3[01])-(0[1-9]|1[0-2])-[0-9]{4}$"},
            "val": {"type": "number", "minimum": 0},
            "pos": {"type": "string", "pattern": "^[0-9]{2}$"},
            "rchrg": {"type": "string", "enum": ["Y", "N"]},
            "inv_typ": {"type": "string", "enum": ["R", "SEWP", "SEWOP", "DE", "CBW"]},
            "itms": {"$ref": "items"}}}}}}},
    "b2cl": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
      "required": ["pos", "inv"],
      "properties": {
        "pos": {"type": "string", "pattern": "^[0-9]{2}$"},
        "inv": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
          "required": ["inum", "idt", "val", "itms"],
          "properties": {
            "inum": {"type": "string", "pattern": "^.{1,16}$"},
            "idt": {"type": "string", "pattern": "^(0[1-9]|[12][0-9]|3[01])-(0[1-9]|1[0-2])-[0-9]{4}$"},
            "val": {"type": "number", "minimum": 100000},
            "itms": {"$ref": "items"}}}}}}},
    "b2cs": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
      "required": ["sply_ty", "pos", "typ", "rt", "txval", "csamt"],
      "properties": {
        "sply_ty": {"type": "string", "enum": ["INTRA", "INTER"]},
        "pos": {"type": "string", "pattern": "^[0-9]{2}$"},
        "typ": {"type": "string", "enum": ["OE", "E"]},
        "rt": {"$ref": "rate"},
        "txval": {"type": "number"}, "iamt": {"type": "number", "minimum": 0},
        "camt": {"type": "number", "minimum": 0}, "samt": {"type": "number", "minimum": 0},
        "csamt": {"type": "number", "minimum": 0}}}},
    "cdnr": {"type": "array"},
    "hsn": {"type": "object", "additionalProperties": false,
      "properties": {"hsn_b2b": {"$ref": "hsn"}, "hsn_b2c": {"$ref": "hsn"}}},
    "doc_issue": {"type": "object", "additionalProperties": false, "required": ["doc_det"],
      "properties": {"doc_det": {"type": "array", "minItems": 1, "items": {"type": "object",
        "additionalProperties": false, "required": ["doc_num", "doc_typ", "docs"],
        "properties": {
          "doc_num": {"type": "integer", "minimum": 1},
          "doc_typ": {"type": "string", "enum": ["Invoices for outward supply"]},
          "docs": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
            "required": ["num", "from", "to", "totnum", "cancel", "net_issue"],
            "properties": {
              "num": {"type": "integer", "minimum": 1}, "from": {"type": "string", "pattern": "^.{1,16}$"},
              "to": {"type": "string", "pattern": "^.{1,16}$"}, "totnum": {"type": "integer", "minimum": 0},
              "cancel": {"type": "integer", "minimum": 0}, "net_issue": {"type": "integer", "minimum": 0}}}}}}}}}
  },
  "definitions": {
    "rate": {"type": "number", "enum": [0, 0.1, 0.25, 1, 1.5, 3, 5, 6, 7.5, 12, 18, 28, 40]},
    "items": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
      "required": ["num", "itm_det"],
      "properties": {
        "num": {"type": "integer", "minimum": 1},
        "itm_det": {"type": "object", "additionalProperties": false, "required": ["rt", "txval", "csamt"],
          "properties": {"rt": {"$ref": "rate"}, "txval": {"type": "number", "minimum": 0},
            "iamt": {"type": "number", "minimum": 0}, "camt": {"type": "number", "minimum": 0},
            "samt": {"type": "number", "minimum": 0}, "csamt": {"type": "number", "minimum": 0}}}}}},
    "hsn": {"type": "array", "minItems": 1, "items": {"type": "object", "additionalProperties": false,
      "required": ["num", "hsn_sc", "uqc", "qty", "rt", "txval", "iamt", "camt", "samt", "csamt"],
      "properties": {
        "num": {"type": "integer", "minimum": 1}, "hsn_sc": {"type": "string", "pattern": "^[0-9]{4,8}$"},
        "desc": {"type": "string", "pattern": "^.{0,30}$"}, "uqc": {"type": "string", "enum": ["NA"]},
        "qty": {"type": "integer", "minimum": 0}, "rt": {"$ref": "rate"},
        "txval": {"type": "number"}, "iamt": {"type": "number"}, "camt": {"type": "number"},
        "samt": {"type": "number"}, "csamt": {"type": "number"}}}}
  }
})";

// The GSTR-3B file: the outward supplies and the inter-state supplies to unregistered persons.
const char* const kGstr3bSchema = R"({
  "$comment": "GSTR-3B JSON of the GST portal: ret_period, sup_details.osup_det (table 3.1 a) and inter_sup.unreg_details (table 3.2).",
  "type": "object", "additionalProperties": false, "required": ["gstin", "ret_period", "sup_details", "inter_sup"],
  "properties": {
    "gstin": {"type": "string", "pattern": "^[0-9]{2}[A-Z]{5}[0-9]{4}[A-Z][1-9A-Z][A-Z0-9][0-9A-Z]$"},
    "ret_period": {"type": "string", "pattern": "^(0[1-9]|1[0-2])20[0-9]{2}$"},
    "sup_details": {"type": "object", "additionalProperties": false, "required": ["osup_det"],
      "properties": {"osup_det": {"type": "object", "additionalProperties": false,
        "required": ["txval", "iamt", "camt", "samt", "csamt"],
        "properties": {"txval": {"type": "number"}, "iamt": {"type": "number"}, "camt": {"type": "number"},
          "samt": {"type": "number"}, "csamt": {"type": "number"}}}}},
    "inter_sup": {"type": "object", "additionalProperties": false, "required": ["unreg_details"],
      "properties": {"unreg_details": {"type": "array", "items": {"type": "object", "additionalProperties": false,
        "required": ["pos", "txval", "iamt"],
        "properties": {"pos": {"type": "string", "pattern": "^[0-9]{2}$"}, "txval": {"type": "number"},
          "iamt": {"type": "number"}}}}}}
  }
})";

// A schema with its "$ref"s to its definitions put in place.
QJsonObject resolved(const QJsonObject& s, const QJsonObject& definitions) {
    if (s.contains(u"$ref"_s))
        return resolved(definitions.value(s.value(u"$ref"_s).toString()).toObject(), definitions);
    QJsonObject out;
    for (auto it = s.begin(); it != s.end(); ++it) {
        if (it.value().isObject())
            out.insert(it.key(), resolved(it.value().toObject(), definitions));
        else
            out.insert(it.key(), it.value());
    }
    return out;
}

QStringList schemaErrors(const QByteArray& json, const char* schemaText) {
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &e);
    if (e.error != QJsonParseError::NoError)
        return {u"not JSON: "_s + e.errorString()};
    const QJsonObject schema = QJsonDocument::fromJson(schemaText).object();
    return validate(doc.object(), resolved(schema, schema.value(u"definitions"_s).toObject()), u"$"_s);
}

// Numbers as the portal reads them, seen in the text written: amounts with two decimals,
// counts whole, rates as few digits as they need.
QStringList numberFaults(const QByteArray& json) {
    QStringList faults;
    static const QRegularExpression number(u"\"([a-z_]+)\":(-?[0-9][0-9.eE+-]*)"_s);
    static const QRegularExpression money(u"^-?[0-9]+\\.[0-9]{2}$"_s);
    static const QRegularExpression whole(u"^[0-9]+$"_s);
    static const QRegularExpression rate(u"^[0-9]+(\\.[0-9]*[1-9])?$"_s);
    const QStringList amounts{u"val"_s, u"txval"_s, u"iamt"_s, u"camt"_s, u"samt"_s, u"csamt"_s};
    for (auto it = number.globalMatch(QString::fromUtf8(json)); it.hasNext();) {
        const auto m = it.next();
        const QString key = m.captured(1), text = m.captured(2);
        const QRegularExpression& shape = amounts.contains(key) ? money : key == u"rt"_s ? rate : whole;
        if (!shape.match(text).hasMatch())
            faults << key + u':' + text;
    }
    return faults;
}

}  // namespace

class TstGstReturns : public QObject {
    Q_OBJECT
private slots:
    void gstinChecker_data() {
        QTest::addColumn<QString>("gstin");
        QTest::addColumn<int>("fault");
        const auto valid = [](const QString& first14) { return first14 + gst::gstinCheckCharacter(first14); };
        QTest::newRow("published example") << u"27AAPFU0939F1ZV"_s << int(gst::GstinFault::None);
        QTest::newRow("valid, spaces around") << u" 32AABCT5566P1ZV "_s << int(gst::GstinFault::None);
        QTest::newRow("entity letter, 14th not Z") << valid(u"29AAGCD8765KAN"_s) << int(gst::GstinFault::None);
        QTest::newRow("wrong check character") << u"27AAPFU0939F1ZW"_s << int(gst::GstinFault::CheckCharacter);
        QTest::newRow("digits swapped") << u"27AAPFU0399F1ZV"_s << int(gst::GstinFault::CheckCharacter);
        QTest::newRow("state 00") << valid(u"00AAPFU0939F1Z"_s) << int(gst::GstinFault::StatePrefix);
        QTest::newRow("state 40") << valid(u"40AAPFU0939F1Z"_s) << int(gst::GstinFault::StatePrefix);
        QTest::newRow("14 characters") << u"27AAPFU0939F1Z"_s << int(gst::GstinFault::Length);
        QTest::newRow("16 characters") << u"27AAPFU0939F1ZVX"_s << int(gst::GstinFault::Length);
        QTest::newRow("lower case") << u"27aapfu0939f1zv"_s << int(gst::GstinFault::Characters);
        QTest::newRow("not a PAN") << valid(u"27AAPF10939F1Z"_s) << int(gst::GstinFault::PanShape);
        QTest::newRow("entity 0") << valid(u"27AAPFU0939F0Z"_s) << int(gst::GstinFault::EntityNumber);
        QTest::newRow("blank") << u"  "_s << int(gst::GstinFault::Blank);
    }
    void gstinChecker() {
        QFETCH(QString, gstin);
        QFETCH(int, fault);
        QCOMPARE(int(gst::checkGstin(gstin)), fault);
    }

    // Tax state codes as the portal writes them; a code no state has is none.
    void stateCodesAndPeriods() {
        for (const auto& [books, portal] : {std::pair{u" 7"_s, u"07"_s},
                                            {u"32"_s, u"32"_s},
                                            {u"097"_s, u"97"_s},
                                            {u"KL"_s, QString()},
                                            {u"40"_s, QString()},
                                            {QString(), QString()}})
            QCOMPARE(gst::portalStateCode(books), portal);
        const auto period = [](const QString& month, bool quarter) {
            const auto p = gst::Period::parse(month, quarter);
            return p ? QStringList{p->from.toString(Qt::ISODate), p->to.toString(Qt::ISODate), p->fp(), p->caption()}
                     : QStringList();
        };
        QCOMPARE(period(u"2026-11"_s, false), (QStringList{"2026-11-01", "2026-11-30", "112026", "NOVEMBER 2026"}));
        QCOMPARE(period(u"2027-02"_s, true),
                 (QStringList{"2027-01-01", "2027-03-31", "032027", "JANUARY - MARCH 2027"}));
        QVERIFY(!gst::Period::parse(u"2026-13"_s, false));
        QVERIFY(!gst::Period::parse(u"11-2026"_s, false));
        QCOMPARE(gst::b2cLargeLimit(QDate(2024, 7, 31)), Money::fromRupees(250000));
        QCOMPARE(gst::b2cLargeLimit(QDate(2024, 8, 1)), Money::fromRupees(100000));
        for (const auto& [rate, text] : {std::pair{u"2.50"_s, u"2.5"_s}, {u"18.00"_s, u"18"_s}, {u"0.25"_s, u"0.25"_s}})
            QCOMPARE(gst::rateText(Money::fromText(rate)), text);
    }

    // A generated month of every kind of invoice: each approved one in its section, the
    // cancelled ones only among the documents issued, proformas and the days either side nowhere.
    void generatedMonth() {
        TestDb t;
        setUpGstBooks(t.db());
        const GstMonth m = writeGstMonth(t.db(), kMonth, 300);
        const gst::GstReturn r = gst::buildReturn(t.db(), gst::Period::month(2026, 11));
        QVERIFY2(r.canWrite(), qPrintable(r.problems.join(u'\n')));
        QVERIFY(r.exceptions.isEmpty());
        holdsToTheRows(t.db(), r);
        QCOMPARE(amounts(r.outward), amounts(m.approvedTotal));
        int small = 0;
        for (const gst::B2csRow& s : r.b2cs)
            small += s.invoices;
        QCOMPARE((QList<int>{r.approvedRead, int(r.b2b.size()), int(r.b2cl.size()), small}),
                 (QList<int>{m.approved, m.b2b, m.b2cl, m.b2cs}));
        QVERIFY(m.b2b > 0 && m.b2cl > 0 && m.b2cs > 0 && m.cancelled > 0 && m.proformas > 0);
        // B2C small summed by supply type, place and rate: two rates at home and in Tamil Nadu.
        QStringList keys;
        for (const gst::B2csRow& s : r.b2cs)
            keys << u"%1 %2 %3"_s.arg(s.interState ? u"INTER"_s : u"INTRA"_s, s.pos, gst::rateText(s.rate));
        QCOMPARE(keys, (QStringList{u"INTRA 32 5"_s, u"INTRA 32 18"_s, u"INTER 33 5"_s, u"INTER 33 18"_s}));
        for (const gst::ReturnInvoice& i : r.b2cl)
            QVERIFY2(i.interState && i.gstin.isEmpty() && i.amounts.value > Money::fromRupees(100000),
                     qPrintable(i.number));
        QCOMPARE((QStringList{QString::number(r.documents.issued), QString::number(r.documents.cancelled),
                              r.documents.from, r.documents.to}),
                 (QStringList{QString::number(m.approved + m.cancelled), QString::number(m.cancelled), "GEN/00001",
                              "GEN/00300"}));
        // A quarter holds the month.
        const gst::GstReturn q = gst::buildReturn(t.db(), gst::Period::quarterOf(2026, 11));
        QCOMPARE(q.approvedRead, m.approved + 2);  // and those of 31 October and 1 December
        holdsToTheRows(t.db(), q);
    }

    // The demo's last month: every section the books fill, the mistyped GSTIN left out with its
    // reason, one invoice cancelled, the proforma nowhere; totals to the paisa.
    void demoMonth() {
        TestDb t;
        addDemoData(t.db());
        QVERIFY(addGstDemo(t.db()) > 0);
        QCOMPARE(addGstDemo(t.db()), 0);
        const QDate last = QDate::currentDate().addMonths(-1);
        const gst::GstReturn r = gst::buildReturn(t.db(), gst::Period::month(last.year(), last.month()));
        QVERIFY2(r.canWrite(), qPrintable(r.problems.join(u'\n')));
        holdsToTheRows(t.db(), r);
        // B2B, B2CL, B2CS, exceptions, issued, cancelled, inter-state unregistered
        QCOMPARE((QList<qsizetype>{r.b2b.size(), r.b2cl.size(), r.b2cs.size(), r.exceptions.size(), r.documents.issued,
                                   r.documents.cancelled, r.interUnregistered.size()}),
                 (QList<qsizetype>{2, 1, 1, 1, 6, 1, 2}));
        QCOMPARE(r.b2b.at(0).pos + r.b2b.at(1).pos, u"2932"_s);
        QCOMPARE(r.exceptions.at(0).reasons, QList<gst::Reason>{gst::Reason::GstinMalformed});
        QCOMPARE(r.exceptions.at(0).invoice.partyName, u"DEMO COASTAL EVENTS GOA"_s);
        QCOMPARE(gst::checkGstin(r.gstin), gst::GstinFault::None);
    }

    // One crafted invoice per reason, each left out with exactly its reason; a sound invoice
    // beside them goes into the return.
    void exceptionReasons() {
        TestDb t;
        Database& db = t.db();
        setUpGstBooks(db);
        db.exec(
            u"INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2) "
            "VALUES (1, 904, 'NOWHERE', ' ')"_s);
        const GstRates intra{Money::fromText(u"2.50"_s), Money::fromText(u"2.50"_s), Money()};
        const GstRates inter{Money(), Money(), Money::fromText(u"5.00"_s)};
        const GstRates seven{Money(), Money(), Money::fromText(u"7.00"_s)};
        using R = gst::Reason;
        const struct Case {
            const char* what;
            qint64 state;
            QString gstin, relation, sac;
            GstRates rates;
            QList<R> reasons;
        } cases[] = {
            {"sound", 901, gstinFor(u"32"_s, 1), u"B2B"_s, u"998552"_s, intra, {}},
            {"B2B without GSTIN", 901, QString(), u"B2B"_s, u"998552"_s, intra, {R::GstinMissing}},
            {"mistyped GSTIN", 902, u"29AAGCD8765K1ZX"_s, u"B2B"_s, u"998552"_s, inter, {R::GstinMalformed}},
            {"state without code", 904, QString(), u"B2C"_s, u"998552"_s, inter, {R::StateCodeMissing}},
            {"no SAC", 903, QString(), u"B2C"_s, u" "_s, inter, {R::SacMissing}},
            {"CGST across states", 902, gstinFor(u"29"_s, 2), u"B2B"_s, u"998552"_s, intra, {R::TaxKindMismatch}},
            {"IGST at home", 901, QString(), u"B2C"_s, u"998552"_s, inter, {R::TaxKindMismatch}},
            {"7 percent", 902, gstinFor(u"29"_s, 3), u"B2B"_s, u"998552"_s, seven, {R::UnknownRate}},
            {"invoice number too long", 903, QString(), u"B2C"_s, u"998552"_s, inter, {R::InvoiceNumber}},
        };
        qint64 no = 0;
        for (const Case& c : cases) {
            ++no;
            addGstParty(db, 8000 + no, c.state, c.gstin, c.relation);
            GstInvoiceRow r;
            r.no = no;
            r.invNo = no == qint64(std::size(cases)) ? u"X/2026-27/NOV/0009"_s : u"X/%1"_s.arg(no);
            r.date = kMonth.addDays(int(no));
            r.party = 8000 + no;
            r.sac = c.sac;
            r.rates = c.rates;
            r.lines = {Money::fromRupees(10000)};
            writeGstInvoice(db, r);
        }
        const gst::GstReturn r = gst::buildReturn(db, gst::Period::month(2026, 11));
        holdsToTheRows(db, r);
        QCOMPARE(int(r.b2b.size()), 1);
        QCOMPARE(r.b2b.at(0).docNo, qint64(1));
        QCOMPARE(int(r.exceptions.size()), int(std::size(cases)) - 1);
        for (const gst::Exception& e : r.exceptions) {
            const Case& c = cases[e.invoice.docNo - 1];
            QVERIFY2(e.reasons == c.reasons, c.what);
            QVERIFY2(!e.text.isEmpty(), c.what);
        }
        QVERIFY(r.exceptions.at(1).text.startsWith(u"GSTIN 29AAGCD8765K1ZX MALFORMED: WRONG CHECK CHARACTER"_s));
    }

    // The files: the JSON follows the published structure with numbers and dates as the portal
    // reads them, amounts exactly the return's; the workbook has a sheet per section.
    void filesWritten() {
        TestDb t;
        setUpGstBooks(t.db());
        writeGstMonth(t.db(), kMonth, 120);
        gst::GstReturn r = gst::buildReturn(t.db(), gst::Period::month(2026, 11));
        QTemporaryDir dir;
        const gst::ReturnFiles files = gst::writeReturnFiles(r, dir.filePath(u"GST_RETURN_112026"_s));
        QFile f1(files.gstr1), f3(files.gstr3b);
        QVERIFY(f1.open(QIODevice::ReadOnly) && f3.open(QIODevice::ReadOnly));
        const QByteArray gstr1 = f1.readAll(), gstr3b = f3.readAll();
        QCOMPARE(gstr1, gst::gstr1Json(r));
        QCOMPARE(schemaErrors(gstr1, kGstr1Schema), QStringList());
        QCOMPARE(schemaErrors(gstr3b, kGstr3bSchema), QStringList());
        QCOMPARE(numberFaults(gstr1), QStringList());
        QCOMPARE(numberFaults(gstr3b), QStringList());
        const QJsonObject o = QJsonDocument::fromJson(gstr1).object();
        QCOMPARE(o.value(u"version"_s).toString(), QString::fromLatin1(gst::kJsonVersion));
        QCOMPARE(o.value(u"fp"_s).toString(), u"112026"_s);
        // Every invoice of the sections once, its date and value as in the books.
        int invoices = 0;
        for (const char* section : {"b2b", "b2cl"})
            for (const QJsonValue& group : o.value(QLatin1String(section)).toArray())
                invoices += int(group.toObject().value(u"inv"_s).toArray().size());
        QCOMPARE(invoices, int(r.b2b.size() + r.b2cl.size()));
        const QJsonObject first = o[u"b2b"_s][0][u"inv"_s][0].toObject();
        QCOMPARE(first.value(u"inum"_s).toString(), r.b2b.at(0).number);
        QCOMPARE(first.value(u"idt"_s).toString(), r.b2b.at(0).date.toString(u"dd-MM-yyyy"_s));
        QVERIFY(gstr1.contains(("\"val\":" + r.b2b.at(0).amounts.value.toString()).toUtf8()));
        const QJsonObject docs = o[u"doc_issue"_s][u"doc_det"_s][0][u"docs"_s][0].toObject();
        QCOMPARE(docs.value(u"cancel"_s).toInt(), r.documents.cancelled);
        QVERIFY(!gstr1.contains("PRO/"));

        const Sheets book = readWorkbook(files.workbook);
        QCOMPARE(int(book.keys().size()), 8);
        for (const QString& name :
             {u"B2B"_s, u"B2CL"_s, u"B2CS"_s, u"CDNR"_s, u"HSN"_s, u"DOCS"_s, u"GSTR-3B"_s, u"EXCEPTIONS"_s})
            QVERIFY2(book.contains(name), qPrintable(name));
        const auto column = [&](const QString& sheet, int c) {
            Money sum;
            for (const QStringList& row : book.value(sheet).mid(1))
                sum += Money::fromText(row.value(c));
            return sum.toString();
        };
        QCOMPARE(book.value(u"B2B"_s).size(), r.b2b.size() + 1);
        QCOMPARE(book.value(u"B2B"_s).at(1).at(0), r.b2b.at(0).gstin);
        // Each section's taxable column sums to the return's.
        QCOMPARE((QStringList{column(u"B2B"_s, 9), column(u"B2CL"_s, 6), column(u"B2CS"_s, 5), column(u"HSN"_s, 7)}),
                 (QStringList{gst::totalOf(r.b2b).taxable.toString(), gst::totalOf(r.b2cl).taxable.toString(),
                              gst::totalOf(r.b2cs).taxable.toString(), r.outward.taxable.toString()}));
        QCOMPARE(int(book.value(u"CDNR"_s).size()), 1);
        const QStringList outward = book.value(u"GSTR-3B"_s).at(1);
        QCOMPARE(Money::fromText(outward.value(3)), r.outward.taxable);
        QCOMPARE(Money::fromText(outward.value(4)), r.outward.igst);
        QCOMPARE(book.value(u"DOCS"_s).at(1).mid(1, 2), (QStringList{r.documents.from, r.documents.to}));

        // A company without a valid GSTIN cannot file: nothing is written.
        t.db().exec(u"UPDATE MST_LOCATIONDETAILS SET COMP_GSTIN='YOUR GSTIN'"_s);
        r = gst::buildReturn(t.db(), gst::Period::month(2026, 11));
        QVERIFY(!r.canWrite());
        QVERIFY_THROWS_EXCEPTION(DbError, gst::writeReturnFiles(r, dir.filePath(u"REFUSED"_s)));
        QVERIFY(!QFile::exists(dir.filePath(u"REFUSED_GSTR1.json"_s)));
    }
};

QTEST_GUILESS_MAIN(TstGstReturns)
#include "tst_gst_returns.moc"
