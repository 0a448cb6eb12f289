#include "DocumentListing.h"

#include "data/Money.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "engine/listings/DocumentListings.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;
using Spec = DocumentListingSpec;

QString s(const char* text) {
    return QString::fromLatin1(text);
}

const CodeSource kBanks{QStringLiteral("MST_BANK"), QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME")};

// The invoices' figures summed by status, with their headings.
const std::pair<const char*, const char*> kInvoiceSums[] = {
    {"TOTAL_AMOUNT", "TOTAL AMOUNT"}, {"DISC_AMT", "DISC AMT"},      {"TAXIBLE_AMT", "TAXIBLE AMT"},
    {"CGST_AMT", "CGST AMT"},         {"SGST_AMT", "SGST AMT"},      {"IGST_AMT", "IGST AMT"},
    {"TAX_AMT", "TAX AMT"},           {"GRAND_TOTAL", "GRAND TOTAL"}};

listings::DocumentSource sourceOf(const Spec& spec, const QList<C>& columns, const QStringList& balanceCodes) {
    listings::DocumentSource source{.codes = spec.codes,
                                    .balance = spec.balanceList != nullptr,
                                    .balanceCodes = balanceCodes,
                                    .creditBalance = spec.creditBalance};
    for (const C& c : columns)
        source.fields << c.field;
    return source;
}

// Every member's detail: serial, date and number, its own columns, then remarks, status and
// who made and cancelled it.
QList<C> detailColumns(const Spec& spec) {
    QList<C> cols{C::serial(QStringLiteral("SLNO"), 700),
                  C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1250),
                  C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1100)};
    for (C c : spec.columns) {
        if (c.field == QLatin1String("DB_BANK"))
            c.heading = s(spec.bankHeading);
        cols << c;
    }
    return cols << C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000)
                << C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900)
                << C::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400)
                << C::byOn(QStringLiteral("CNCL BY - ON"), "CNCL_BY", "CNCL_ON", 3400);
}

ListingGridConfig gridOf(const char* name, const GridQuery& q, QList<C> columns, int maxWidthTwips = 0) {
    return {.objectName = s(name),
            .select = q.select,
            .groupBy = q.groupBy,
            .orderBy = q.orderBy,
            .columns = std::move(columns),
            .maxWidthTwips = maxWidthTwips};
}

QList<ListingGridConfig> summariesOf(const Spec& spec) {
    QList<ListingGridConfig> grids{gridOf("Grid2", listings::partySummary(),
                                          {C::serial(QStringLiteral("SLNO"), 500),
                                           C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1000),
                                           C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3000),
                                           C::money(QStringLiteral("AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1400),
                                           C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900)})};
    if (spec.bankHeading)
        grids << gridOf("Grid3", listings::bankSummary(),
                        {C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 800),
                         C::text(s(spec.bankHeading), QStringLiteral("BANK_NAME"), 2400),
                         C::money(QStringLiteral("AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1400)});
    if (spec.totals == Spec::Totals::Invoice) {
        QStringList fields;
        QList<C> cols{C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900)};
        for (const auto& [field, heading] : kInvoiceSums) {
            fields << s(field);
            cols << C::money(s(heading), s(field), 1400);
        }
        // Scrolls sideways beside the party summary.
        grids << gridOf("Grid4", listings::statusTotals(fields), cols, 7000);
    } else {
        grids << gridOf("Grid4", listings::statusTotal(),
                        {C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
                         C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1500)});
    }
    return grids;
}

ListingConfig configOf(const Spec& spec, const QStringList& balanceCodes) {
    const QList<C> columns = detailColumns(spec);
    const listings::DocumentSource source = sourceOf(spec, columns, balanceCodes);
    ListingConfig c{.objectName = s(spec.window),
                    .title = s(spec.title),
                    .statement = listings::documentStatement(source),
                    .dateColumn = QStringLiteral("a.DOC_DATE"),
                    .detail = gridOf("Grid1", listings::documentDetail(source), columns),
                    .summaries = summariesOf(spec),
                    .size = QSize(1000, 640)};
    if (spec.click != Spec::Click::None)
        c.onChosen = [](ListingWindow& w, int row) { static_cast<DocumentListing&>(w).printRow(row); };
    return c;
}

QStringList balanceCodesOf(Session& session, const Spec& spec) {
    if (!spec.balanceList)
        return {};
    // A list that cannot be read leaves the balances empty; the documents are still listed.
    try {
        return TransactionRecords(*session.db, session.userFullName).codeList(s(spec.balanceList));
    } catch (const DbError&) {
        return {};
    }
}

}  // namespace

DocumentListing::DocumentListing(Session& session, QWidget* parent, const DocumentListingSpec& spec)
    : ListingWindow(session, parent, configOf(spec, balanceCodesOf(session, spec))), spec_(spec) {
    // Alt+S is SHOW's: the status takes U.
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->setMinimumWidth(100);
    const ListQuery present = listings::codesCondition(spec.codes, {});
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_TRANSACTION"), present.statement, present.values);
    const ListQuery codes = listings::codesCondition(spec.codes);
    Cmb_Status->setCurrentText(status::kLive);
    addCondition([this, codes](ListFilter& f) {
        // No status offered (nothing of the codes existed as the window opened): every status.
        f.add(codes.statement, codes.values);
        f.equal(QStringLiteral("a.DOC_STATUS"), Cmb_Status->currentText());
    });

    // A number compared with a column of the document's rows.
    const auto numberField = [this](const char* name, const char* column) { return numberFilter(name, column, 110); };
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    QWidget* party = partyBox(party_, [this] { showList(); });  // Enter names the party and lists its documents
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("PARTY &CODE"), party,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), txt_PartyCode->text()); });
    txt_DocNo = numberField("txt_DocNo", "DOC_NO");
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("DOCUMENT &NO"), txt_DocNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.DOC_NO=?"), txt_DocNo->text()); });
    if (spec_.bankHeading) {
        Cmb_Bank = new CodeList(session, kBanks, this);
        Cmb_Bank->setObjectName(QStringLiteral("Cmb_Bank"));
        Cmb_Bank->setMinimumWidth(300);
        Cmb_Bank->load();
        // By the bank's id: names that are patterns of each other never mix.
        Option4 = addOption(QStringLiteral("Option4"), QStringLiteral("&BANK"), Cmb_Bank, [this](ListFilter& f) {
            const QString id = Cmb_Bank->code();
            if (id.isEmpty())
                f.refuse();
            else
                f.add(QStringLiteral("a.TO_BANKID=?"), {id.toLongLong()});
        });
    }
    if (spec_.extras & Spec::AccountFilter) {
        // The accounts of the listed code, as its vouchers offer them; the code kept per item.
        Cmb_AccCode = new QComboBox(this);
        Cmb_AccCode->setObjectName(QStringLiteral("Cmb_AccCode"));
        Cmb_AccCode->setMinimumWidth(300);
        guarded([&] {
            for (const auto& [code, description] : listings::accountsOf(db(), spec_.codes.value(0)))
                Cmb_AccCode->addItem(description, code);
        });
        Option5 = addOption(QStringLiteral("Option5"), QStringLiteral("A/C C&ODE"), Cmb_AccCode, [this](ListFilter& f) {
            const QString acc = Cmb_AccCode->currentData().toString();
            if (acc.isEmpty())
                f.refuse();
            else
                f.add(QStringLiteral("a.TO_ACC=?"), {acc});
        });
    }
    if (spec_.extras & (Spec::BookingFilter | Spec::QuotationFilter)) {
        const bool booking = spec_.extras & Spec::BookingFilter;
        txt_ExtraNo = numberField(booking ? "txt_CBPTNo" : "txt_QuotNo", booking ? "IN_DOCNO" : "QUOTATION_NO");
        const QString column = booking ? QStringLiteral("a.IN_DOCNO=?") : QStringLiteral("k.QUOTATION_NO=?");
        Option5 =
            addOption(QStringLiteral("Option5"), booking ? QStringLiteral("CBPT N&O") : QStringLiteral("QUOTATION N&O"),
                      txt_ExtraNo, [this, column](ListFilter& f) { f.number(column, txt_ExtraNo->text()); });
    }
}

int DocumentListing::columnOf(const QString& field) const {
    const QList<ListColumn>& cols = detailModel()->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].field == field)
            return i;
    return -1;
}

void DocumentListing::printRow(int row) {
    const qint64 number = Grid1->text(row, columnOf(QStringLiteral("DOC_NO"))).trimmed().toLongLong();
    // Until printing is there a click does nothing: an invoice is not rewritten for no print.
    if (number <= 0 || !canOpen(QStringLiteral("rpt_Voucher")))
        return;
    QString code = spec_.codes.value(0);
    if (const int c = columnOf(QStringLiteral("DOC_CODE")); c >= 0)
        code = Grid1->text(row, c).trimmed();
    QVariantHash values{{QStringLiteral("DOC_CODE"), code}, {QStringLiteral("DOC_NO"), number}};
    if (const int c = columnOf(QStringLiteral("IN_DOCNO")); c >= 0) {
        const qint64 booking = Grid1->text(row, c).trimmed().toLongLong();
        if (booking > 0)
            values.insert(QStringLiteral("CBPT_NO"), booking);
    }
    if (spec_.click == Spec::Click::Invoice && !guarded([&] { refreshInvoiceAdvance(db(), number); }))
        return;
    openWindow(QStringLiteral("rpt_Voucher"), WindowArgs{values});
}

}  // namespace tarvic
