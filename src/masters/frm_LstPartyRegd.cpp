#include "frm_LstPartyRegd.h"

#include "masters/PartyWindows.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tarvic {

frm_LstPartyRegd::frm_LstPartyRegd(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_LstPartyRegd"));
    setWindowTitle(QStringLiteral("LIST OF PARTY REGISTRATION BETWEEN DATES"));
    setTool(1, kCloseTip, [this] { close(); });

    auto date = [this](const QString& name) {
        auto* d = new QDateEdit(QDate::currentDate(), this);
        d->setObjectName(name);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setCalendarPopup(true);
        return d;
    };
    auto pattern = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(100);
        attachFilter(e, KeyFilter::Upper);
        return e;
    };
    txt_FromDate = date(QStringLiteral("txt_FromDate"));
    txt_ToDate = date(QStringLiteral("txt_ToDate"));
    Cmb_PartyType = new QComboBox(this);
    Cmb_PartyType->setObjectName(QStringLiteral("Cmb_PartyType"));
    Cmb_PartyType->setMinimumWidth(180);
    txt_Country = pattern(QStringLiteral("txt_Country"));
    txt_State = pattern(QStringLiteral("txt_State"));
    txt_Place = pattern(QStringLiteral("txt_Place"));
    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    Cmd_Export = new QPushButton(QStringLiteral("E&XPORT"), this);
    Cmd_Export->setObjectName(QStringLiteral("Cmd_Export"));

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    auto add = [&](int row, int col, const QString& caption, QWidget* field) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(field);
        form->addWidget(l, row, col * 2);
        form->addWidget(field, row, col * 2 + 1);
    };
    add(0, 0, QStringLiteral("&FROM DATE"), txt_FromDate);
    add(0, 1, QStringLiteral("&TO DATE"), txt_ToDate);
    add(0, 2, QStringLiteral("PARTY T&YPE"), Cmb_PartyType);
    add(1, 0, QStringLiteral("C&OUNTRY"), txt_Country);
    add(1, 1, QStringLiteral("ST&ATE"), txt_State);
    add(1, 2, QStringLiteral("P&LACE"), txt_Place);
    form->addWidget(Cmd_Show, 0, 6);
    form->addWidget(Cmd_Export, 1, 6);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid2 = new QTableWidget(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Grid2->setMaximumHeight(160);
    Grid2->setMaximumWidth(520);
    body()->addWidget(Grid1, 1);
    body()->addWidget(Grid2);
    resize(1100, 620);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] {
        Load_Grid1();
        Load_Grid2();
    });
    connect(Cmd_Export, &QPushButton::clicked, this, [this] { Exp_Xls(); });

    Load_PartyType();
    Load_EmptyGrid1();
    Load_EmptyGrid2();
}

void frm_LstPartyRegd::Load_PartyType() {
    Cmb_PartyType->clear();
    Cmb_PartyType->addItem(QString());
    try {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_PARTYTYPE ORDER BY PARTY_TYPE"));
        while (q.next())
            Cmb_PartyType->addItem(q.value(QStringLiteral("PARTY_TYPE")).toString().trimmed());
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_LstPartyRegd::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("CODE"), 900, Qt::AlignRight},
                           {QStringLiteral("PARTY TYPE"), 1800},
                           {QStringLiteral("PARTY NAME"), 4000},
                           {QStringLiteral("CONT PERSON"), 2500},
                           {QStringLiteral("MOBILE NOS"), 2000},
                           {QStringLiteral("EMAIL ADD"), 2800},
                           {QStringLiteral("PLACE"), 1800},
                           {QStringLiteral("STATE"), 1800},
                           {QStringLiteral("COUNTRY"), 1500},
                           {QStringLiteral("CREATED BY-ON"), 3200},
                           {QStringLiteral("UPDATE BY-ON"), 3200}});
}

void frm_LstPartyRegd::Load_EmptyGrid2() {
    Load_EmptyGrid(Grid2, {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                           {QStringLiteral("PARTY TYPE"), 3000},
                           {QStringLiteral("TOTAL NOS"), 1400, Qt::AlignRight}});
}

QString frm_LstPartyRegd::filter(QVariantList* values) const {
    // The to-date counts whole: a party registered at any moment of that day is listed.
    // Both bounds at the day's start would leave out everything registered on the to-date.
    QString sql = QStringLiteral("(a.CREATED_ON >= ? AND a.CREATED_ON < ?)");
    *values = {QDateTime(txt_FromDate->date(), QTime(0, 0)), QDateTime(txt_ToDate->date().addDays(1), QTime(0, 0))};
    const QString type = Cmb_PartyType->currentText().trimmed();
    if (!type.isEmpty()) {
        sql += QStringLiteral(" AND b.PARTY_TYPE=?");
        *values << type;
    }
    auto like = [&](QLineEdit* field, const char* column) {
        const QString text = field->text().trimmed();
        if (text.isEmpty())
            return;
        sql += QStringLiteral(" AND %1 LIKE ?").arg(QLatin1String(column));
        *values << text;
    };
    like(txt_Country, "c.COUNTRY_NAME");
    like(txt_State, "d.STATE_NAME");
    like(txt_Place, "e.PLACE_NAME");
    return sql;
}

void frm_LstPartyRegd::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    QVariantList values;
    const QString sql = party::joinWhere(filter(&values)) +
                        QStringLiteral(" ORDER BY b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME");
    try {
        QSqlQuery q = db().exec(sql, values);
        auto t = [&q](const char* column) { return q.value(QLatin1String(column)).toString().trimmed(); };
        while (q.next()) {
            addGridRow(Grid1, {t("PARTY_CODE"), t("PARTY_TYPE"), t("PARTY_NAME"), t("PERSON_NAME"), t("MOBILE_NOS"),
                               t("EMAIL_ADD"), t("PLACE_NAME"), t("STATE_NAME"), t("COUNTRY_NAME"),
                               party::byOnText(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                               party::byOnText(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
        }
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_LstPartyRegd::Load_Grid2() {
    BusyCursor busy;
    Load_EmptyGrid2();
    QVariantList values;
    const QString sql =
        party::joinSelect(QStringLiteral("b.PARTY_TYPE, COALESCE(COUNT(b.PARTY_TYPE),0) AS TOTL_NOS"), filter(&values)) +
        QStringLiteral(" GROUP BY b.PARTY_TYPE ORDER BY b.PARTY_TYPE");
    try {
        QSqlQuery q = db().exec(sql, values);
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid2, {QString::number(++sl), q.value(QStringLiteral("PARTY_TYPE")).toString().trimmed(),
                               QString::number(q.value(QStringLiteral("TOTL_NOS")).toLongLong())});
        }
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_LstPartyRegd::Exp_Xls() { tarvic::Exp_Xls(this, Grid1->model(), prompter()); }

}  // namespace tarvic
