#include "frm_UnMatchANCP.h"

#include "bookings/family/StatusChoices.h"
#include "engine/DocumentState.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

namespace {

// The booking's quotation lines of one kind, and its live advice notes of one code.
QString quotationLines(const char* kind) {
    return QStringLiteral("(SELECT COUNT(*) FROM M_TBL_QUOTATION l WHERE l.DOC_CODE='QGBL02' AND "
                          "l.DOC_NO=a.QUOTATION_NO AND l.ACCOUNT_DESC='%1')")
        .arg(QLatin1String(kind));
}
QString notes(const char* code) {
    return QStringLiteral("(SELECT COUNT(*) FROM M_TBL_TRANSACTION n WHERE n.IN_DOCCODE='CBPT01' AND "
                          "n.IN_DOCNO=a.DOC_NO AND n.DOC_CODE='%1' AND %2)")
        .arg(QLatin1String(code), sql::live(QStringLiteral("n")));
}

ListingConfig listConfig() {
    using C = ListColumn;
    const auto count = [](const char* heading, const char* field) {
        return C::number(QLatin1String(heading), QLatin1String(field), 1100);
    };
    return {
        .objectName = QStringLiteral("frm_UnMatchANCP"),
        .title = QStringLiteral("UN-MATCH CBPT QUOTATION ANCP"),
        // The four counts are read per listed booking by key (the quotation's lines, the notes
        // against the booking), so a page costs its own rows and the count of the list none; a
        // booking without lines or notes counts 0, and one without a status is listed too.
        .statement = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a "
                                    "LEFT JOIN M_TBL_CBPT_STATUS b ON b.CBPTSTATUS_CODE=a.CBPTSTATUS_CODE "
                                    "WHERE {filter} AND a.DOC_CODE='CBPT01' AND %1")
                         .arg(sql::live(QStringLiteral("a"))),
        .dateColumn = QStringLiteral("a.START_DT"),
        .period = ListingPeriod::Tours,
        .fromCaption = QStringLiteral("&FROM TOUR STRT DT"),
        .toCaption = QStringLiteral("&TO TOUR STRT DT"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral(
                       "a.DOC_DATE AS CBPT_DT, a.DOC_NO AS CBPT_NO, a.START_DT, a.END_DT, a.QUOTATION_NO, a.LEAD_NO, "
                       "a.CBPT_STATUS_UPDBY, a.CBPT_STATUS_UPDON, b.CBPT_STATUS, b.H_RED, b.H_GREEN, b.H_BLUE, "
                       "b.H_F_RED, b.H_F_GREEN, b.H_F_BLUE, ") +
                             quotationLines("HOTEL") + QStringLiteral(" AS QUOT_HOTEL, ") + notes("ANCP01") +
                             QStringLiteral(" AS ANCP_HOTEL, ") + quotationLines("VEHICLE") +
                             QStringLiteral(" AS QUOT_VEH, ") + notes("ANCP02") + QStringLiteral(" AS ANCP_VEH"),
                   .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                   .columns = {C::serial(QStringLiteral("SLNO"), 600),
                               C::date(QStringLiteral("CBPT DT"), QStringLiteral("CBPT_DT"), 1200),
                               C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
                               C::date(QStringLiteral("STRT DT"), QStringLiteral("START_DT"), 1200),
                               C::date(QStringLiteral("END DT"), QStringLiteral("END_DT"), 1200),
                               C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 900),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
                               count("QUOT-HOTEL", "QUOT_HOTEL"), count("ANCP-HOTEL", "ANCP_HOTEL"),
                               count("QUOT-VEH", "QUOT_VEH"), count("ANCP-VEH", "ANCP_VEH"),
                               C::text(QStringLiteral("CBPT STATUS"), QStringLiteral("CBPT_STATUS"), 1800),
                               C::byOn(QStringLiteral("UPDATE BY-ON"), "CBPT_STATUS_UPDBY", "CBPT_STATUS_UPDON", 2800)},
                   // Status colours; a booking whose notes do not match its lines and whose status
                   // gives no text colour shows its text in red.
                   .colours =
                       [](const QSqlRecord& r) {
                           RowColours c = statusColours(r);
                           const auto n = [&](const char* f) { return r.value(QLatin1String(f)).toLongLong(); };
                           if (!c.fore.isValid() &&
                               (n("QUOT_HOTEL") != n("ANCP_HOTEL") || n("QUOT_VEH") != n("ANCP_VEH")))
                               c.fore = QColor(Qt::red);
                           return c;
                       }},
        .size = QSize(1000, 600)};
}

}  // namespace

frm_UnMatchANCP::frm_UnMatchANCP(Session& session, QWidget* parent) : ListingWindow(session, parent, listConfig()) {
    Cmb_Status = addField(QStringLiteral("CBPT STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->setMinimumWidth(160);
    guarded([&] {
        loadStatusChoices(db(), Cmb_Status, QStringLiteral("M_TBL_CBPT_STATUS"), QStringLiteral("CBPTSTATUS_CODE"),
                          QStringLiteral("CBPT_STATUS"), QStringLiteral("CBPT_SLNO"), QStringLiteral("%"));
    });
    addCondition([this](ListFilter& f) {
        const QString code = chosenCode(Cmb_Status);
        if (!code.isEmpty())
            f.add(QStringLiteral("a.CBPTSTATUS_CODE=?"), {code.toLongLong()});
    });
    Cmd_Status = new QPushButton(QStringLiteral("UPDATE CBPT ST&ATUS"), this);
    Cmd_Status->setObjectName(QStringLiteral("Cmd_Status"));
    form()->addWidget(Cmd_Status, 2, 8);
    // The status update is built by its own family; until it is registered the button waits.
    Cmd_Status->setEnabled(canOpen(QStringLiteral("frm_CBPT_StatusUpdate")));
    connect(Cmd_Status, &QPushButton::clicked, this, [this] { Update_Status(); });
}

void frm_UnMatchANCP::Update_Status() {
    const qint64 booking = Grid1->text(Grid1->currentRow(), ColCbptNo).toLongLong();
    if (booking <= 0) {
        prompter().information(this, kNoRowChosen);
        Grid1->setFocus();
        return;
    }
    QPointer<frm_UnMatchANCP> self(this);
    openWindow(QStringLiteral("frm_CBPT_StatusUpdate"),
               {{{QStringLiteral("CBPT_NO"), booking}}, [self](const QString&) {
                    if (self)
                        self->Load_Grid();
                }});
}

}  // namespace tarvic
