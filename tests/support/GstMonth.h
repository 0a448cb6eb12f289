#pragma once
// A month of tax invoices written straight into the books, for the GST return's tests and its
// benchmark: parties registered and not, in the home state and in others, invoices below and
// above the B2C-large limit at two rates, some cancelled, proformas between them, and a few
// just outside the month. Each invoice's figures come from the invoice window's own rounding
// (calcTotal) and its lines add up to its total. What was written is counted apart, so that
// a return built from the books can be held to it.
#include "data/Database.h"
#include "data/InvoiceTotals.h"
#include "data/Moments.h"
#include "engine/gst/GstReturn.h"
#include "engine/gst/Gstin.h"

#include <QDate>

namespace tarvic::test {

struct GstMonth {
    int approved = 0;   // approved tax invoices of the month
    int cancelled = 0;  // cancelled ones
    int proformas = 0;
    int b2b = 0, b2cl = 0, b2cs = 0;  // approved invoices by the section they belong in
    gst::Amounts approvedTotal;
};

// A valid GSTIN of a state for a number: its PAN from the number, its check character computed.
inline QString gstinFor(const QString& state, int n) {
    const QString first14 = QStringLiteral("%1AABCT%2G1Z").arg(state).arg(n % 10000, 4, 10, QLatin1Char('0'));
    return first14 + gst::gstinCheckCharacter(first14);
}

// The home state Kerala (32), Karnataka (29) and Tamil Nadu (33); the company's GSTIN of its
// home state; GST rows at 5 and 18 percent.
inline void setUpGstBooks(Database& db) {
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')"));
    for (const auto& [code, name, code2, def] :
         {std::tuple{901, "KERALA", "32", "Y"}, std::tuple{902, "KARNATAKA", "29", "N"},
          std::tuple{903, "TAMIL NADU", "33", "N"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, "
                               "STATE_DEF) VALUES (1, ?, ?, ?, ?)"),
                {code, QString::fromLatin1(name), QString::fromLatin1(code2), QString::fromLatin1(def)});
    db.exec(QStringLiteral("UPDATE MST_LOCATIONDETAILS SET COMP_GSTIN=?"), {gstinFor(QStringLiteral("32"), 1)});
    for (const auto& [name, sac, half, whole] :
         {std::tuple{"TOUR PACKAGE", "998552", "2.50", "5.00"}, std::tuple{"TRANSPORT", "996601", "9.00", "18.00"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_GSTMAINTENANCE (GST_FOR, SAC_CODE, CGST_PER, SGST_PER, IGST_PER) "
                               "VALUES (?, ?, ?, ?, ?)"),
                {QString::fromLatin1(name), QString::fromLatin1(sac), QString::fromLatin1(half),
                 QString::fromLatin1(half), QString::fromLatin1(whole)});
}

// A party: registered (with a valid GSTIN of its state) or not.
inline void addGstParty(Database& db, qint64 code, qint64 state, const QString& gstin, const QString& relation) {
    db.exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, GSTIN_NO, BUSINESS_RELTYPE, "
                           "COUNTRY_CODE, STATE_CODE) VALUES (?, ?, ?, ?, 1, ?)"),
            {code, QStringLiteral("PARTY %1").arg(code), gstin, relation, state});
}

struct GstInvoiceRow {
    QString code = QStringLiteral("INV001");
    qint64 no = 0;
    QString invNo;
    QDate date;
    qint64 party = 0;
    QString sac = QStringLiteral("998552");
    QString gstFor = QStringLiteral("TOUR PACKAGE");
    GstRates rates;  // as applied
    QList<Money> lines;
    QString status = QStringLiteral("APPRV");
};

// Writes one invoice (header and lines) with the window's figures; returns them.
inline InvoiceFigures writeGstInvoice(Database& db, const GstInvoiceRow& r) {
    const InvoiceFigures f = calcTotal(r.lines, Money(), r.rates, Money());
    const auto ifCancelled = [&r](const QVariant& x) { return r.status == QLatin1String("CNCL") ? x : QVariant(); };
    const auto v = [](const Money& m) { return m.toVariant(); };
    const QVariant invNo = r.invNo.isEmpty() ? QVariant() : QVariant(r.invNo);
    const QString insert = QStringLiteral(
        "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, GST_INVNO, DOC_DATE, PARTY_CODE, SAC_CODE, "
        "GST_FOR, TOTAL_AMOUNT, DISC_AMT, TAXIBLE_AMT, CGST_PER, CGST_AMT, SGST_PER, SGST_AMT, IGST_PER, "
        "IGST_AMT, TAX_AMT, GRAND_TOTAL, DOC_STATUS, CNCL_BY, CNCL_ON, REASON_CNCL) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    // clang-format off
    db.execAffected(insert, {r.code, r.no, invNo, dateToDb(r.date), r.party, r.sac, r.gstFor,
                             v(f.total), v(Money()), v(f.taxable), v(r.rates.cgst), v(f.cgst), v(r.rates.sgst),
                             v(f.sgst), v(r.rates.igst), v(f.igst), v(f.tax), v(f.grand), r.status,
                             ifCancelled(QStringLiteral("T")), ifCancelled(dateToDb(r.date)),
                             ifCancelled(QStringLiteral("RAISED IN ERROR"))});
    // clang-format on
    const QString lineCode = r.code == QLatin1String("INV001") ? QStringLiteral("INV002") : QStringLiteral("INV007");
    for (int l = 0; l < r.lines.size(); ++l)
        db.execAffected(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, "
                                       "INV_DETSLNO, DOC_DATE, PARTY_CODE, INV_RATE, INV_QTY, INV_AMT, DOC_STATUS) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {lineCode, r.no, r.code, r.no, l + 1, dateToDb(r.date), r.party, v(r.lines.at(l)),
                         v(Money::fromRupees(1)), v(r.lines.at(l)), r.status});
    return f;
}

// The month's invoices over parties 7001.. of every kind (setUpGstBooks first), in one
// transaction. Of each twenty: six to registered parties of the home state, four to
// registered parties elsewhere, five to unregistered ones at home, three small and one large
// to unregistered ones elsewhere, and one cancelled; a proforma after every ninth; two invoices
// on the days either side of the month.
inline GstMonth writeGstMonth(Database& db, QDate month, int invoices) {
    GstMonth m;
    db.transact([&] {
        constexpr int kParties = 40;
        for (int p = 0; p < kParties; ++p) {
            const int kind = p % 4;  // 0 registered home, 1 registered elsewhere, 2 home, 3 elsewhere
            const qint64 state = kind == 0 || kind == 2 ? 901 : kind == 1 ? 902 : 903;
            const QString gstin = kind == 0   ? gstinFor(QStringLiteral("32"), p)
                                  : kind == 1 ? gstinFor(QStringLiteral("29"), p)
                                              : QString();
            addGstParty(db, 7001 + p, state, gstin, kind < 2 ? QStringLiteral("B2B") : QStringLiteral("B2C"));
        }
        const auto partyOf = [&](int kind, int i) { return 7001 + kind + 4 * (i % (kParties / 4)); };
        const GstRates five{Money::fromText("2.50"), Money::fromText("2.50"), Money::fromText("5.00")};
        const GstRates eighteen{Money::fromText("9.00"), Money::fromText("9.00"), Money::fromText("18.00")};
        const int days = month.daysInMonth();
        quint32 seed = 12345;
        const auto next = [&seed](quint32 range) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % range;
        };
        qint64 proforma = 0;
        for (int i = 0; i < invoices + 2; ++i) {
            const int slot = i % 20;
            GstInvoiceRow r;
            r.no = i + 1;
            r.invNo = QStringLiteral("GEN/%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            r.date = i < invoices ? month.addDays(i % days) : i == invoices ? month.addDays(-1) : month.addDays(days);
            const bool high = next(3) == 0;
            if (high) {
                r.sac = QStringLiteral("996601");
                r.gstFor = QStringLiteral("TRANSPORT");
            }
            int kind = slot < 6 ? 0 : slot < 10 ? 1 : slot < 15 ? 2 : 3;
            if (slot == 19)
                kind = int(next(4));
            r.party = partyOf(kind, i);
            const bool inter = kind == 1 || kind == 3;
            const GstRates& rates = high ? eighteen : five;
            r.rates = appliedRates(rates, inter ? TaxKind::OtherState : TaxKind::SameState);
            const bool large = slot == 18;
            // Two or three lines, whole rupees, the large ones well past the limit.
            const qint64 base = large ? 100000 + qint64(next(90000)) : 1000 + qint64(next(60000));
            r.lines = {Money::fromRupees(base / 2), Money::fromRupees(base - base / 2)};
            if (next(2) == 0)
                r.lines << Money::fromRupees(qint64(next(2500)) + 1);
            if (slot == 19)
                r.status = QStringLiteral("CNCL");
            const InvoiceFigures f = writeGstInvoice(db, r);
            if (i >= invoices)
                continue;
            if (slot == 19) {
                ++m.cancelled;
            } else {
                ++m.approved;
                m.approvedTotal += gst::Amounts{f.taxable, f.igst, f.cgst, f.sgst, Money(), f.grand};
                if (kind < 2)
                    ++m.b2b;
                else if (inter && f.grand > gst::b2cLargeLimit(r.date))
                    ++m.b2cl;
                else
                    ++m.b2cs;
            }
            if (i % 9 == 8) {
                GstInvoiceRow p = r;
                p.code = QStringLiteral("INV006");
                p.no = ++proforma;
                p.invNo = QStringLiteral("PRO/%1").arg(proforma);
                p.rates = {};
                p.status = QStringLiteral("APPRV");
                writeGstInvoice(db, p);
                ++m.proformas;
            }
        }
    });
    return m;
}

}  // namespace tarvic::test
