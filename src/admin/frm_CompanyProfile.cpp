#include "frm_CompanyProfile.h"

#include "engine/admin/CompanyProfile.h"
#include "engine/dues/DueBoard.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {
// The window's caption of each column, with its access key; names and codes are kept in upper case.
struct Caption {
    const char* column;
    const char* caption;
    bool upper;
};
const Caption kCaptions[] = {
    {"LOC_NAME", "COMPANY NA&ME", true},
    {"COMP_ADDRESS", "COMPANY &ADDRESS", false},
    {"ADD1", "CIT&Y NAME", true},
    {"STATE", "STAT&E NAME", true},
    {"COMP_PHONES", "P&HONE NOS", false},
    {"COMP_EMAIL", "E-MAI&L", false},
    {"COMP_WEB", "&WEB", false},
    {"COMP_GSTIN", "&GSTIN", true},
    {"JURISDICTION_CITY", "&JURISDICTION CITY", true},
    {"BANK_ACNAME", "A/C &NAME", false},
    {"BANK_ACNO", "A/C N&O", false},
    {"BANK_NAME", "&BANK NAME", false},
    {"BANK_BRANCH", "B&RANCH", false},
    {"BANK_IFSC", "IFS &CODE", true},
    {"PHOTO_PATH", "COMP &IMG URL", false},
};
constexpr int kLargestDueDays = 365;
}  // namespace

frm_CompanyProfile::frm_CompanyProfile(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_CompanyProfile"));
    setWindowTitle(QStringLiteral("COMPANY PROFILE"));

    lbl_Needed = new QLabel(this);
    lbl_Needed->setObjectName(QStringLiteral("lbl_Needed"));
    lbl_Needed->setWordWrap(true);
    lbl_Needed->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    body()->addWidget(lbl_Needed);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    int row = 0;
    for (const Caption& c : kCaptions) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txt_") + QLatin1String(c.column));
        edit->setMinimumWidth(340);
        bindColumn(edit, "MST_LOCATIONDETAILS", c.column);
        if (c.upper)
            attachFilter(edit, KeyFilter::Upper);
        letterhead.insert(QLatin1String(c.column), edit);
        auto* l = new QLabel(QLatin1String(c.caption), this);
        l->setBuddy(edit);
        form->addWidget(l, row, 0);
        form->addWidget(edit, row, 1);
        ++row;
    }
    txt_DueDays = new QLineEdit(this);
    txt_DueDays->setObjectName(QStringLiteral("txt_DueDays"));
    attachFilter(txt_DueDays, KeyFilter::Number);
    txt_DueDays->setValidator(new QIntValidator(0, kLargestDueDays, txt_DueDays));
    txt_DueDays->setMaxLength(3);
    txt_DueDays->setMaximumWidth(60);
    txt_DueDays->setToolTip(QStringLiteral("Days ahead the due board shows instalments, supplier dues and deadlines"));
    auto* dueCaption = new QLabel(QStringLiteral("&DUE DAYS AHEAD"), this);
    dueCaption->setBuddy(txt_DueDays);
    form->addWidget(dueCaption, row, 0);
    form->addWidget(txt_DueDays, row, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);
    const auto named = [this](const char* column, const char* name) {
        QLineEdit* e = letterhead.value(QLatin1String(column));
        e->setObjectName(QLatin1String(name));
        return e;
    };
    txt_CompName = named("LOC_NAME", "txt_CompName");
    txt_CityName = named("ADD1", "txt_CityName");
    txt_StateName = named("STATE", "txt_StateName");
    txt_ImgUrl = named("PHOTO_PATH", "txt_ImgUrl");
    txt_ImgUrl->setPlaceholderText(QStringLiteral("e.g. http://www.yourcompany.com/images"));
    txt_ImgUrl->setToolTip(QStringLiteral("The folder holding compname.jpg, e.g. http://www.yourcompany.com/images"));
    letterhead.value(QStringLiteral("JURISDICTION_CITY"))->setToolTip(QStringLiteral("Left empty: the city"));

    Cmd_Save = new QPushButton(QStringLiteral("&Save Record"), this);
    Cmd_Save->setObjectName(QStringLiteral("Cmd_Save"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Save);
    body()->addLayout(buttons);
    body()->addStretch(1);
    resize(660, 600);

    connect(Cmd_Save, &QPushButton::clicked, this, [this] { Save_Record(); });
    Show_Record();
}

void frm_CompanyProfile::showNeeded(const QStringList& unfilled) {
    lbl_Needed->setText(unfilled.isEmpty() ? QString()
                                           : QStringLiteral("PLEASE FILL IN %1 : THE PRINTED RECEIPTS, INVOICES AND "
                                                            "VOUCHERS CARRY THEM ....")
                                                 .arg(unfilled.join(QLatin1String(", "))));
    lbl_Needed->setVisible(!unfilled.isEmpty());
}

void frm_CompanyProfile::Show_Record() {
    CompanyProfile profile;
    int dueDays = kDefaultDueDays;
    guarded([&] {
        profile = CompanyProfile::read(db());
        dueDays = officeDueDays(db());
    });
    txt_DueDays->setText(QString::number(dueDays));
    for (const CompanyProfile::Field& f : CompanyProfile::fields()) {
        QLineEdit* e = letterhead.value(QLatin1String(f.column));
        const QString& v = profile.*f.member;
        // A placeholder is not a value: it is shown greyed, to be typed over.
        e->setText(isPlaceholder(v) ? QString() : v);
        e->setPlaceholderText(isPlaceholder(v) ? v : (e == txt_ImgUrl ? e->placeholderText() : QString()));
    }
    showNeeded(profile.unfilled());
}

void frm_CompanyProfile::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[this] { return txt_CompName->text().trimmed().isEmpty(); }, txt_CompName,
                     QStringLiteral("COMPANY NAME IS NECESSARY ....")},
                    {[this] { return txt_DueDays->text().trimmed().isEmpty(); }, txt_DueDays,
                     QStringLiteral("PLEASE ENTER DUE DAYS AHEAD ....")}}))
        return;
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE COMPANY PROFILE ...."), {}};
    if (!question.ask(prompter(), this))
        return;
    CompanyProfile profile;
    for (const CompanyProfile::Field& f : CompanyProfile::fields())
        profile.*f.member = letterhead.value(QLatin1String(f.column))->text().trimmed();
    if (!guarded([&] {
            profile.save(db());
            setOfficeDueDays(db(), txt_DueDays->text().trimmed().toInt());
        }))
        return;
    session().companyName = profile.name;
    prompter().information(this, QStringLiteral("UPDATION OF COMPANY PROFILE SUCCESSFULLY DONE ...."));
    Show_Record();
}

}  // namespace tarvic
