#include "Logon.h"

#include "data/Passwords.h"
#include "data/PrivateFiles.h"
#include "engine/admin/Logins.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/ColumnBinding.h"
#include "shell/kit/Guard.h"
#include "shell/kit/KeyFilters.h"

#include <QApplication>
#include <QDate>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>

#include <cstdio>

namespace tarvic {

namespace {

void logError(const char* where, const DbError& e) {
    std::fprintf(stderr, "tarvic: %s: %s\n", where, e.message().toLocal8Bit().constData());
}

}  // namespace

Logon::Logon(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("frm_logon"));
    setAttribute(Qt::WA_QuitOnClose, true);
    buildUi();
}

void Logon::buildUi() {
    setWindowTitle(QStringLiteral("TARVIC - LOGON"));

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setMinimumHeight(54);
    Label3->setWordWrap(true);
    QFont companyFont = Label3->font();
    companyFont.setBold(true);
    companyFont.setPointSizeF(companyFont.pointSizeF() * 1.5);
    Label3->setFont(companyFont);
    Label3->setAutoFillBackground(true);
    QPalette banner = Label3->palette();
    banner.setColor(QPalette::Window, QColor(28, 78, 140));
    banner.setColor(QPalette::WindowText, Qt::white);
    Label3->setPalette(banner);

    auto* nameLabel = new QLabel(QStringLiteral("&Login Name"), this);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    txt_UsrName = new QLineEdit(this);
    txt_UsrName->setObjectName(QStringLiteral("txt_UsrName"));
    bindColumn(session_, txt_UsrName, "MST_LOGINDETAILS", "USER_NAME");
    nameLabel->setBuddy(txt_UsrName);
    // Login names are kept in upper case, typed or pasted, by the same rule as every field.
    attachFilter(txt_UsrName, KeyFilter::Upper);

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    QFont nameFont = Label4->font();
    nameFont.setBold(true);
    Label4->setFont(nameFont);
    Label4->setStyleSheet(QStringLiteral("color: rgb(0, 70, 140);"));
    Label4->setFixedHeight(Label4->fontMetrics().height() + 4);

    auto* passwordLabel = new QLabel(QStringLiteral("&Password"), this);
    passwordLabel->setObjectName(QStringLiteral("Label2"));
    txt_Password = new QLineEdit(this);
    txt_Password->setObjectName(QStringLiteral("txt_Password"));
    txt_Password->setEchoMode(QLineEdit::Password);
    bindLength(session_, txt_Password, kPasswordLength);
    passwordLabel->setBuddy(txt_Password);

    Cmd_Login = new QPushButton(QStringLiteral("LOG&IN"), this);
    Cmd_Login->setObjectName(QStringLiteral("Cmd_Login"));
    Cmd_Cancel = new QPushButton(QStringLiteral("&CANCEL OR ABORT"), this);
    Cmd_Cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
    connect(Cmd_Login, &QPushButton::clicked, this, &Logon::Validate_Passwd);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 16);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label3, 0, 0, 1, 4);
    grid->setRowMinimumHeight(1, 6);
    grid->addWidget(nameLabel, 2, 1);
    grid->addWidget(txt_UsrName, 2, 2);
    grid->addWidget(Label4, 3, 2);
    grid->addWidget(passwordLabel, 4, 1);
    grid->addWidget(txt_Password, 4, 2);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    Cmd_Login->setMinimumWidth(90);
    buttons->addWidget(Cmd_Login);
    buttons->addWidget(Cmd_Cancel);
    grid->addLayout(buttons, 6, 1, 1, 2);
    grid->setRowMinimumHeight(5, 6);
    grid->setRowStretch(7, 1);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(2, 1);

    setTabOrder(txt_UsrName, txt_Password);
    setTabOrder(txt_Password, Cmd_Login);
    setTabOrder(Cmd_Login, Cmd_Cancel);
    for (QWidget* w : {static_cast<QWidget*>(txt_UsrName), static_cast<QWidget*>(txt_Password),
                       static_cast<QWidget*>(Cmd_Login), static_cast<QWidget*>(Cmd_Cancel)})
        w->installEventFilter(this);

    // An edited name is no longer the accepted one: its full name no longer applies.
    connect(txt_UsrName, &QLineEdit::textEdited, this, [this] {
        nameAccepted_ = false;
        Label4->clear();
    });

    setFixedSize(440, 208);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool Logon::start() {
    nameAccepted_ = false;
    passwordAccepted_ = false;
    if (anotherCopy_ && anotherCopy_()) {
        session_.prompter->information(nullptr, QStringLiteral("Program is already running."));
        close();
        return false;
    }
    try {
        if (auto row = session_.db->firstRow(QStringLiteral("SELECT * FROM MST_LOCATIONDETAILS"))) {
            session_.companyName = row->value(QStringLiteral("LOC_NAME")).toString().trimmed();
            Label3->setText(session_.companyName);
        }
    } catch (const DbError& e) {
        logError("reading the company", e);
        session_.prompter->information(nullptr, QStringLiteral("Cannot Establish a Connection"));
        close();
        return false;
    }
    show();
    raise();
    activateWindow();
    txt_UsrName->setFocus();
    return true;
}

void Logon::Validate_UsrName() {
    const QString name = txt_UsrName->text().trimmed();
    if (name.isEmpty()) {
        session_.prompter->information(this, QStringLiteral("Username is necessary ...."));
        txt_UsrName->setFocus();
        return;
    }
    BusyCursor busy;
    std::optional<QSqlRecord> row;
    if (!runGuarded(*session_.prompter, this, [&] {
            row = session_.db->firstRow(QStringLiteral("SELECT * FROM MST_LOGINDETAILS WHERE USER_NAME=?"), {name});
        })) {
        busy.release();
        txt_UsrName->setFocus();
        return;
    }
    if (!row) {
        busy.release();
        session_.prompter->critical(this, QStringLiteral("Invalid Username ......."));
        nameAccepted_ = false;
        Label4->clear();
        txt_UsrName->setFocus();
        return;
    }
    Label4->setText(row->value(QStringLiteral("FULL_NAME")).toString());
    nameAccepted_ = true;
}

void Logon::Validate_Passwd() {
    const QString name = txt_UsrName->text().trimmed();
    if (name.isEmpty()) {
        session_.prompter->information(this, QStringLiteral("Username is necessary ...."));
        txt_UsrName->setFocus();
        return;
    }
    // The emptiness check trims; the password itself is compared exactly as typed.
    const QString typed = txt_Password->text();
    if (typed.trimmed().isEmpty()) {
        session_.prompter->information(this, QStringLiteral("Password is necessary ...."));
        txt_Password->setFocus();
        return;
    }
    BusyCursor busy;
    std::optional<QSqlRecord> match;
    Passwords::Match how = Passwords::Match::No;
    // Selected by name only: the stored form is a salted hash (or the old transform), so it is
    // checked here rather than compared in SQL.
    if (!runGuarded(*session_.prompter, this, [&] {
            QSqlQuery q = session_.db->exec(QStringLiteral(" SELECT * FROM  MST_LOGINDETAILS  WHERE USER_NAME=?"), {name});
            while (q.next()) {
                how = Passwords::verify(typed, q.value(QStringLiteral("USER_PASSWORD")).toString());
                if (how != Passwords::Match::No) {
                    match = q.record();
                    break;
                }
            }
        })) {
        busy.release();
        txt_Password->setFocus();
        return;
    }
    if (!match) {
        busy.release();
        session_.prompter->critical(this, QStringLiteral("Invalid Password ......."));
        passwordAccepted_ = false;
        txt_Password->setFocus();
        return;
    }

    const QVariant loginId = match->value(QStringLiteral("LOGIN_ID"));
    try {
        // A password kept in the old reversible form is re-stored as a hash at once.
        logins::stampLogon(*session_.db, loginId.toLongLong(),
                           how == Passwords::Match::YesLegacy ? std::optional<QString>(Passwords::hash(typed))
                                                              : std::nullopt);
    } catch (const DbError& e) {
        // The stamp is a record of the logon, not a condition of it.
        logError("stamping the logon", e);
    }
    session_.loginId = loginId.toLongLong();
    session_.userFullName = match->value(QStringLiteral("FULL_NAME")).toString();
    session_.consultantCode = match->value(QStringLiteral("CONSULTANT_CODE")).toString().trimmed().toInt();
    passwordAccepted_ = true;
    busy.release();
    warnOfReadableDatabase();
    emit loggedOn();
    close();
}

void Logon::warnOfReadableDatabase() {
    if (databaseWarned_)
        return;
    databaseWarned_ = true;
    QString file;
    try {
        file = databaseFile(*session_.db);
    } catch (const DbError& e) {
        logError("reading the database file's name", e);
        return;
    }
    if (file.isEmpty() || !othersMayRead(file))
        return;
    session_.prompter->information(this,
                                   QStringLiteral("THE DATABASE FILE CAN BE READ BY OTHER USERS OF THIS COMPUTER :\n"
                                                  "%1\n"
                                                  "PLEASE LET ONLY ITS OWNER READ IT (chmod 600) ....")
                                       .arg(file));
}

bool Logon::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == txt_Password && !nameAccepted_) {
            // The password waits until the name has been accepted. Tab (or a click) checks the
            // name as Enter does: silently sent back, a user types the password into the name
            // field, in clear on the screen.
            txt_UsrName->setFocus(Qt::OtherFocusReason);
            if (!txt_UsrName->text().trimmed().isEmpty())
                QTimer::singleShot(0, this, [this] {
                    if (nameAccepted_ || !txt_UsrName->hasFocus())
                        return;
                    Validate_UsrName();
                    if (nameAccepted_)
                        txt_Password->setFocus(Qt::TabFocusReason);
                });
            return true;
        }
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == txt_UsrName) {
                Validate_UsrName();
                if (nameAccepted_)
                    txt_Password->setFocus(Qt::TabFocusReason);
            } else if (watched == txt_Password) {
                // One Enter after the password logs on, as LOGIN would.
                Validate_Passwd();
            } else if (auto* button = qobject_cast<QPushButton*>(watched)) {
                button->click();
            } else {
                focusNextChild();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Logon::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tarvic
