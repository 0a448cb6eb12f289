#include "CancellationWindow.h"

#include "data/DocumentKinds.h"
#include "data/Moments.h"
#include "data/Money.h"
#include "engine/DocumentState.h"
#include "shell/kit/Checks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

// Every lookup a member may show, outer-joined: a document whose bank, mode or account row is
// gone still shows and can still be cancelled.
const QString kShowSelect = QStringLiteral(
    "SELECT a.*, b.PARTY_NAME AS SHOWN_PARTY, t.PARTY_TYPE AS SHOWN_PARTYTYPE, c.BANK_NAME AS DB_BANK, "
    "d.PAY_MODE AS SHOWN_PAYMODE, e.BANK_NAME AS INSTR_BANK, f.ACCOUNT_DESC AS SHOWN_ACCDESC%1 "
    "FROM M_TBL_TRANSACTION a "
    "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE = a.PARTY_CODE "
    "LEFT JOIN M_TBL_PARTYTYPE t ON t.PARTYTYPE_CODE = b.PARTYTYPE_CODE "
    "LEFT JOIN MST_BANK c ON c.BANK_ID = a.TO_BANKID "
    "LEFT JOIN MST_PAYMODE d ON d.MODE_ID = a.PAY_MODEID "
    "LEFT JOIN MST_BANK e ON e.BANK_ID = a.BANK_ID "
    "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB f ON f.DOC_CODE = a.DOC_CODE AND f.ACC_CODE = a.TO_ACC %2"
    "WHERE a.DOC_CODE=? AND a.DOC_NO=? ORDER BY COALESCE(a.DOC_PART, 1), a.IN_DOCNO");

QLabel* valueLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(230);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    return l;
}

}  // namespace

CancellationWindow::CancellationWindow(Session& session, QWidget* parent, const CancellationMember& member)
    : TaskWindow(session, parent), member_(member) {
    setObjectName(member_.window);
    setWindowTitle(member_.caption);
    setTool(1, kCloseTip, [this] { close(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("DOCUMENT CODE"), this));
    lbl_DocCode = valueLabel(this, QStringLiteral("lbl_DocCode"));
    lbl_DocCode->setMinimumWidth(90);
    top->addWidget(lbl_DocCode);
    auto* numberCaption = new QLabel(QStringLiteral("DOCUMENT &NO"), this);
    top->addWidget(numberCaption);
    txt_DocNo = new QLineEdit(this);
    txt_DocNo->setObjectName(QStringLiteral("txt_DocNo"));
    txt_DocNo->setMaximumWidth(120);
    txt_DocNo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), txt_DocNo));
    bindColumn(txt_DocNo, "M_TBL_TRANSACTION", "DOC_NO");
    numberCaption->setBuddy(txt_DocNo);
    top->addWidget(txt_DocNo);
    top->addStretch(1);
    body()->addLayout(top);
    onEnter(txt_DocNo, [this] {
        const bool shown = Show_Record(txt_DocNo->text().toLongLong());
        (shown && cmd_Cancel->isEnabled() ? txt_Reason : txt_DocNo)->setFocus();
    });
    // A number typed over a shown document leaves nothing of it to cancel.
    connect(txt_DocNo, &QLineEdit::textEdited, this, [this] {
        if (loaded_)
            clearShown();
    });

    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(8);
    // Caption/value pairs side by side: three abreast for the long documents, so that every
    // window fits over the main window.
    const int pairs = member_.fields.size() > 16 ? 3 : 2;
    for (int i = 0; i < member_.fields.size(); ++i) {
        const ShownField& f = member_.fields[i];
        const int row = i / pairs, col = (i % pairs) * 2;
        grid_->addWidget(new QLabel(f.caption, this), row, col);
        values_ << valueLabel(this, f.name);
        if (pairs == 3)
            values_.last()->setMinimumWidth(160);
        grid_->addWidget(values_.last(), row, col + 1);
    }
    for (int p = 0; p < pairs; ++p)
        grid_->setColumnStretch(2 * p + 1, 1);
    body()->addLayout(grid_);
    if (member_.hooks.build)
        member_.hooks.build(*this);

    auto* reasonRow = new QHBoxLayout;
    auto* reasonCaption = new QLabel(QStringLiteral("&REASON"), this);
    reasonRow->addWidget(reasonCaption);
    txt_Reason = new QLineEdit(this);
    txt_Reason->setObjectName(QStringLiteral("txt_Reason"));
    bindColumn(txt_Reason, "M_TBL_TRANSACTION", "REASON_CNCL");
    reasonCaption->setBuddy(txt_Reason);
    reasonRow->addWidget(txt_Reason, 1);
    cmd_Cancel = new QPushButton(member_.button, this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { Cancel_Record(); });
    reasonRow->addWidget(cmd_Cancel);
    body()->addLayout(reasonRow);
    body()->addStretch(1);

    Load_Init();
}

QLabel* CancellationWindow::field(const QString& name) const {
    for (QLabel* l : values_)
        if (l->objectName() == name)
            return l;
    return nullptr;
}

void CancellationWindow::clearShown() {
    loaded_ = 0;
    record_.reset();
    total_.clear();
    bookings_.clear();
    bookingNos_.clear();
    for (QLabel* l : values_)
        l->clear();
    if (QLabel* amount = field(QStringLiteral("lbl_Amount")))
        amount->setText(Money().toString());
    txt_Reason->clear();
    txt_Reason->setReadOnly(false);
    cmd_Cancel->setEnabled(true);
    if (member_.hooks.shown)
        member_.hooks.shown(*this, QSqlRecord(), false);
}

void CancellationWindow::Load_Init() {
    lbl_DocCode->setText(member_.code);
    txt_DocNo->clear();
    clearShown();
    txt_DocNo->setFocus();
}

bool CancellationWindow::Show_Record(qint64 number) {
    clearShown();
    if (number <= 0)
        return false;
    std::optional<QSqlRecord> first;
    Money total;
    QStringList bookings;
    QList<qint64> bookingNos;
    const bool ok = guarded([&] {
        QSqlQuery q = db().exec(kShowSelect.arg(member_.hooks.select, member_.hooks.joins), {member_.code, number});
        // A bulk posting is one row set per booking under the number: its total and bookings.
        while (q.next()) {
            if (!first)
                first = q.record();
            total += Money::fromVariant(q.value(QStringLiteral("GRAND_TOTAL")));
            const QString booking = q.value(QStringLiteral("IN_DOCNO")).toString();
            if (!booking.isEmpty()) {
                bookings << booking;
                bookingNos << booking.toLongLong();
            }
        }
    });
    if (!ok || !first)
        return false;
    record_ = first;
    loaded_ = number;
    total_ = total.toString();
    bookings_ = bookings.size() > 1 ? bookings.join(QLatin1Char(',')) : QString();
    // What is cancelled is the document as shown: under its bookings, where its kind has them.
    const DocumentKind* kind = documentKind(member_.code);
    bookingNos_ = kind && kind->link == DocLink::Booking ? bookingNos : QList<qint64>();
    for (int i = 0; i < member_.fields.size(); ++i)
        values_[i]->setText(member_.fields[i].text(*first));
    if (!bookings_.isEmpty()) {
        if (QLabel* amount = field(QStringLiteral("lbl_Amount")))
            amount->setText(total_);
        if (QLabel* cbpt = field(QStringLiteral("lbl_CBPTNo")))
            cbpt->setText(bookings_);
    }
    const bool cancelled = first->value(QStringLiteral("DOC_STATUS")).toString().trimmed() == status::kCancelled;
    bool allowed = !cancelled;
    if (member_.hooks.shown)
        allowed = member_.hooks.shown(*this, *first, !cancelled) && allowed;
    if (cancelled) {
        txt_Reason->setText(first->value(QStringLiteral("REASON_CNCL")).toString());
        txt_Reason->setReadOnly(true);
    }
    cmd_Cancel->setEnabled(allowed);
    // Long values (a party's name, an amount in words) wrap: grow the window to show them whole.
    if (layout() && layout()->hasHeightForWidth()) {
        const int height = layout()->totalHeightForWidth(width());
        if (height > this->height())
            resize(width(), height);
    }
    return true;
}

void CancellationWindow::Cancel_Record() {
    const CancelWording& w = member_.wording;
    if (!runChecks(prompter(), this,
                   {{[&] { return !record_; }, txt_DocNo, w.noDocument},
                    {[&] { return txt_Reason->text().trimmed().isEmpty(); }, txt_Reason, w.noReason}}))
        return;
    if (!cmd_Cancel->isEnabled())
        return;
    const QSqlRecord& r = *record_;
    const QString name = member_.hooks.questionName ? member_.hooks.questionName(r)
                                                    : r.value(QStringLiteral("SHOWN_PARTY")).toString().trimmed();
    QList<std::pair<QString, QString>> lines{{w.numberLabel, QString::number(loaded_)},
                                             {w.dateLabel, dateText(r.value(QStringLiteral("DOC_DATE")))},
                                             {w.nameLabel, name}};
    if (member_.hooks.moreLines)
        lines += member_.hooks.moreLines(r);
    lines.append({w.amountLabel, total_});
    if (!bookings_.isEmpty())
        lines.append({QStringLiteral(" CBPT NOS : "), bookings_});
    if (!Confirmation{w.head, lines, w.tail}.ask(prompter(), this))
        return;

    const qint64 number = loaded_;
    const QSqlRecord shown = r;
    const QString reason = txt_Reason->text().trimmed();
    const bool ok =
        guarded([&] { Cancellations(db(), session().userFullName).cancel(member_.code, number, bookingNos_, reason); });
    if (!ok) {
        // What became of the document is shown again; a reason typed for a live one stays.
        Show_Record(number);
        if (!txt_Reason->isReadOnly())
            txt_Reason->setText(reason);
        return;
    }
    prompter().information(this, kCancelDone);
    if (member_.hooks.cancelled)
        member_.hooks.cancelled(*this, number, shown);
    txt_DocNo->setText(QString::number(number));
    Show_Record(number);
}

}  // namespace tarvic
