#pragma once
// The two plain miscellaneous advice notes as one window: "ANCP08" credits a party with a free
// amount, "ANDP08" debits one. Neither is posted against a booking. A member is its code, its
// caption and the short name its messages use ("ANCP", "ANDP"); the side the amount goes on
// comes from the document kinds.
#include "shell/kit/DocumentWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

struct MiscNoteKind {
    QString code;   // ANCP08 or ANDP08
    QString title;  // the window's caption
    QString brief;  // ANCP or ANDP, as the messages say it
};

// The two members, credit note first.
const QList<MiscNoteKind>& miscNoteKinds();

class MiscNoteWindow : public DocumentWindow {
    Q_OBJECT
public:
    MiscNoteWindow(Session& session, QWidget* parent, const MiscNoteKind& kind);

    QLabel* lbl_PartyType = nullptr;
    QLineEdit* txt_Desc = nullptr;
    QLineEdit* txt_Amount = nullptr;
    QLabel* lbl_AmtWords = nullptr;

protected:
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns ownColumns() override;
    Money amount() const override;
    void clearOwn() override;
    void showOwn(const QSqlRecord& row) override;
    void setOwnEditable(bool editable) override;

private:
    void showPartyType();
    void showWords();

    MiscNoteKind kind_;
};

}  // namespace tarvic
