#include "frm_SendBulkEmail.h"

#include "data/Mailer.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/MailProgress.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

namespace tarvic {

namespace {

const QString kAll = QStringLiteral("%");

// The address book as the four selections narrow it. Outer joins: an entry without a state or
// place is still mailed when that selection is "%".
const QString kFrom = QStringLiteral(
    " FROM M_TBL_ADDRESSBOOK a "
    "LEFT JOIN M_TBL_PARTYTYPE b ON a.BUSINESS_TYPECODE=b.PARTYTYPE_CODE "
    "LEFT JOIN M_TBL_CSP_COUNTRY c ON a.COUNTRY_CODE=c.COUNTRY_CODE "
    "LEFT JOIN M_TBL_CSP_STATE d ON a.COUNTRY_CODE=d.COUNTRY_CODE AND a.STATE_CODE=d.STATE_CODE "
    "LEFT JOIN M_TBL_CSP_PLACE e ON a.COUNTRY_CODE=e.COUNTRY_CODE AND a.STATE_CODE=e.STATE_CODE "
    "AND a.PLACE_CODE=e.PLACE_CODE "
    "WHERE COALESCE(b.PARTY_TYPE,'') LIKE ? AND COALESCE(c.COUNTRY_NAME,'') LIKE ? "
    "AND COALESCE(d.STATE_NAME,'') LIKE ? AND COALESCE(e.PLACE_NAME,'') LIKE ? AND %1 > 0 ");

struct Recipient {
    QString name, address, country, state, place;
};

QString pictureType(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return QStringLiteral("image/png");
    if (suffix == QLatin1String("gif"))
        return QStringLiteral("image/gif");
    return QStringLiteral("image/jpeg");
}

// An HTML file's own pictures (local files beside it) go inside the message by Content-ID:
// the receiver's mail program cannot reach the sender's disk.
void inlinePictures(MailMessage& m, const QString& htmlFile) {
    static const QRegularExpression img(QStringLiteral("(<img\\b[^>]*\\bsrc\\s*=\\s*[\"'])([^\"']+)([\"'])"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QDir dir = QFileInfo(htmlFile).absoluteDir();
    QString out;
    qsizetype last = 0;
    for (auto it = img.globalMatch(m.html); it.hasNext();) {
        const auto match = it.next();
        const QString src = match.captured(2);
        const QUrl url(src);
        QString local;
        if (url.isLocalFile())
            local = url.toLocalFile();
        else if (url.scheme().size() <= 1)  // a path, relative or with a drive letter
            local = dir.absoluteFilePath(QString(src).replace(QLatin1Char('\\'), QLatin1Char('/')));
        QFile file(local);
        if (local.isEmpty() || !file.open(QIODevice::ReadOnly))
            continue;
        const QString id = QStringLiteral("picture%1").arg(m.pictures.size() + 1);
        m.pictures.append({file.readAll(), pictureType(local), id, QFileInfo(local).fileName()});
        out += m.html.mid(last, match.capturedStart(2) - last) + QStringLiteral("cid:") + id;
        last = match.capturedEnd(2);
    }
    m.html = out + m.html.mid(last);
}

}  // namespace

frm_SendBulkEmail::frm_SendBulkEmail(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_SendBulkEmail"));
    setWindowTitle(QStringLiteral("SEND BULK E-MAIL"));
    setTool(1, kCloseTip, [this] { close(); });

    auto named = [](auto* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    auto* form = new QGridLayout;
    int row = 0;
    auto add = [&](const char* caption, QWidget* field, QWidget* extra = nullptr) {
        auto* label = new QLabel(QLatin1String(caption), this);
        label->setBuddy(field);
        form->addWidget(label, row, 0);
        form->addWidget(field, row, 1);
        if (extra)
            form->addWidget(extra, row, 2);
        ++row;
    };
    Cmb_BusinessType = named(new QComboBox(this), "Cmb_BusinessType");
    Cmb_Country = named(new QComboBox(this), "Cmb_Country");
    Cmb_State = named(new QComboBox(this), "Cmb_State");
    Cmb_Place = named(new QComboBox(this), "Cmb_Place");
    txt_Subj = named(new QLineEdit(this), "txt_Subj");
    bindLength(txt_Subj, kSubjectLength);
    add("BUSINESS &TYPE", Cmb_BusinessType);
    add("&COUNTRY", Cmb_Country);
    add("ST&ATE", Cmb_State);
    add("P&LACE", Cmb_Place);
    add("S&UBJECT", txt_Subj);

    Option1 = named(new QRadioButton(QStringLiteral("HTML FILE"), this), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("IMAGE"), this), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("TEXT"), this), "Option3");
    auto* group = new QButtonGroup(this);
    for (QRadioButton* o : {Option1, Option2, Option3})
        group->addButton(o);
    Option3->setChecked(true);
    lbl_HTMFile = named(new QLabel(this), "lbl_HTMFile");
    lbl_HTMFile->setFrameShape(QFrame::Panel);
    lbl_HTMFile->setFrameShadow(QFrame::Sunken);
    lbl_HTMFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Cmd_SearchHTM = named(new QPushButton(QStringLiteral("SEARCH FILE"), this), "Cmd_SearchHTM");
    txt_FileURL = named(new QLineEdit(this), "txt_FileURL");
    bindLength(txt_FileURL, kPathLength);
    Cmd_SearchImg = named(new QPushButton(QStringLiteral("SEARCH FILE"), this), "Cmd_SearchImg");
    txt_Body = named(new QPlainTextEdit(this), "txt_Body");
    bindLength(txt_Body, kMailTextLength);
    form->addWidget(Option1, row, 0);
    form->addWidget(lbl_HTMFile, row, 1);
    form->addWidget(Cmd_SearchHTM, row++, 2);
    form->addWidget(Option2, row, 0);
    form->addWidget(txt_FileURL, row, 1);
    form->addWidget(Cmd_SearchImg, row++, 2);
    form->addWidget(Option3, row, 0, Qt::AlignTop);
    form->addWidget(txt_Body, row++, 1, 1, 2);
    form->setColumnStretch(1, 1);
    body()->addLayout(form, 1);

    lbl_Msg = named(new QLabel(this), "lbl_Msg");
    lbl_Msg->setMinimumHeight(110);
    lbl_Msg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_Msg->setStyleSheet(QStringLiteral("QLabel { color: navy; font-weight: bold; }"));
    body()->addWidget(lbl_Msg);
    Cmd_Send = named(new QPushButton(QStringLiteral("&SEND E-MAIL"), this), "Cmd_Send");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Send);
    body()->addLayout(buttons);

    // The open dialog picks the file; the chosen path is what is mailed.
    auto pick = [this](const QString& filter) {
        return prompter().askOpenPath(this, QStringLiteral("SEARCH FILE"), filter);
    };
    connect(Cmd_SearchHTM, &QPushButton::clicked, this, [this, pick] {
        if (const QString f = pick(QStringLiteral("HTML FILE (*.html)")); !f.isEmpty()) {
            lbl_HTMFile->setText(QDir::toNativeSeparators(f));
            Option1->setChecked(true);
        }
    });
    connect(Cmd_SearchImg, &QPushButton::clicked, this, [this, pick] {
        if (const QString f = pick(QStringLiteral("IMAGE FILE (*.jpg)")); !f.isEmpty()) {
            txt_FileURL->setText(QDir::toNativeSeparators(f));
            Option2->setChecked(true);
        }
    });
    connect(Cmd_Send, &QPushButton::clicked, this, [this] { Send_Email(); });
    connect(Cmb_Country, &QComboBox::currentIndexChanged, this, [this] { loadStates(); });
    connect(Cmb_State, &QComboBox::currentIndexChanged, this, [this] { loadPlaces(); });

    resize(720, 560);
    fill(Cmb_BusinessType, QStringLiteral(" SELECT PARTY_TYPE FROM M_TBL_PARTYTYPE  ORDER BY PARTY_TYPE "));
    fill(Cmb_Country, QStringLiteral("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY COUNTRY_NAME"));
}

void frm_SendBulkEmail::fill(QComboBox* list, const QString& sql, const QVariantList& values) {
    const QSignalBlocker block(list);
    list->clear();
    list->addItem(kAll);
    guarded([&] {
        QSqlQuery q = db().exec(sql, values);
        while (q.next())
            if (const QString name = q.value(0).toString().trimmed(); !name.isEmpty() && list->findText(name) < 0)
                list->addItem(name);
    });
    list->setCurrentIndex(0);
    if (list == Cmb_Country)
        loadStates();
    else if (list == Cmb_State)
        loadPlaces();
}

void frm_SendBulkEmail::loadStates() {
    fill(Cmb_State,
         QStringLiteral("SELECT d.STATE_NAME FROM M_TBL_CSP_STATE d JOIN M_TBL_CSP_COUNTRY c "
                        "ON c.COUNTRY_CODE=d.COUNTRY_CODE WHERE c.COUNTRY_NAME LIKE ? ORDER BY d.STATE_NAME"),
         {Cmb_Country->currentText()});
}

void frm_SendBulkEmail::loadPlaces() {
    fill(Cmb_Place,
         QStringLiteral("SELECT e.PLACE_NAME FROM M_TBL_CSP_PLACE e "
                        "JOIN M_TBL_CSP_STATE d ON d.COUNTRY_CODE=e.COUNTRY_CODE AND d.STATE_CODE=e.STATE_CODE "
                        "JOIN M_TBL_CSP_COUNTRY c ON c.COUNTRY_CODE=e.COUNTRY_CODE "
                        "WHERE c.COUNTRY_NAME LIKE ? AND d.STATE_NAME LIKE ? ORDER BY e.PLACE_NAME"),
         {Cmb_Country->currentText(), Cmb_State->currentText()});
}

void frm_SendBulkEmail::Send_Email() {
    const std::optional<MailSettings> settings = readMailSettings(*this);
    if (!settings)
        return;
    // The one body every recipient receives.
    MailMessage message;
    message.subject = txt_Subj->text().trimmed();
    if (Option1->isChecked()) {
        const QString path = QDir::fromNativeSeparators(lbl_HTMFile->text().trimmed());
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            prompter().information(this, QStringLiteral("PLEASE SELECT HTML FILE ....."));
            return;
        }
        message.html = QString::fromUtf8(file.readAll());
        inlinePictures(message, path);
    } else if (Option2->isChecked()) {
        const QString path = QDir::fromNativeSeparators(txt_FileURL->text().trimmed());
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            prompter().information(this, QStringLiteral("PLEASE SELECT IMAGE FILE ....."));
            return;
        }
        message.html = QStringLiteral("<html><img width=\"100%\" src=\"cid:myimage.jpg\"></html>");
        message.pictures = {
            {file.readAll(), pictureType(path), QStringLiteral("myimage.jpg"), QFileInfo(path).fileName()}};
    } else {
        message.text = txt_Body->toPlainText().trimmed();
    }

    lbl_Msg->setText(QStringLiteral(" FETCHING DATA FROM ADDRESS BOOK ....."));
    const QVariantList selections{Cmb_BusinessType->currentText(), Cmb_Country->currentText(), Cmb_State->currentText(),
                                  Cmb_Place->currentText()};
    const QString from = kFrom.arg(db().dialect().textLength(QStringLiteral("a.EMAIL_ADDRESS")));
    qint64 total = 0;
    QList<Recipient> recipients;
    if (!guarded([&] {
            total = db().scalar(QStringLiteral(" SELECT COALESCE(COUNT(*),0) AS TOTL_REC ") + from, selections)
                        .toLongLong();
            if (total == 0)
                return;
            QSqlQuery q = db().exec(QStringLiteral("SELECT a.BUSINESS_NAME, a.EMAIL_ADDRESS, c.COUNTRY_NAME, "
                                                   "d.STATE_NAME, e.PLACE_NAME") +
                                        from +
                                        QStringLiteral(" ORDER BY b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, "
                                                       "e.PLACE_NAME,  a.BUSINESS_NAME "),
                                    selections);
            while (q.next())
                recipients.append({q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                                   q.value(2).toString().trimmed(), q.value(3).toString().trimmed(),
                                   q.value(4).toString().trimmed()});
        })) {
        lbl_Msg->clear();
        return;
    }
    if (recipients.isEmpty()) {
        prompter().information(this, QStringLiteral("SORRY NO RECORDS FOUND ...."));
        lbl_Msg->clear();
        return;
    }
    total = recipients.size();

    const Mailer mailer(*settings);
    MailProgress progress(this, int(total));
    int sent = 0;
    for (int i = 0; i < total; ++i) {
        const Recipient& r = recipients[i];
        const QString status =
            QStringLiteral(
                "Sending Email To ..... \n BUSINESS NAME : %1\n E-MAIL : %2\n COUNTRY / STATE / PLACE : "
                "%3, %4, %5\n TOTAL RECORDS : %6\n CURRENT RECORD : %7\n RECORDS LEFT : %8")
                .arg(r.name, r.address, r.country, r.state, r.place)
                .arg(total)
                .arg(i + 1)
                .arg(total - i - 1);
        lbl_Msg->setText(status);
        if (!progress.step(i, status)) {
            lbl_Msg->clear();
            prompter().information(
                this, QStringLiteral("SENDING STOPPED ....\n E-MAIL SENT : %1 OF %2").arg(sent).arg(total));
            return;
        }
        if (r.address.trimmed().isEmpty())
            continue;  // nothing to send to
        message.to = {r.address};
        try {
            mailer.send(message);
        } catch (const MailError& e) {
            progress.cancel();
            lbl_Msg->clear();
            prompter().information(this, QStringLiteral("UNABLE TO SEND E-MAIL TO : %1 ( %2 )\n%3\n E-MAIL SENT : %4 "
                                                        "OF %5")
                                             .arg(r.name, r.address, e.message())
                                             .arg(sent)
                                             .arg(total));
            return;
        }
        ++sent;
    }
    progress.setValue(int(total));
    prompter().information(this, QStringLiteral("Email Successfully Sent ...."));
}

}  // namespace tarvic
