#include "MiscNoteWindow.h"

#include "data/AmountInWords.h"
#include "shell/kit/KeyFilters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

const QList<MiscNoteKind>& miscNoteKinds() {
    static const QList<MiscNoteKind> kinds{
        {QStringLiteral("ANCP08"), QStringLiteral("ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )"),
         QStringLiteral("ANCP")},
        {QStringLiteral("ANDP08"), QStringLiteral("ADVICE NOTE DEBIT POSTING - MISC ( ANDP08 )"),
         QStringLiteral("ANDP")},
    };
    return kinds;
}

namespace {

DocumentConfig configOf(const MiscNoteKind& k) {
    return {.code = k.code,
            .objectName = QStringLiteral("frm_") + k.code,
            .title = k.title,
            .question = QStringLiteral(" YOU ARE ABOUT TO PROCEED WITH %1 .....").arg(k.brief),
            .saved = QStringLiteral("%1 SUCCESSFULLY DONE ....").arg(k.code),
            .noParty = QStringLiteral("CANNOT PROCEED WITH %1, PLEASE ENTER PARTY CODE PROPERLY ...").arg(k.brief),
            .questionTail = QStringLiteral(" ARE SURE WANT TO PROCEED (Y/N) ?")};
}

}  // namespace

MiscNoteWindow::MiscNoteWindow(Session& session, QWidget* parent, const MiscNoteKind& kind)
    : DocumentWindow(session, parent, configOf(kind)), kind_(kind) {
    // The party row was laid out by the document window; the search button joins it.
    QPushButton* pick = party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback chosen) {
        openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(chosen)});
    });
    if (auto* row = qobject_cast<QHBoxLayout*>(party->edit()->parentWidget()->layout()))
        row->insertWidget(1, pick);
    party->nameLabel()->setMinimumWidth(320);
    connect(party, &CodeField::keyChanged, this, [this] { showPartyType(); });

    lbl_PartyType = new QLabel(this);
    lbl_PartyType->setObjectName(QStringLiteral("lbl_PartyType"));
    addField(QStringLiteral("PARTY TYPE"), lbl_PartyType);
    txt_Desc = new QLineEdit(this);
    txt_Desc->setObjectName(QStringLiteral("txt_Desc"));
    bindColumn(txt_Desc, "M_TBL_TRANSACTION", "DOC_DESC");
    txt_Desc->setMinimumWidth(420);
    addField(QStringLiteral("D&ESCRIPTION"), txt_Desc);
    txt_Amount = new QLineEdit(this);
    txt_Amount->setObjectName(QStringLiteral("txt_Amount"));
    txt_Amount->setMaximumWidth(160);
    bindColumn(txt_Amount, "M_TBL_TRANSACTION", "GRAND_TOTAL");
    txt_Amount->setAlignment(Qt::AlignRight);
    attachFilter(txt_Amount, KeyFilter::Amount);
    addField(QStringLiteral("&AMOUNT"), txt_Amount);
    lbl_AmtWords = new QLabel(this);
    lbl_AmtWords->setObjectName(QStringLiteral("lbl_AmtWords"));
    lbl_AmtWords->setWordWrap(true);
    addField(QString(), lbl_AmtWords);
    connect(txt_Amount, &QLineEdit::textChanged, this, [this] { showWords(); });
    resize(640, 330);
    Load_Init();
}

QList<Check> MiscNoteWindow::ownChecks() {
    // A money field refuses "-", but a save refuses a negative amount as it refuses zero.
    return {{[this] { return amount() <= Money(); }, txt_Amount, QStringLiteral("AMOUNT CANNOT BE ZERO ....")},
            {[this] { return txt_Desc->text().trimmed().isEmpty(); }, txt_Desc,
             QStringLiteral("PLEASE ENTER DESCRIPTION ....")}};
}

QList<std::pair<QString, QString>> MiscNoteWindow::questionLines() {
    return {{QStringLiteral(" PARTY CODE : "), party->key()},
            {QStringLiteral(" PARTY NAME : "), party->nameLabel()->text()},
            {QStringLiteral(" %1 AMOUNT : ").arg(kind_.brief), amount().toString()}};
}

Columns MiscNoteWindow::ownColumns() {
    return {{QStringLiteral("DOC_DESC"), txt_Desc->text().trimmed()},
            {QStringLiteral("GRAND_TOTAL"), amount().toVariant()},
            {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(amount())}};
}

Money MiscNoteWindow::amount() const {
    return Money::fromInput(txt_Amount->text());
}

void MiscNoteWindow::clearOwn() {
    lbl_PartyType->clear();
    txt_Desc->clear();
    txt_Amount->clear();
}

void MiscNoteWindow::showOwn(const QSqlRecord& row) {
    txt_Desc->setText(row.value(QStringLiteral("DOC_DESC")).toString());
    txt_Amount->setText(Money::fromVariant(row.value(QStringLiteral("GRAND_TOTAL"))).toString());
    showPartyType();
}

void MiscNoteWindow::setOwnEditable(bool editable) {
    txt_Desc->setReadOnly(!editable);
    txt_Amount->setReadOnly(!editable);
}

void MiscNoteWindow::showPartyType() {
    lbl_PartyType->clear();
    if (party->key().isEmpty())
        return;
    guarded([&] { lbl_PartyType->setText(partyTypeOf(db(), party->key().toLongLong())); });
}

void MiscNoteWindow::showWords() {
    const Money m = amount();
    lbl_AmtWords->setText(m.isZero() ? QString() : AmountInWords(m) + QStringLiteral(" Rupees /-"));
}

}  // namespace tarvic
