#pragma once
// "SEND BULK E-MAIL": one message to each address-book entry of the chosen business type,
// country, state and place ("%" for all), counted first. The body is an HTML file (its local
// pictures travel inline), a picture, or plain text. A progress dialog shows the totals and can
// stop the run; a failure stops it and names the recipient and how many were already sent.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class frm_SendBulkEmail : public TaskWindow {
    Q_OBJECT
public:
    frm_SendBulkEmail(Session& session, QWidget* parent);

    QComboBox* Cmb_BusinessType = nullptr;
    QComboBox* Cmb_Country = nullptr;
    QComboBox* Cmb_State = nullptr;
    QComboBox* Cmb_Place = nullptr;
    QLineEdit* txt_Subj = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLabel* lbl_HTMFile = nullptr;
    QPushButton* Cmd_SearchHTM = nullptr;
    QLineEdit* txt_FileURL = nullptr;
    QPushButton* Cmd_SearchImg = nullptr;
    QPlainTextEdit* txt_Body = nullptr;
    QLabel* lbl_Msg = nullptr;
    QPushButton* Cmd_Send = nullptr;

    void Send_Email();

private:
    void fill(QComboBox* list, const QString& sql, const QVariantList& values = {});
    void loadStates();
    void loadPlaces();
};

}  // namespace tarvic
