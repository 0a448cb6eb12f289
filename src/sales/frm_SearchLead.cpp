#include "frm_SearchLead.h"

#include "LeadQuery.h"

#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {

ListingConfig searchConfig() {
    return {.objectName = QStringLiteral("frm_SearchLead"),
            .title = QStringLiteral("SEARCH BUSINESS LEAD"),
            .statement = lead::kStatement,
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = lead::kSelect,
                       .orderBy = lead::kOrder,
                       .columns = lead::gridColumns()},
            .exportCaption = {},
            .onChosen = [](ListingWindow& w, int row) { static_cast<frm_SearchLead&>(w).choose(row); },
            .size = QSize(1000, 560)};
}

}  // namespace

frm_SearchLead::frm_SearchLead(Session& session, QWidget* parent, PickCallback onPick)
    : LeadListWindow(session, parent, searchConfig()), onPick_(std::move(onPick)) {
    addStatusOption(QStringLiteral("Option1"), QStringLiteral("FOR &LEAD STATUS"));
    addConsultantOption(QStringLiteral("Option2"), QStringLiteral("CONSULTANT &CODE"));
    addLikeOption(QStringLiteral("Option3"), QStringLiteral("LEAD F&ILE NO"), QStringLiteral("txt_FileNO"),
                  QStringLiteral("a.FILENO"), QStringLiteral("%"));
    addNumberOption(QStringLiteral("Option4"), QStringLiteral("LEAD &NO"), QStringLiteral("txt_LeadNO"),
                    QStringLiteral("a.DOC_NO"));
    txt_FileNO = findChild<QLineEdit*>(QStringLiteral("txt_FileNO"));
    txt_LeadNO = findChild<QLineEdit*>(QStringLiteral("txt_LeadNO"));
    if (!role().saveAllowed()) {
        // Nothing is listed for a user who is no tour consultant; Show says why.
        addCondition([](ListFilter& f) { f.refuse(); });
        connect(Cmd_Show, &QPushButton::clicked, this, [this] { prompter().information(this, role().refusal()); });
    }
}

void frm_SearchLead::choose(int row) {
    const qint64 lead = leadAt(row);
    if (lead == 0)
        return;
    // Closed first: the caller's routine may open another window or take the focus.
    const PickCallback pick = onPick_;
    close();
    if (pick)
        pick(QString::number(lead));
}

}  // namespace tarvic
