#include "frm_CompanyProfile.h"

#include "data/RowWriter.h"
#include "shell/kit/Checks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {
// The company row is the first the table gives, as at logon.
const QString kSelect = QStringLiteral(" SELECT * FROM MST_LOCATIONDETAILS ");

// The printed vouchers' site data: column, caption, longest text.
struct LetterheadField {
    const char* column;
    const char* caption;
};
const LetterheadField kLetterhead[] = {
    {"COMP_ADDRESS", "COMPANY &ADDRESS"},
    {"COMP_PHONES", "P&HONE NOS"},
    {"COMP_EMAIL", "&E-MAIL"},
    {"COMP_WEB", "&WEB"},
    {"COMP_GSTIN", "&GSTIN"},
    {"JURISDICTION_CITY", "&JURISDICTION CITY"},
    {"BANK_ACNAME", "A/C &NAME"},
    {"BANK_ACNO", "A/C N&O"},
    {"BANK_NAME", "&BANK NAME"},
    {"BANK_BRANCH", "B&RANCH"},
    {"BANK_IFSC", "IFS &CODE"},
};

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(340);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
}  // namespace

frm_CompanyProfile::frm_CompanyProfile(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_CompanyProfile"));
    setWindowTitle(QStringLiteral("COMPANY PROFILE"));

    lbl_CompName = valueLabel(this, "lbl_CompName");
    lbl_CityName = valueLabel(this, "lbl_CityName");
    lbl_StateName = valueLabel(this, "lbl_StateName");
    txt_ImgUrl = new QLineEdit(this);
    txt_ImgUrl->setObjectName(QStringLiteral("txt_ImgUrl"));
    bindColumn(txt_ImgUrl, "MST_LOCATIONDETAILS", "PHOTO_PATH");
    txt_ImgUrl->setPlaceholderText(QStringLiteral("e.g. http://www.yourcompany.com/images"));
    txt_ImgUrl->setToolTip(QStringLiteral("The folder holding compname.jpg, e.g. http://www.yourcompany.com/images"));

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    int row = 0;
    const QList<std::pair<const char*, QWidget*>> rows{
        {"COMPANY NAME", lbl_CompName}, {"CITY NAME", lbl_CityName}, {"STATE NAME", lbl_StateName}, {"COMP &IMG URL", txt_ImgUrl}};
    for (const auto& [caption, field] : rows) {
        auto* l = new QLabel(QLatin1String(caption), this);
        l->setBuddy(field);
        form->addWidget(l, row, 0);
        form->addWidget(field, row, 1);
        ++row;
    }
    for (const LetterheadField& f : kLetterhead) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txt_") + QLatin1String(f.column));
        bindColumn(edit, "MST_LOCATIONDETAILS", f.column);
        letterhead.insert(QLatin1String(f.column), edit);
        auto* l = new QLabel(QLatin1String(f.caption), this);
        l->setBuddy(edit);
        form->addWidget(l, row, 0);
        form->addWidget(edit, row, 1);
        ++row;
    }
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Cmd_Save = new QPushButton(QStringLiteral("&Save Record"), this);
    Cmd_Save->setObjectName(QStringLiteral("Cmd_Save"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Save);
    body()->addLayout(buttons);
    body()->addStretch(1);
    resize(640, 470);

    connect(Cmd_Save, &QPushButton::clicked, this, [this] { Save_Record(); });
    Show_Record();
}

void frm_CompanyProfile::Show_Record() {
    lbl_CompName->clear();
    lbl_CityName->clear();
    lbl_StateName->clear();
    txt_ImgUrl->clear();
    for (QLineEdit* e : std::as_const(letterhead))
        e->clear();
    guarded([&] {
        if (auto r = db().firstRow(kSelect)) {
            lbl_CompName->setText(r->value(QStringLiteral("LOC_NAME")).toString().trimmed());
            lbl_CityName->setText(r->value(QStringLiteral("ADD1")).toString().trimmed());
            lbl_StateName->setText(r->value(QStringLiteral("STATE")).toString().trimmed());
            txt_ImgUrl->setText(r->value(QStringLiteral("PHOTO_PATH")).toString().trimmed());
            for (auto it = letterhead.cbegin(); it != letterhead.cend(); ++it)
                it.value()->setText(r->value(it.key()).toString().trimmed());
        }
    });
}

void frm_CompanyProfile::Save_Record() {
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE COMPANY PROFILE ...."), {}};
    if (!question.ask(prompter(), this))
        return;
    Columns columns{{QStringLiteral("PHOTO_PATH"), txt_ImgUrl->text().trimmed()}};
    for (const LetterheadField& f : kLetterhead)
        columns.emplace_back(QLatin1String(f.column), letterhead.value(QLatin1String(f.column))->text().trimmed());
    const bool saved = guarded([&] {
        // One row only: the first is updated, a row is added only to an empty table.
        db().transact([&] {
            const auto r = db().firstRow(kSelect);
            const QVariant id = r ? r->value(QStringLiteral("LOC_ID")) : QVariant(1);
            RowWriter(db(), session().userFullName)
                .write(QStringLiteral("MST_LOCATIONDETAILS"), {{QStringLiteral("LOC_ID"), id}}, columns, !r,
                       RowWriter::Audit::None);
        });
    });
    if (!saved)
        return;
    prompter().information(this, QStringLiteral("UPDATION OF COMPANY PROFILE SUCCESSFULLY DONE ...."));
    Show_Record();
}

}  // namespace tarvic
