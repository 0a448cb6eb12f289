#include "GstReturn.h"

#include "Gstin.h"
#include "data/Moments.h"
#include "data/RowReader.h"
#include "engine/DocumentState.h"
#include "engine/accounts/InvoiceStore.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace tarvic::gst {

namespace {

// The GST rates the portal takes, in hundredths of a percent.
constexpr qint64 kPortalRates[] = {0, 10, 25, 100, 150, 300, 500, 600, 750, 1200, 1800, 2800, 4000};

bool portalRate(Money rate) {
    return std::find(std::begin(kPortalRates), std::end(kPortalRates), rate.paise()) != std::end(kPortalRates);
}

// A services accounting code (or an HSN code): four to eight digits.
bool codeShape(const QString& sac) {
    if (sac.size() < 4 || sac.size() > 8)
        return false;
    return std::all_of(sac.begin(), sac.end(), [](QChar c) { return c.isDigit(); });
}

// A tax invoice number as the portal takes it: 1 to 16 letters, digits, "/" and "-".
bool invoiceNumberShape(const QString& number) {
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9/-]{1,16}$"));
    return shape.match(number).hasMatch();
}

// The columns read, in order.
enum Col {
    CDocNo,
    CInvNo,
    CDate,
    CStatus,
    CParty,
    CSac,
    CGstFor,
    CTaxable,
    CCgstPer,
    CCgst,
    CSgstPer,
    CSgst,
    CIgstPer,
    CIgst,
    CGrand,
    CPartyName,
    CGstin,
    CRelation,
    CStateCode,
};

ReturnInvoice invoiceOf(const RowReader& r) {
    const auto text = [&](Col c) { return r.value(c).toString().trimmed(); };
    const auto money = [&](Col c) { return Money::fromVariant(r.value(c)); };
    ReturnInvoice i;
    i.docNo = r.value(CDocNo).toLongLong();
    i.number = text(CInvNo);
    i.date = dateFromDb(r.value(CDate));
    i.cancelled = text(CStatus) == status::kCancelled;
    i.party = r.value(CParty).toLongLong();
    i.sac = text(CSac);
    i.gstFor = text(CGstFor);
    i.cgstRate = money(CCgstPer);
    i.sgstRate = money(CSgstPer);
    i.igstRate = money(CIgstPer);
    i.amounts.taxable = money(CTaxable);
    i.amounts.cgst = money(CCgst);
    i.amounts.sgst = money(CSgst);
    i.amounts.igst = money(CIgst);
    i.amounts.value = money(CGrand);
    i.partyName = text(CPartyName);
    i.gstin = text(CGstin);
    i.relation = text(CRelation).toUpper();
    i.stateCode = text(CStateCode);
    i.pos = portalStateCode(i.stateCode);
    return i;
}

// The reasons an approved invoice cannot go into the return, each with its text, in the
// order the party window, the state and the invoice are corrected.
struct Verdict {
    QList<Reason> reasons;
    QStringList texts;
    bool registered = false;
    void add(Reason r, const QString& text) {
        reasons << r;
        texts << text;
    }
};

Verdict judge(ReturnInvoice& i, const QString& home, const QSet<qint64>& booksRates) {
    Verdict v;
    const GstinFault fault = checkGstin(i.gstin);
    if (fault == GstinFault::Blank) {
        if (i.relation == QLatin1String("B2B"))
            v.add(Reason::GstinMissing, QStringLiteral("GSTIN MISSING FOR A B2B PARTY"));
    } else if (fault != GstinFault::None) {
        v.add(Reason::GstinMalformed, QStringLiteral("GSTIN %1 MALFORMED: %2").arg(i.gstin, gstinFaultText(fault)));
    } else {
        v.registered = true;
    }
    if (home.isEmpty())
        v.add(Reason::StateCodeMissing, QStringLiteral("DEFAULT STATE HAS NO TAX STATE CODE"));
    if (i.pos.isEmpty())
        v.add(Reason::StateCodeMissing,
              i.stateCode.isEmpty() ? QStringLiteral("PARTY'S STATE HAS NO TAX STATE CODE")
                                    : QStringLiteral("PARTY'S TAX STATE CODE %1 IS NO STATE'S CODE").arg(i.stateCode));
    if (!invoiceNumberShape(i.number))
        v.add(Reason::InvoiceNumber,
              QStringLiteral("INVOICE NO %1 IS NOT 1 TO 16 LETTERS, DIGITS, / OR -").arg(i.number));
    if (i.sac.isEmpty())
        v.add(Reason::SacMissing, QStringLiteral("SAC CODE MISSING"));
    else if (!codeShape(i.sac))
        v.add(Reason::SacMissing, QStringLiteral("SAC CODE %1 IS NOT A SAC CODE").arg(i.sac));
    if (home.isEmpty() || i.pos.isEmpty())
        return v;

    // The states decide the kind of tax; the invoice must have charged that kind only.
    i.interState = i.pos != home;
    const bool halves =
        !i.cgstRate.isZero() || !i.sgstRate.isZero() || !i.amounts.cgst.isZero() || !i.amounts.sgst.isZero();
    const bool igst = !i.igstRate.isZero() || !i.amounts.igst.isZero();
    if (i.interState && halves)
        v.add(Reason::TaxKindMismatch, QStringLiteral("CGST/SGST CHARGED ON AN INTER-STATE SUPPLY"));
    else if (!i.interState && igst)
        v.add(Reason::TaxKindMismatch, QStringLiteral("IGST CHARGED ON AN INTRA-STATE SUPPLY"));
    else if (!i.interState && i.cgstRate != i.sgstRate)
        v.add(Reason::TaxKindMismatch, QStringLiteral("CGST AND SGST RATES DIFFER"));
    else if (!booksRates.contains(i.rate().paise()))
        v.add(Reason::UnknownRate,
              QStringLiteral("GST RATE %1% IS NOT A RATE OF GST MAINTENANCE").arg(rateText(i.rate())));
    else if (!portalRate(i.rate()))
        v.add(Reason::UnknownRate, QStringLiteral("GST RATE %1% IS NOT A GST RATE").arg(rateText(i.rate())));
    return v;
}

// Every rate a GST row of the books charges: CGST plus SGST within the state, IGST across.
QSet<qint64> booksRates(Database& db) {
    QSet<qint64> rates;
    for (const GstRow& row : InvoiceStore(db, {}).gstRows()) {
        rates.insert((row.rates.cgst + row.rates.sgst).paise());
        rates.insert(row.rates.igst.paise());
    }
    return rates;
}

QString companyGstin(Database& db) {
    const auto row = db.firstRow(QStringLiteral("SELECT COMP_GSTIN FROM MST_LOCATIONDETAILS ORDER BY LOC_ID"));
    return row ? row->value(0).toString().trimmed() : QString();
}

}  // namespace

Period Period::month(int year, int month) {
    Period p;
    p.from = QDate(year, month, 1);
    p.to = p.from.isValid() ? p.from.addMonths(1).addDays(-1) : QDate();
    return p;
}

Period Period::quarterOf(int year, int month) {
    Period p = Period::month(year, month - (month - 1) % 3);
    p.to = p.from.isValid() ? p.from.addMonths(3).addDays(-1) : QDate();
    p.quarter = true;
    return p;
}

std::optional<Period> Period::parse(const QString& yearMonth, bool quarter) {
    const QDate d = QDate::fromString(yearMonth.trimmed() + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        return std::nullopt;
    return quarter ? quarterOf(d.year(), d.month()) : month(d.year(), d.month());
}

QString Period::fp() const {
    return to.toString(QStringLiteral("MMyyyy"));
}

QString Period::caption() const {
    const QLocale c = QLocale::c();
    const QString last = c.monthName(to.month()).toUpper() + QLatin1Char(' ') + QString::number(to.year());
    if (!quarter)
        return last;
    return c.monthName(from.month()).toUpper() + QStringLiteral(" - ") + last;
}

Money b2cLargeLimit(const QDate& invoiceDate) {
    return invoiceDate < QDate(2024, 8, 1) ? Money::fromRupees(250000) : Money::fromRupees(100000);
}

Amounts& Amounts::operator+=(const Amounts& o) {
    taxable += o.taxable;
    igst += o.igst;
    cgst += o.cgst;
    sgst += o.sgst;
    cess += o.cess;
    value += o.value;
    return *this;
}

int GstReturn::invoicesInReturn() const {
    int n = int(b2b.size() + b2cl.size());
    for (const B2csRow& r : b2cs)
        n += r.invoices;
    return n;
}

namespace {
template <class T, class Of>
Amounts sumOf(const QList<T>& list, Of amounts) {
    Amounts a;
    for (const T& item : list)
        a += amounts(item);
    return a;
}
}  // namespace

Amounts totalOf(const QList<ReturnInvoice>& invoices) {
    return sumOf(invoices, [](const ReturnInvoice& i) { return i.amounts; });
}

Amounts totalOf(const QList<B2csRow>& rows) {
    return sumOf(rows, [](const B2csRow& r) { return r.amounts; });
}

Amounts totalOf(const QList<Exception>& exceptions) {
    return sumOf(exceptions, [](const Exception& e) { return e.invoice.amounts; });
}

QString placeName(const QString& pos) {
    const QString name = stateName(pos);
    return name.isEmpty() ? pos : pos + QLatin1Char('-') + name;
}

QString rateText(Money rate) {
    QString t = rate.toString();
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

GstReturn buildReturn(Database& db, const Period& period) {
    GstReturn r;
    r.period = period;
    r.gstin = companyGstin(db);
    const GstinFault own = checkGstin(r.gstin);
    if (own != GstinFault::None)
        r.problems << QStringLiteral("COMPANY GSTIN %1 IS NOT VALID (%2), PLEASE CORRECT IT IN COMPANY PROFILE ....")
                          .arg(r.gstin, gstinFaultText(own));
    const auto home = InvoiceStore(db, {}).homeState();
    r.homeStateCode = home ? portalStateCode(home->code2) : QString();
    if (r.homeStateCode.isEmpty())
        r.problems << QStringLiteral(
            "DEFAULT STATE OR ITS TAX STATE CODE IS NOT SET, PLEASE CORRECT IT IN STATE MAINTENANCE ....");
    else if (own == GstinFault::None && r.gstin.left(2) != r.homeStateCode)
        r.problems << QStringLiteral("COMPANY GSTIN %1 IS NOT OF THE DEFAULT STATE %2 ....")
                          .arg(r.gstin, placeName(r.homeStateCode));
    const QSet<qint64> rates = booksRates(db);

    // One statement: every tax invoice of the period, live or cancelled, with its party and
    // the party's state (outer-joined: a party without one is an exception, not a lost row).
    // Sorted by number after the period is read: SQLite would otherwise walk every invoice of
    // the books in number order to spare the sort of a month's.
    QVariantList values{taxInvoiceKind().code, status::kLive, status::kCancelled};
    const QString range = dayRangeCondition(QStringLiteral("a.DOC_DATE"), period.from, period.to, values);
    RowReader reader(db,
                     QStringLiteral("SELECT a.DOC_NO, a.GST_INVNO, a.DOC_DATE, a.DOC_STATUS, a.PARTY_CODE, a.SAC_CODE, "
                                    "a.GST_FOR, a.TAXIBLE_AMT, a.CGST_PER, a.CGST_AMT, a.SGST_PER, a.SGST_AMT, "
                                    "a.IGST_PER, a.IGST_AMT, a.GRAND_TOTAL, b.PARTY_NAME, b.GSTIN_NO, "
                                    "b.BUSINESS_RELTYPE, c.STATE_CODE2 "
                                    "FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY b ON a.PARTY_CODE=b.PARTY_CODE "
                                    "LEFT JOIN M_TBL_CSP_STATE c ON b.STATE_CODE=c.STATE_CODE "
                                    "WHERE a.DOC_CODE=? AND a.DOC_STATUS IN (?, ?) AND ") +
                         range + QStringLiteral(" ORDER BY ") + db.dialect().unindexed(QStringLiteral("a.DOC_NO")),
                     values);

    QMap<std::tuple<bool, QString, qint64>, B2csRow> b2cs;
    QMap<std::tuple<bool, QString, qint64>, HsnRow> hsn;
    QMap<QString, UnregisteredSupply> unregistered;
    while (reader.next()) {
        ReturnInvoice i = invoiceOf(reader);
        DocumentSeries& d = r.documents;
        if (d.issued++ == 0)
            d.from = i.number;
        d.to = i.number;
        if (i.cancelled) {
            ++d.cancelled;
            continue;
        }
        ++r.approvedRead;
        const Verdict v = judge(i, r.homeStateCode, rates);
        if (!v.reasons.isEmpty()) {
            r.exceptions << Exception{i, v.reasons, v.texts.join(QStringLiteral(" / "))};
            continue;
        }
        r.outward += i.amounts;
        const auto hsnKey = std::make_tuple(!v.registered, i.sac, i.rate().paise());
        HsnRow& h = hsn[hsnKey];
        if (h.invoices++ == 0) {
            h.registered = v.registered;
            h.sac = i.sac;
            h.description = i.gstFor.left(30);
            h.rate = i.rate();
        }
        h.amounts += i.amounts;
        if (v.registered) {
            r.b2b << i;
            continue;
        }
        if (i.interState) {
            UnregisteredSupply& u = unregistered[i.pos];
            u.pos = i.pos;
            u.taxable += i.amounts.taxable;
            u.igst += i.amounts.igst;
        }
        if (i.interState && i.amounts.value > b2cLargeLimit(i.date)) {
            r.b2cl << i;
            continue;
        }
        B2csRow& s = b2cs[std::make_tuple(i.interState, i.pos, i.rate().paise())];
        s.interState = i.interState;
        s.pos = i.pos;
        s.rate = i.rate();
        s.amounts += i.amounts;
        ++s.invoices;
    }
    const auto byDate = [](const ReturnInvoice& a, const ReturnInvoice& b) {
        return std::tie(a.date, a.number, a.docNo) < std::tie(b.date, b.number, b.docNo);
    };
    std::stable_sort(r.b2b.begin(), r.b2b.end(), [&](const ReturnInvoice& a, const ReturnInvoice& b) {
        return a.gstin != b.gstin ? a.gstin < b.gstin : byDate(a, b);
    });
    std::stable_sort(r.b2cl.begin(), r.b2cl.end(), [&](const ReturnInvoice& a, const ReturnInvoice& b) {
        return a.pos != b.pos ? a.pos < b.pos : byDate(a, b);
    });
    std::stable_sort(r.exceptions.begin(), r.exceptions.end(),
                     [&](const Exception& a, const Exception& b) { return byDate(a.invoice, b.invoice); });
    r.b2cs = b2cs.values();
    r.hsn = hsn.values();
    r.interUnregistered = unregistered.values();
    return r;
}

}  // namespace tarvic::gst
