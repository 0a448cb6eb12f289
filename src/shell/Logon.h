#pragma once
// frm_logon: refuses a second running copy, shows the company, checks login name and
// password against MST_LOGINDETAILS, stamps the logon and fills the session values.
#include "shell/Session.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class Logon : public QWidget {
    Q_OBJECT
public:
    explicit Logon(Session& session, QWidget* parent = nullptr);

    // Tells whether another copy of the program already runs on this workstation; checked
    // first when the window loads. Without it no check is made.
    void setInstanceCheck(std::function<bool()> anotherCopyRunning) { anotherCopy_ = std::move(anotherCopyRunning); }

    // The window's load: refuses a second copy, reads the company name, then shows the
    // window with the focus on the login name. Returns false when the window closed instead.
    bool start();

    void Validate_UsrName();
    void Validate_Passwd();

    bool nameAccepted() const { return nameAccepted_; }
    bool passwordAccepted() const { return passwordAccepted_; }

signals:
    // The logon succeeded and the session values are filled: the main window should open.
    // The logon window closes itself right after.
    void loggedOn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildUi();
    // The embedded database holds every customer, amount and password hash, and the program
    // makes only its default folder private: when other users of the computer may read the
    // file the data source names, the logon says so, once a run, and goes on.
    void warnOfReadableDatabase();

    Session& session_;
    std::function<bool()> anotherCopy_;
    bool nameAccepted_ = false;
    bool passwordAccepted_ = false;
    bool databaseWarned_ = false;

    QLineEdit* txt_UsrName;
    QLineEdit* txt_Password;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Cmd_Login;
    QPushButton* Cmd_Cancel;
};

}  // namespace tarvic
