#include "MoneySearchWindow.h"

#include "engine/DocumentState.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;

ListingConfig configOf(const MoneySearch& s) {
    return {.objectName = s.objectName,
            .title = s.title,
            // Banks, modes and parties outer-joined: a row whose lookup is gone still shows.
            .statement = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a "
                                        "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
                                        "LEFT JOIN MST_BANK c ON c.BANK_ID=a.TO_BANKID "
                                        "LEFT JOIN MST_PAYMODE d ON d.MODE_ID=a.PAY_MODEID WHERE {filter}"),
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = QStringLiteral("a.DOC_DATE, a.DOC_NO, a.IN_DOCNO, a.PARTY_CODE, b.PARTY_NAME, "
                                                "a.GRAND_TOTAL, c.BANK_NAME AS DB_BANK, d.PAY_MODE, a.INSTR_NO, "
                                                "a.INSTR_DATE, a.REMARKS, a.DOC_STATUS, a.CREATED_BY, a.CREATED_ON, "
                                                "a.CNCL_BY, a.CNCL_ON"),
                       // Bulk postings share one number over several bookings: the booking ends the order.
                       .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC, a.IN_DOCNO"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 600),
                                   C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1250),
                                   C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1100),
                                   C::number(QStringLiteral("CBPT NO"), QStringLiteral("IN_DOCNO"), 1000),
                                   C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1100),
                                   C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3000),
                                   C::money(QStringLiteral("AMOUNT /-"), QStringLiteral("GRAND_TOTAL"), 1400),
                                   C::text(s.bankHeading, QStringLiteral("DB_BANK"), 2600),
                                   C::text(QStringLiteral("PAY MODE"), QStringLiteral("PAY_MODE"), 1400),
                                   C::text(QStringLiteral("INSTRUMNT NO"), QStringLiteral("INSTR_NO"), 1500),
                                   C::date(QStringLiteral("INSTR DT"), QStringLiteral("INSTR_DATE"), 1250),
                                   C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000),
                                   C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
                                   C::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400),
                                   C::byOn(QStringLiteral("CNCL BY - ON"), "CNCL_BY", "CNCL_ON", 3400)}},
            .exportCaption = {},
            .size = QSize(1000, 600)};
}

}  // namespace

const MoneySearch& receiptSearch() {
    static const MoneySearch s{QStringLiteral("FRDB01"), QStringLiteral("frm_Search_FRDB01"),
                               QStringLiteral("SEARCH FUND RECEIVE DEBIT ( FRDB01 )"), QStringLiteral("DB BANK")};
    return s;
}

const MoneySearch& paymentSearch() {
    static const MoneySearch s{QStringLiteral("FTCR01"), QStringLiteral("frm_Search_FTCR01"),
                               QStringLiteral("SEARCH FUND TRANSFER CREDIT ( FTCR01 )"), QStringLiteral("CR BANK")};
    return s;
}

MoneySearchWindow::MoneySearchWindow(Session& session, QWidget* parent, const WindowArgs& args,
                                     const MoneySearch& search)
    : ListingWindow(session, parent, configOf(search)) {
    pickInto(args.onPick, ColNumber);
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->setMinimumWidth(100);
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("DOC_CODE=?"), {search.code});
    Cmb_Status->setCurrentText(status::kLive);
    const QString code = search.code;
    addCondition([this, code](ListFilter& f) {
        f.add(QStringLiteral("a.DOC_CODE=?"), {code});
        // No status present: nothing of the code exists, so nothing can match.
        if (Cmb_Status->currentText().isEmpty())
            f.refuse();
        f.equal(QStringLiteral("a.DOC_STATUS"), Cmb_Status->currentText());
    });

    txt_PartyCode = new QLineEdit(this);
    txt_PartyCode->setObjectName(QStringLiteral("txt_PartyCode"));
    txt_PartyCode->setMaximumWidth(110);
    attachFilter(txt_PartyCode, KeyFilter::Number);
    bindColumn(txt_PartyCode, "M_TBL_PARTY", "PARTY_CODE");
    lbl_PartyName = new QLabel(this);
    lbl_PartyName->setObjectName(QStringLiteral("lbl_PartyName"));
    lbl_PartyName->setFrameShape(QFrame::StyledPanel);
    lbl_PartyName->setMinimumWidth(300);
    auto* partyRow = new QWidget(this);
    auto* h = new QHBoxLayout(partyRow);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(txt_PartyCode);
    h->addWidget(lbl_PartyName, 1);
    onEnter(txt_PartyCode, [this] {
        showParty();
        Load_Grid();
    });
    connect(txt_PartyCode, &QLineEdit::textEdited, lbl_PartyName, &QLabel::clear);
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL PARTIES"), nullptr, [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("PART&Y CODE"), partyRow,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), txt_PartyCode->text()); });
}

void MoneySearchWindow::showParty() {
    lbl_PartyName->clear();
    bool ok = false;
    const qint64 code = txt_PartyCode->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    guarded([&] {
        lbl_PartyName->setText(
            db().scalar(QStringLiteral("SELECT PARTY_NAME FROM M_TBL_PARTY WHERE PARTY_CODE=?"), {code})
                .toString()
                .trimmed());
    });
}

}  // namespace tarvic
