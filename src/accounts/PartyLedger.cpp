#include "PartyLedger.h"

#include "engine/accounts/LedgerQueries.h"
#include "data/Moments.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

namespace {

QList<ListColumn> entryColumns() {
    using C = ListColumn;
    auto money = [](const char* heading, const char* field) {
        return C::money(QLatin1String(heading), QLatin1String(field), 1300);
    };
    return {C::computed(QString(), 150, [](const QSqlRecord&) { return QString(); }),
            C::serial(QStringLiteral("SLNO"), 550),
            C::text(QStringLiteral("CODE"), QStringLiteral("DOC_CODE"), 850),
            C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1300),
            C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1300),
            C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("DOC_DESC"), 2700),
            C::money(QStringLiteral("OP BALANCE"), QStringLiteral("OP_BALANCE"), 1400),
            money("DB AMT /-", "DB_AMT"),
            money("CR AMT /-", "CR_AMT"),
            C::money(QStringLiteral("CL BALANCE /-"), QStringLiteral("CL_BALANCE"), 1500),
            C::computed(QStringLiteral("UPDATE ON - BY"), 2800, [](const QSqlRecord& r) {
                return momentText(r.value(QStringLiteral("CREATED_ON"))) + QStringLiteral(" - ") +
                       r.value(QStringLiteral("CREATED_BY")).toString().trimmed();
            })};
}

QList<ListColumn> totalColumns() {
    return {ListColumn::money(QStringLiteral("TOTL DB AMT /-"), QStringLiteral("DB_AMT"), 1700),
            ListColumn::money(QStringLiteral("TOTL CR AMT /-"), QStringLiteral("CR_AMT"), 1700),
            ListColumn::money(QStringLiteral("BALANCE AMT /-"), QStringLiteral("GRAND_TOTAL"), 1700)};
}

QString day(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

QLabel* captionTotals(ListGrid* grid, const QString& labelName, const QString& text) {
    QWidget* owner = grid->parentWidget();
    auto* caption = new QLabel(text, owner);
    caption->setObjectName(labelName);
    for (QBoxLayout* row : owner->findChildren<QBoxLayout*>()) {
        const int at = row->indexOf(grid);
        if (at < 0)
            continue;
        row->removeWidget(grid);
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        column->addWidget(caption);
        column->addWidget(grid);
        row->insertLayout(at, column);
        break;
    }
    return caption;
}

bool ledgerPartyReady(CodeField* party, Prompter& prompter, QWidget* parent) {
    if (party->key().isEmpty() && !party->edit()->text().trimmed().isEmpty())
        party->lookUp();
    if (!party->key().isEmpty())
        return true;
    prompter.information(parent, kLedgerNoParty);
    party->edit()->setFocus();
    return false;
}

PartyLedgerConfig PartyLedgerConfig::party() {
    return {QStringLiteral("frm_LDOP"), QStringLiteral("LEDGER DETAILS OF PARTY ( LDOP )"), QStringLiteral("LDOP")};
}

PartyLedgerConfig PartyLedgerConfig::miscAccount() {
    return {QStringLiteral("frm_LDMA"), QStringLiteral("LEDGER DETAILS OF MISCELLANEOUS ACCOUNTS"),
            QStringLiteral("LDMA")};
}

PartyLedger::PartyLedger(const PartyLedgerConfig& config, Session& session, QWidget* parent)
    : AccountsListing(session, parent, config.objectName, config.title, true, QSize(1010, 640)) {
    party_ = addPartyField(0);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    txt_FromDate = addField(QStringLiteral("&FROM DATE"), dateField("txt_FromDate"), 1, 0);
    txt_ToDate = addField(QStringLiteral("&TO DATE"), dateField("txt_ToDate"), 1, 1);

    Grid1 = addGrid(QStringLiteral("Grid1"), entryColumns());
    Grid1->setWordWrap(true);
    Grid2 = addGrid(QStringLiteral("Grid2"), totalColumns(), true);
    Grid3 = addGrid(QStringLiteral("Grid3"), totalColumns(), true);
    lbl_TotalsToDate =
        captionTotals(Grid2, QStringLiteral("lbl_TotalsToDate"), QStringLiteral("TOTALS UP TO THE TO DATE"));
    lbl_TotalsPeriod = captionTotals(Grid3, QStringLiteral("lbl_TotalsPeriod"), QStringLiteral("TOTALS OF THE PERIOD"));
    codes_ = codeList(config.codeList);
}

void PartyLedger::Load_Grid() {
    if (!ledgerPartyReady(party_, prompter(), this)) {
        loadAll([] {});  // nothing shown is left over from another party
        return;
    }
    // The captions name the dates of the figures under them.
    lbl_TotalsToDate->setText(QStringLiteral("TOTALS UP TO ") + day(txt_ToDate->date()));
    lbl_TotalsPeriod->setText(
        QStringLiteral("TOTALS FROM %1 TO %2").arg(day(txt_FromDate->date()), day(txt_ToDate->date())));
    loadAll([this] {
        const ledger::LedgerRange range{codes_, party_->key().toLongLong(), txt_FromDate->date(), txt_ToDate->date()};
        load(Grid1, ledger::kEntrySelect, {}, ledger::kEntryOrder, ledger::entries(range));
        load(Grid2, ledger::kTotalsSelect, {}, {}, ledger::ledgerTotals(range, false));
        load(Grid3, ledger::kTotalsSelect, {}, {}, ledger::ledgerTotals(range, true));
    });
    // Tall enough for the whole description; a long ledger keeps one line a row rather than
    // read every page to measure it.
    if (Grid1->rowCount() <= Grid1->queryModel()->pageSize())
        Grid1->resizeRowsToContents();
}

}  // namespace tarvic
