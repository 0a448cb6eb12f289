#include "DocumentListing.h"

#include "data/Money.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
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
using L = Spec::Layout;

QString s(const char* text) {
    return QString::fromLatin1(text);
}

const CodeSource kBanks{QStringLiteral("MST_BANK"), QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME")};

// Hotel notes carry their room type and meal plan; the hotels booked also their booking and lead.
bool hotel(L l) {
    return l == L::HotelNote || l == L::HotelsBooked;
}
bool accounted(L l) {
    return l == L::OtherNote || l == L::Misc || l == L::Voucher || l == L::Transfer;
}

QVariantList values(const QStringList& codes) {
    QVariantList v;
    for (const QString& c : codes)
        v << c;
    return v;
}

QString quoted(const QStringList& codes) {
    QStringList q;
    for (QString c : codes)
        q << QLatin1Char('\'') + c.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    return q.join(QLatin1Char(','));
}

// Every lookup outer-joined: a document whose party, bank, consultant or lead is missing is
// still listed and counted. The balance is one grouped sub-select joined in, never a query per row.
QString statementOf(const Spec& spec, const QStringList& balanceCodes) {
    QString from = QStringLiteral(
        "SELECT {columns} FROM M_TBL_TRANSACTION a "
        "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE ");
    if (spec.bankHeading)
        from += QStringLiteral(
            "LEFT JOIN MST_BANK c ON c.BANK_ID=a.TO_BANKID "
            "LEFT JOIN MST_PAYMODE d ON d.MODE_ID=a.PAY_MODEID "
            "LEFT JOIN MST_BANK e ON e.BANK_ID=a.BANK_ID ");
    if (spec.layout == L::Booking)
        from += QStringLiteral(
            "LEFT JOIN M_TBL_CONSULTANT_OP g ON g.CONSULTANT_CODE=a.CONSLT_OPS "
            "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=a.LEAD_NO "
            "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO ");
    if (hotel(spec.layout))
        from += QStringLiteral(
            "LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
            "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE ");
    if (spec.layout == L::HotelsBooked)
        from += QStringLiteral(
            "LEFT JOIN M_TBL_TRANSACTION k ON k.DOC_CODE='CBPT01' AND k.DOC_NO=a.IN_DOCNO "
            "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=k.LEAD_NO ");
    if (spec.layout == L::VehicleNote)
        from += QStringLiteral("LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID ");
    if (accounted(spec.layout))
        from +=
            QStringLiteral("LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB h ON h.DOC_CODE=a.DOC_CODE AND h.ACC_CODE=a.TO_ACC ");
    if (spec.balanceList) {
        const char* first = spec.creditBalance ? "CR_AMT" : "DB_AMT";
        const char* second = spec.creditBalance ? "DB_AMT" : "CR_AMT";
        from += QStringLiteral(
                    "LEFT JOIN (SELECT IN_DOCNO AS BAL_NO, PARTY_CODE AS BAL_PARTY, "
                    "%1 AS BALANCE FROM M_TBL_TRANSACTION "
                    "WHERE DOC_CODE IN (%2) AND IN_DOCCODE='CBPT01' AND %3 "
                    "GROUP BY IN_DOCNO, PARTY_CODE) z ON z.BAL_NO=a.IN_DOCNO AND z.BAL_PARTY=a.PARTY_CODE ")
                    .arg(exactSum(s(first), s(second)),
                         balanceCodes.isEmpty() ? QStringLiteral("''") : quoted(balanceCodes), sql::live());
    }
    return from + QStringLiteral("WHERE {filter}");
}

QList<C> party() {
    return {C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1100),
            C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3600)};
}

QList<C> trailer() {
    return {C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000),
            C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
            C::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400),
            C::byOn(QStringLiteral("CNCL BY - ON"), "CNCL_BY", "CNCL_ON", 3400)};
}

QList<C> instrument(const char* bankHeading) {
    return {C::text(s(bankHeading), QStringLiteral("DB_BANK"), 3600),
            C::text(QStringLiteral("PAY MODE"), QStringLiteral("PAY_MODE"), 1400),
            C::text(QStringLiteral("INSTRUMNT NO"), QStringLiteral("INSTR_NO"), 1500),
            C::date(QStringLiteral("INSTR DT"), QStringLiteral("INSTR_DATE"), 1250),
            C::text(QStringLiteral("INSTR BANK"), QStringLiteral("INSTR_BANK"), 3200)};
}

QList<C> account() {
    return {C::text(QStringLiteral("A/C CODE"), QStringLiteral("TO_ACC"), 1300),
            C::text(QStringLiteral("A/C DESCRIPTION"), QStringLiteral("ACCOUNT_DESC"), 2600)};
}

C amount() {
    return C::money(QStringLiteral("AMOUNT /-"), QStringLiteral("GRAND_TOTAL"), 1400);
}

C balance() {
    return C::money(QStringLiteral("BALANCE /-"), QStringLiteral("BALANCE"), 1400);
}

// The select list and columns of the detail grid: the documents' own fields in the manner of
// the receipt listing (serial, date, number, booking, party, amount, ..., status, who and when).
ListingGridConfig detailOf(const Spec& spec) {
    QString select = QStringLiteral("a.*, b.PARTY_NAME");
    QList<C> cols{C::serial(QStringLiteral("SLNO"), 700),
                  C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1250),
                  C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1100)};
    const C booking = C::number(QStringLiteral("CBPT NO"), QStringLiteral("IN_DOCNO"), 1000);
    if (spec.bankHeading)
        select += QStringLiteral(", c.BANK_NAME AS DB_BANK, d.PAY_MODE, e.BANK_NAME AS INSTR_BANK");
    if (accounted(spec.layout))
        select += QStringLiteral(", h.ACCOUNT_DESC");
    if (spec.balanceList)
        select += QStringLiteral(", z.BALANCE");
    switch (spec.layout) {
        case L::Booking:
            select += QStringLiteral(
                ", g.CONSULTANT_NAME AS OPS_NAME, l.FILENO AS LEAD_FILENO, "
                "q.JOURNEY_STRTDT, q.JOURNEY_ENDDT");
            cols << C::text(QStringLiteral("FILE NO"), QStringLiteral("LEAD_FILENO"), 1500)
                 << C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1000)
                 << C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 1000) << party()
                 << C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400)
                 << C::date(QStringLiteral("JOURNEY FROM"), QStringLiteral("JOURNEY_STRTDT"), 1400)
                 << C::date(QStringLiteral("JOURNEY TO"), QStringLiteral("JOURNEY_ENDDT"), 1300)
                 << C::number(QStringLiteral("PAX"), QStringLiteral("NOOF_PAX"), 600)
                 << C::text(QStringLiteral("OPS CONSULTANT"), QStringLiteral("OPS_NAME"), 2200) << amount()
                 << balance();
            break;
        case L::HotelNote:
        case L::HotelsBooked:
            select += QStringLiteral(", b.CFA, r.ROOM_TYPE, m.MEAL_PLAN");
            cols << booking;
            if (spec.layout == L::HotelsBooked) {
                select += QStringLiteral(
                    ", k.QUOTATION_NO AS K_QUOTNO, k.TOURIST_NAME AS K_TOURIST, l.FILENO AS LEAD_FILENO");
                cols << C::number(QStringLiteral("QUOT NO"), QStringLiteral("K_QUOTNO"), 1000)
                     << C::text(QStringLiteral("FILE NO"), QStringLiteral("LEAD_FILENO"), 1500)
                     << C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("K_TOURIST"), 2400);
            }
            cols << party() << C::text(QStringLiteral("CFA"), QStringLiteral("CFA"), 500)
                 << C::text(QStringLiteral("HOTEL PLACE"), QStringLiteral("HOTEL_PLACE"), 2000)
                 << C::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE"), 1400)
                 << C::text(QStringLiteral("ROOM DESC"), QStringLiteral("ROOM_TYPE2"), 2000)
                 << C::text(QStringLiteral("MEAL PLAN"), QStringLiteral("MEAL_PLAN"), 1100)
                 << C::date(QStringLiteral("CHECK IN"), QStringLiteral("START_DT"), 1250)
                 << C::date(QStringLiteral("CHECK OUT"), QStringLiteral("END_DT"), 1250)
                 << C::number(QStringLiteral("ROOMS"), QStringLiteral("NOOF_ROOM"), 700)
                 << C::text(QStringLiteral("BILL NO"), QStringLiteral("BILL_NO"), 1500) << amount() << balance();
            break;
        case L::VehicleNote:
            select += QStringLiteral(", v.VEH_BRAND");
            cols << booking << party() << C::text(QStringLiteral("VEHICLE"), QStringLiteral("VEH_BRAND"), 1600)
                 << C::number(QStringLiteral("VEH NOS"), QStringLiteral("VEH_NOS"), 900)
                 << C::date(QStringLiteral("FROM DT"), QStringLiteral("START_DT"), 1250)
                 << C::date(QStringLiteral("TO DT"), QStringLiteral("END_DT"), 1250)
                 << C::text(QStringLiteral("BILL NO"), QStringLiteral("BILL_NO"), 1500) << amount() << balance();
            break;
        case L::OtherNote:
            cols << booking << party() << account()
                 << C::text(QStringLiteral("BILL NO"), QStringLiteral("BILL_NO"), 1500) << amount() << balance();
            break;
        case L::Misc:
            cols << party() << account() << C::text(QStringLiteral("SERVICE"), QStringLiteral("VBS_SERVICE"), 2600)
                 << C::date(QStringLiteral("SERVICE DT"), QStringLiteral("IN_DOCDATE"), 1250) << amount();
            break;
        case L::Money:
            cols << booking << party() << amount() << instrument(spec.bankHeading);
            break;
        case L::Voucher:
            cols << account() << party() << amount() << instrument(spec.bankHeading);
            break;
        case L::Transfer:
            cols << C::text(QStringLiteral("DOC CODE"), QStringLiteral("DOC_CODE"), 1000) << account() << amount()
                 << instrument(spec.bankHeading);
            break;
        case L::Invoice:
            cols << party() << booking << C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 1000)
                 << C::text(QStringLiteral("GST INV NO"), QStringLiteral("GST_INVNO"), 1800)
                 << C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1500)
                 << C::money(QStringLiteral("DISC AMT"), QStringLiteral("DISC_AMT"), 1300)
                 << C::money(QStringLiteral("TAXIBLE AMT"), QStringLiteral("TAXIBLE_AMT"), 1500)
                 << C::money(QStringLiteral("CGST AMT"), QStringLiteral("CGST_AMT"), 1300)
                 << C::money(QStringLiteral("SGST AMT"), QStringLiteral("SGST_AMT"), 1300)
                 << C::money(QStringLiteral("IGST AMT"), QStringLiteral("IGST_AMT"), 1300)
                 << C::money(QStringLiteral("TAX AMT"), QStringLiteral("TAX_AMT"), 1300)
                 << C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1500)
                 << C::money(QStringLiteral("ADVANCE"), QStringLiteral("ADV_AMOUNT"), 1400)
                 << C::money(QStringLiteral("BALANCE"), QStringLiteral("BALANCE_AMT"), 1400);
            break;
    }
    cols << trailer();
    // A bulk posting shares its number over several bookings, a transfer over both legs.
    return {.objectName = QStringLiteral("Grid1"),
            .select = select,
            .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC, a.DOC_CODE, a.IN_DOCNO"),
            .columns = cols};
}

QList<ListingGridConfig> summariesOf(const Spec& spec) {
    const QString total = exactSum(QStringLiteral("a.GRAND_TOTAL")) + QStringLiteral(" AS GRAND_TOTAL");
    QList<ListingGridConfig> grids{
        {.objectName = QStringLiteral("Grid2"),
         .select = QStringLiteral("a.PARTY_CODE, b.PARTY_NAME, a.DOC_STATUS, ") + total,
         .groupBy = QStringLiteral("a.PARTY_CODE, b.PARTY_NAME, a.DOC_STATUS"),
         .orderBy = QStringLiteral("b.PARTY_NAME, a.PARTY_CODE, a.DOC_STATUS"),
         .columns = {C::serial(QStringLiteral("SLNO"), 500),
                     C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1000),
                     C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3000),
                     C::money(QStringLiteral("AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1400),
                     C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900)}}};
    if (spec.bankHeading)
        // Banks by id: two banks of one name stay apart.
        grids << ListingGridConfig{
            .objectName = QStringLiteral("Grid3"),
            .select = QStringLiteral("a.DOC_STATUS, a.TO_BANKID, c.BANK_NAME, ") + total,
            .groupBy = QStringLiteral("a.DOC_STATUS, a.TO_BANKID, c.BANK_NAME"),
            .orderBy = QStringLiteral("c.BANK_NAME, a.TO_BANKID, a.DOC_STATUS"),
            .columns = {C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 800),
                        C::text(s(spec.bankHeading), QStringLiteral("BANK_NAME"), 2400),
                        C::money(QStringLiteral("AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1400)}};
    if (spec.totals == Spec::Totals::Invoice) {
        QString select = QStringLiteral("a.DOC_STATUS");
        QList<C> cols{C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900)};
        static const std::pair<const char*, const char*> kSums[] = {
            {"TOTAL_AMOUNT", "TOTAL AMOUNT"}, {"DISC_AMT", "DISC AMT"},      {"TAXIBLE_AMT", "TAXIBLE AMT"},
            {"CGST_AMT", "CGST AMT"},         {"SGST_AMT", "SGST AMT"},      {"IGST_AMT", "IGST AMT"},
            {"TAX_AMT", "TAX AMT"},           {"GRAND_TOTAL", "GRAND TOTAL"}};
        for (const auto& [field, heading] : kSums) {
            select += QStringLiteral(", %1 AS %2").arg(exactSum(QStringLiteral("a.") + s(field)), s(field));
            cols << C::money(s(heading), s(field), 1400);
        }
        grids << ListingGridConfig{.objectName = QStringLiteral("Grid4"),
                                   .select = select,
                                   .groupBy = QStringLiteral("a.DOC_STATUS"),
                                   .orderBy = QStringLiteral("a.DOC_STATUS"),
                                   .columns = cols,
                                   .maxWidthTwips = 7000};  // scrolls sideways beside the party summary
    } else {
        grids << ListingGridConfig{
            .objectName = QStringLiteral("Grid4"),
            .select = QStringLiteral("a.DOC_STATUS, ") + total,
            .groupBy = QStringLiteral("a.DOC_STATUS"),
            .orderBy = QStringLiteral("a.DOC_STATUS"),
            .columns = {C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
                        C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("GRAND_TOTAL"), 1500)}};
    }
    return grids;
}

ListingConfig configOf(const Spec& spec, const QStringList& balanceCodes) {
    ListingConfig c{.objectName = s(spec.window),
                    .title = s(spec.title),
                    .statement = statementOf(spec, balanceCodes),
                    .dateColumn = QStringLiteral("a.DOC_DATE"),
                    .detail = detailOf(spec),
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
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->setMinimumWidth(100);
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_TRANSACTION"),
                QStringLiteral("DOC_CODE IN (%1)").arg(TransactionRecords::placeholders(spec.codes.size())),
                values(spec.codes));
    Cmb_Status->setCurrentText(status::kLive);
    addCondition([this](ListFilter& f) {
        f.add(QStringLiteral("a.DOC_CODE IN (%1)").arg(TransactionRecords::placeholders(spec_.codes.size())),
              values(spec_.codes));
        // No status present: nothing of the codes exists.
        if (Cmb_Status->currentText().isEmpty())
            f.refuse();
        f.equal(QStringLiteral("a.DOC_STATUS"), Cmb_Status->currentText());
    });

    // A number compared with a column of the document's rows.
    const auto numberField = [this](const char* name, const char* column) {
        return numberFilter(name, column, 110);
    };
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("PARTY &CODE"), withParty(),
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
            QSqlQuery q = db().exec(QStringLiteral("SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                                   "WHERE DOC_CODE=? ORDER BY ACCOUNT_DESC, ACC_CODE"),
                                    {spec_.codes.value(0)});
            while (q.next())
                Cmb_AccCode->addItem(q.value(1).toString().trimmed(), q.value(0).toString().trimmed());
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

QWidget* DocumentListing::withParty() {
    QPushButton* pick = nullptr;
    party_ = partyCodeField(this, pick);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    lbl_PartyName->setMinimumWidth(300);
    // Enter shows the party's name and lists its documents.
    onEnter(txt_PartyCode, [this] {
        party_->lookUp();
        Load_Grid();
    });
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(txt_PartyCode);
    row->addWidget(pick);
    row->addWidget(lbl_PartyName, 1);
    box->setFocusProxy(txt_PartyCode);
    return box;
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
