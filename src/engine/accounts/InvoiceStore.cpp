#include "InvoiceStore.h"

#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

namespace tarvic {

const InvoiceKind& taxInvoiceKind() {
    static const InvoiceKind k{QStringLiteral("INV001"), QStringLiteral("INV002"), true};
    return k;
}

const InvoiceKind& proformaKind() {
    static const InvoiceKind k{QStringLiteral("INV006"), QStringLiteral("INV007"), false};
    return k;
}

QList<Money> InvoiceDraft::lineAmounts() const {
    QList<Money> out;
    for (const InvoiceLine& l : lines)
        out << l.amount;
    return out;
}

InvoiceFigures InvoiceDraft::figures() const {
    return calcTotal(lineAmounts(), discount, rates, booking.advance);
}

QString invoiceCapMessage(Money invoiceable) {
    return QStringLiteral(" INVOICE CAN BE GENERATED UPTO : ") + invoiceable.toString() +
           QStringLiteral("\nSORRY CANNOT PROCEED WITH INVOICE GENERATION ..... ");
}

QString beyondLimit(const InvoiceDraft& d, const InvoiceFigures& f) {
    for (const InvoiceLine& l : d.lines) {
        const std::optional<Money> amount = lineAmount(l.rate, l.quantity);
        if (!amount || !l.amount.withinLimit())
            return exceedsLimitMessage(QStringLiteral("LINE AMOUNT"));
    }
    if (!d.discount.withinLimit())
        return exceedsLimitMessage(QStringLiteral("DISCOUNT AMOUNT"));
    return f.exceeded.isEmpty() ? QString() : exceedsLimitMessage(f.exceeded);
}

QString invoiceNumberTakenMessage(const QString& gstInvNo) {
    return QStringLiteral("INVOICE NO : %1 IS ALREADY GENERATED, CANNOT PROCEED ....").arg(gstInvNo);
}

std::optional<InvoiceBooking> InvoiceStore::booking(qint64 number, qint64 exceptInvoice) {
    const auto row = db_.firstRow(
        QStringLiteral("SELECT a.DOC_DATE, a.PARTY_CODE, a.LEAD_NO, a.QUOTATION_NO, a.BOOKED_BY, b.PARTY_NAME, "
                       "b.PARTY_ALIASNAME, b.GSTIN_NO, b.PARTY_ADDRESS, c.STATE_NAME, c.STATE_CODE2, "
                       "(SELECT %1 FROM M_TBL_QUOTATION q "
                       "WHERE q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO) AS R_QUOTAMT, "
                       "(SELECT %2 FROM M_TBL_TRANSACTION r WHERE r.DOC_CODE='FRDB01' "
                       "AND r.IN_DOCCODE='CBPT01' AND r.IN_DOCNO=a.DOC_NO AND %3) AS R_ADVANCE "
                       "FROM M_TBL_TRANSACTION a JOIN M_TBL_PARTY b ON a.PARTY_CODE=b.PARTY_CODE "
                       "LEFT JOIN M_TBL_CSP_STATE c ON b.STATE_CODE=c.STATE_CODE "
                       "WHERE a.DOC_CODE='CBPT01' AND a.DOC_NO=? AND %4")
            .arg(exactSum(QStringLiteral("COALESCE(q.TAXIBLE_AMT,0) + COALESCE(q.TAX_AMOUNT,0)")),
                 exactSum(QStringLiteral("r.GRAND_TOTAL")), sql::live(QStringLiteral("r")),
                 sql::live(QStringLiteral("a"))),
        {number});
    if (!row)
        return std::nullopt;
    const auto text = [&](const char* c) { return row->value(QLatin1String(c)).toString().trimmed(); };
    InvoiceBooking b;
    b.number = number;
    b.date = dateFromDb(row->value(QStringLiteral("DOC_DATE")));
    b.party = row->value(QStringLiteral("PARTY_CODE")).toLongLong();
    b.lead = row->value(QStringLiteral("LEAD_NO")).toLongLong();
    b.quotation = row->value(QStringLiteral("QUOTATION_NO")).toLongLong();
    b.bookedBy = text("BOOKED_BY");
    b.partyName = text("PARTY_NAME");
    b.alias = text("PARTY_ALIASNAME");
    b.gstin = text("GSTIN_NO");
    b.address = text("PARTY_ADDRESS");
    b.stateName = text("STATE_NAME");
    b.stateCode2 = text("STATE_CODE2");
    b.quotationTotal = Money::fromVariant(row->value(QStringLiteral("R_QUOTAMT")));
    b.advance = Money::fromVariant(row->value(QStringLiteral("R_ADVANCE")));
    b.invoiced = invoicedSoFar(number, exceptInvoice);
    return b;
}

Money InvoiceStore::invoicedSoFar(qint64 booking, qint64 exceptInvoice) {
    return Money::fromVariant(
        db_.scalar(QStringLiteral("SELECT %1 FROM M_TBL_TRANSACTION "
                                  "WHERE DOC_CODE='INV001' AND IN_DOCCODE='CBPT01' AND IN_DOCNO=? "
                                  "AND %2 AND DOC_NO<>?")
                       .arg(exactSum(QStringLiteral("GRAND_TOTAL")), sql::live()),
                   {booking, exceptInvoice}));
}

std::optional<HomeState> InvoiceStore::homeState() {
    const auto row =
        db_.firstRow(QStringLiteral("SELECT STATE_NAME, STATE_CODE2 FROM M_TBL_CSP_STATE WHERE "
                                    "STATE_DEF='Y' ORDER BY STATE_CODE"));
    if (!row)
        return std::nullopt;
    return HomeState{row->value(0).toString().trimmed(), row->value(1).toString().trimmed()};
}

namespace {

GstRow gstOf(const QSqlRecord& r) {
    return {r.value(QStringLiteral("GST_FOR")).toString(),
            r.value(QStringLiteral("SAC_CODE")).toString(),
            {Money::fromVariant(r.value(QStringLiteral("CGST_PER"))),
             Money::fromVariant(r.value(QStringLiteral("SGST_PER"))),
             Money::fromVariant(r.value(QStringLiteral("IGST_PER")))}};
}

}  // namespace

QList<GstRow> InvoiceStore::gstRows() {
    QList<GstRow> out;
    QSqlQuery q = db_.exec(QStringLiteral("SELECT * FROM M_TBL_GSTMAINTENANCE ORDER BY GST_FOR"));
    while (q.next())
        out << gstOf(q.record());
    return out;
}

std::optional<GstRow> InvoiceStore::gstRow(const QString& gstFor) {
    const auto row = db_.firstRow(QStringLiteral("SELECT * FROM M_TBL_GSTMAINTENANCE WHERE GST_FOR=?"), {gstFor});
    if (!row)
        return std::nullopt;
    return gstOf(*row);
}

bool InvoiceStore::gstInvNoTaken(const QString& gstInvNo, qint64 exceptInvoice) {
    return db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV001' AND ") +
                          sql::live() + QStringLiteral(" AND GST_INVNO=? AND DOC_NO<>?"),
                      {gstInvNo, exceptInvoice})
               .toLongLong() > 0;
}

qint64 InvoiceStore::save(const InvoiceDraft& d) {
    const InvoiceKind& kind = *d.kind;
    const InvoiceFigures f = d.figures();
    if (const QString beyond = beyondLimit(d, f); !beyond.isEmpty())
        throw DbError(DbError::Kind::Refused, beyond);
    const qint64 bookingNo = d.booking.number;
    const QVariant date = dateToDb(d.date);

    Document doc;
    doc.code = kind.code;
    doc.booking = bookingNo;
    doc.columns = {{QStringLiteral("DOC_DATE"), date},
                   {QStringLiteral("GST_INVNO"), d.gstInvNo.isEmpty() ? QVariant() : QVariant(d.gstInvNo)},
                   {QStringLiteral("IN_DOCDATE"), dateToDb(d.booking.date)},
                   {QStringLiteral("PARTY_CODE"), d.booking.party},
                   {QStringLiteral("LEAD_NO"), d.booking.lead},
                   {QStringLiteral("QUOTATION_NO"), d.booking.quotation},
                   {QStringLiteral("BOOKED_BY"), d.booking.bookedBy},
                   {QStringLiteral("SAC_CODE"), d.sacCode},
                   {QStringLiteral("TOTAL_AMOUNT"), f.total.toVariant()},
                   {QStringLiteral("DISC_AMT"), d.discount.toVariant()},
                   {QStringLiteral("TAXIBLE_AMT"), f.taxable.toVariant()},
                   {QStringLiteral("CGST_PER"), d.rates.cgst.toVariant()},
                   {QStringLiteral("CGST_AMT"), f.cgst.toVariant()},
                   {QStringLiteral("SGST_PER"), d.rates.sgst.toVariant()},
                   {QStringLiteral("SGST_AMT"), f.sgst.toVariant()},
                   {QStringLiteral("IGST_PER"), d.rates.igst.toVariant()},
                   {QStringLiteral("IGST_AMT"), f.igst.toVariant()},
                   {QStringLiteral("TAX_AMT"), f.tax.toVariant()},
                   {QStringLiteral("GRAND_TOTAL"), f.grand.toVariant()},
                   {QStringLiteral("ADV_AMOUNT"), d.booking.advance.toVariant()},
                   {QStringLiteral("BALANCE_AMT"), f.balance.toVariant()},
                   {QStringLiteral("AMT_INWORDS"), f.words},
                   {QStringLiteral("GST_DESC"), gstDescription(d.rates, d.taxKind)}};
    if (kind.tax) {
        doc.columns.emplace_back(QStringLiteral("PARTY_ALIASNAME"), d.alias);
        doc.columns.emplace_back(QStringLiteral("GST_FOR"), d.gstFor);
    }
    for (const InvoiceLine& l : d.lines)
        doc.lines.push_back({{QStringLiteral("DOC_DATE"), date},
                             {QStringLiteral("PARTY_CODE"), d.booking.party},
                             {QStringLiteral("LEAD_NO"), d.booking.lead},
                             {QStringLiteral("QUOTATION_NO"), d.booking.quotation},
                             {QStringLiteral("DOC_DESC"), l.description},
                             {QStringLiteral("INV_RATE"), l.rate.toVariant()},
                             {QStringLiteral("INV_QTY"), l.quantity.toVariant()},
                             {QStringLiteral("INV_AMT"), l.amount.toVariant()}});

    TransactionRecords records(db_, user_);
    return records.save(doc, [&]() -> QString {
        if (!records.bookingOpen(kind.code, bookingNo))
            return QStringLiteral("CBPT NO : %1 IS NOT APPROVED, CANNOT PROCEED ....").arg(bookingNo);
        if (!kind.tax)
            return {};
        if (gstInvNoTaken(d.gstInvNo))
            return invoiceNumberTakenMessage(d.gstInvNo);
        // What another workstation invoiced since the window loaded counts too.
        const auto now = booking(bookingNo);
        if (now && f.grand > now->invoiceable())
            return invoiceCapMessage(now->invoiceable());
        return {};
    });
}

std::optional<InvoiceStore::Saved> InvoiceStore::saved(const InvoiceKind& kind, qint64 number) {
    std::optional<Saved> out;
    const auto head =
        db_.firstRow(QStringLiteral("SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"), {kind.code, number});
    if (!head)
        return out;
    out = Saved{*head, {}};
    QSqlQuery q = db_.exec(QStringLiteral("SELECT DOC_DESC, INV_RATE, INV_QTY, INV_AMT FROM M_TBL_TRANSACTION "
                                          "WHERE DOC_CODE=? AND IN_DOCCODE=? AND IN_DOCNO=? ORDER BY INV_DETSLNO"),
                           {kind.lineCode, kind.code, number});
    while (q.next())
        out->lines.push_back({q.value(0).toString(), Money::fromVariant(q.value(1)), Money::fromVariant(q.value(2)),
                              Money::fromVariant(q.value(3))});
    return out;
}

InvoiceAdvance refreshInvoiceAdvance(Database& db, qint64 invoice) {
    return db.transact([&] {
        InvoiceAdvance r;
        const auto row = db.firstRow(QStringLiteral("SELECT DOC_STATUS, IN_DOCNO, GRAND_TOTAL FROM M_TBL_TRANSACTION "
                                                    "WHERE DOC_CODE='INV001' AND DOC_NO=?%1")
                                         .arg(db.dialect().forUpdate()),
                                     {invoice}, ResultTypes::Fixed);
        if (!row)
            return r;
        r.status = row->value(0).toString().trimmed();
        r.booking = row->value(1).toLongLong();
        if (r.status == status::kCancelled)
            return r;
        // Whole paise summed on both engines: the advance is exact whatever the rows.
        bool ok = false;
        const qint64 paise =
            db.scalar(QStringLiteral("SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01' AND IN_DOCNO=? AND %2")
                          .arg(db.dialect().balanceInPaise(QStringLiteral("GRAND_TOTAL"), QStringLiteral("0")),
                               sql::live()),
                      {r.booking}, ResultTypes::Fixed)
                .toLongLong(&ok);
        if (!ok)
            throw DbError(DbError::Kind::Other, QStringLiteral("An advance that is not a number of paise"));
        const Money advance = Money::fromPaise(paise);
        const Money balance = Money::fromVariant(row->value(2)) - advance;
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET ADV_AMOUNT=?, BALANCE_AMT=? "
                                           "WHERE DOC_CODE='INV001' AND DOC_NO=?"),
                            {advance.toVariant(), balance.toVariant(), invoice}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        r.stored = true;
        return r;
    });
}

}  // namespace tarvic
