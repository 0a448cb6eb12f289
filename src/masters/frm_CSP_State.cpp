#include "frm_CSP_State.h"

#include "data/Numbering.h"
#include "masters/GeographyLists.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, Name, TaxCode, Code, Def, CreatedByOn, UpdateByOn };

QLabel* shownLabel(QWidget* parent, const QString& name, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(width);
    return l;
}
}  // namespace

frm_CSP_State::frm_CSP_State(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_CSP_State"));
    setWindowTitle(QStringLiteral("STATE MAINTNE"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    Cmb_Country = makeNameList(this, QStringLiteral("Cmb_Country"));
    lbl_CountryCode = new QLabel(this);
    lbl_CountryCode->setObjectName(QStringLiteral("lbl_CountryCode"));
    lbl_CountryCode->setVisible(false);
    lbl_Code = shownLabel(this, QStringLiteral("lbl_Code"), 100);
    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    txt_Name->setMaxLength(100);
    txt_StateCode = new QLineEdit(this);
    txt_StateCode->setObjectName(QStringLiteral("txt_StateCode"));
    txt_StateCode->setMaxLength(10);
    attachFilter(txt_StateCode, KeyFilter::Upper);
    Cmb_Def = new QComboBox(this);
    Cmb_Def->setObjectName(QStringLiteral("Cmb_Def"));
    Cmb_Def->addItems({QStringLiteral("N"), QStringLiteral("Y")});
    lbl_CreatedByOn = shownLabel(this, QStringLiteral("lbl_CreatedByOn"), 260);
    lbl_UpdateByOn = shownLabel(this, QStringLiteral("lbl_UpdateByOn"), 260);

    auto* form = new QGridLayout;
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    form->addWidget(label(QStringLiteral("SELECT &COUNTRY"), Cmb_Country), 0, 0);
    form->addWidget(Cmb_Country, 0, 1);
    form->addWidget(lbl_CountryCode, 0, 2);
    form->addWidget(label(QStringLiteral("STATE CODE"), nullptr), 1, 0);
    form->addWidget(lbl_Code, 1, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("STATE &NAME"), txt_Name), 2, 0);
    form->addWidget(txt_Name, 2, 1);
    form->addWidget(label(QStringLiteral("&TAX STATE CODE"), txt_StateCode), 3, 0);
    form->addWidget(txt_StateCode, 3, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("D&EFAULT (Y/N)"), Cmb_Def), 4, 0);
    form->addWidget(Cmb_Def, 4, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("CREATED BY - ON"), nullptr), 5, 0);
    form->addWidget(lbl_CreatedByOn, 5, 1);
    form->addWidget(label(QStringLiteral("UPDATE BY - ON"), nullptr), 6, 0);
    form->addWidget(lbl_UpdateByOn, 6, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(label(QStringLiteral("&Detailed List"), Grid1));
    body()->addWidget(Grid1, 1);
    resize(900, 560);

    connect(Grid1, &QTableWidget::cellClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    // Typed or chosen, the name is looked up as it changes.
    connect(Cmb_Country, &QComboBox::currentTextChanged, this, [this] { countryChosen(); });

    Load_Country();
    Load_EmptyGrid1();
    Load_Init();
}

void frm_CSP_State::Load_Country() {
    try {
        fillNameList(db(), Cmb_Country, QStringLiteral("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY COUNTRY_NAME"));
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_State::countryChosen() {
    try {
        lbl_CountryCode->setText(codeOf(db(), QStringLiteral("SELECT * FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME=?"),
                                        {Cmb_Country->currentText()}, QStringLiteral("COUNTRY_CODE")));
    } catch (const DbError& e) {
        lbl_CountryCode->clear();
        prompter().information(this, e.message());
    }
    // A state loaded under another country is not carried over: it would be saved under the
    // new country with the old code, as a second row of the same state code.
    lbl_Code->clear();
    lbl_CreatedByOn->clear();
    lbl_UpdateByOn->clear();
    Load_Grid1();
}

void frm_CSP_State::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                           {QStringLiteral("STATE NAME"), 3000},
                           {QStringLiteral("STATE CODE2"), 1400},
                           {QStringLiteral("STATE CODE"), 1200, Qt::AlignRight},
                           {QStringLiteral("DEF"), 600},
                           {QStringLiteral("CREATED BY - ON"), 3200},
                           {QStringLiteral("UPDATE BY - ON"), 3200}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_CSP_State::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    const QString country = lbl_CountryCode->text().trimmed();
    if (country.isEmpty())
        return;
    try {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=? ORDER BY STATE_NAME"),
                                {country.toLongLong()});
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("STATE_NAME")).toString().trimmed(),
                               q.value(QStringLiteral("STATE_CODE2")).toString().trimmed(),
                               QString::number(q.value(QStringLiteral("STATE_CODE")).toLongLong()),
                               q.value(QStringLiteral("STATE_DEF")).toString().trimmed(),
                               byOn(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                               byOn(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
        }
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_State::clearEntry() {
    lbl_Code->clear();
    txt_Name->clear();
    txt_StateCode->clear();
    Cmb_Def->setCurrentIndex(0);
    lbl_CreatedByOn->clear();
    lbl_UpdateByOn->clear();
}

void frm_CSP_State::Load_Init() {
    clearEntry();
    // Countries added meanwhile in the country window join the list; the choice stays.
    Load_Country();
    Cmb_Country->setFocus(Qt::OtherFocusReason);
}

void frm_CSP_State::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    const qint64 state = gridText(Grid1, row, Code).toLongLong();
    const qint64 country = lbl_CountryCode->text().toLongLong();
    try {
        const auto rec = db().firstRow(
            QStringLiteral("SELECT a.*, b.COUNTRY_NAME FROM M_TBL_CSP_STATE a, M_TBL_CSP_COUNTRY b WHERE a.COUNTRY_CODE=? "
                           "AND a.STATE_CODE=? AND a.COUNTRY_CODE=b.COUNTRY_CODE"),
            {country, state});
        if (!rec)
            return;
        {
            // Same country: no lookup and no reload of the grid being clicked.
            QSignalBlocker block(Cmb_Country);
            Cmb_Country->setEditText(rec->value(QStringLiteral("COUNTRY_NAME")).toString().trimmed());
        }
        lbl_Code->setText(QString::number(rec->value(QStringLiteral("STATE_CODE")).toLongLong()));
        txt_Name->setText(rec->value(QStringLiteral("STATE_NAME")).toString().trimmed());
        txt_StateCode->setText(rec->value(QStringLiteral("STATE_CODE2")).toString().trimmed());
        Cmb_Def->setCurrentIndex(rec->value(QStringLiteral("STATE_DEF")).toString().trimmed() == QLatin1String("Y") ? 1 : 0);
        lbl_CreatedByOn->setText(byOn(rec->value(QStringLiteral("CREATED_BY")), rec->value(QStringLiteral("CREATED_ON"))));
        lbl_UpdateByOn->setText(byOn(rec->value(QStringLiteral("UPDATE_BY")), rec->value(QStringLiteral("UPDATE_ON"))));
        txt_Name->setFocus(Qt::OtherFocusReason);
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_State::Save_Record() {
    const bool ok = runChecks(prompter(), this, {
        {[this] { return lbl_CountryCode->text().trimmed().isEmpty(); }, Cmb_Country,
         QStringLiteral("PLEASE COUNTRY PROPERLY FROM LIST ....")},
        {[this] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name,
         QStringLiteral("PLEASE ENTER STATE PROPERLY ....")},
    });
    if (!ok)
        return;
    const QString name = txt_Name->text().trimmed();
    const QString taxCode = upperAscii(txt_StateCode->text().trimmed());
    const QString def = Cmb_Def->currentText();
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE STATE ...."),
                                {{QStringLiteral(" COUNTRY :"), Cmb_Country->currentText()},
                                 {QStringLiteral(" STATE : "), name},
                                 {QStringLiteral(" TAX CODE : "), taxCode},
                                 {QStringLiteral(" DEFAULT : "), def}}};
    if (!question.ask(prompter(), this))
        return;

    const qint64 country = lbl_CountryCode->text().toLongLong();
    const qint64 shown = lbl_Code->text().trimmed().toLongLong();
    const QString user = session().userFullName;
    try {
        // Number, row and the clearing of the other defaults: all kept or none.
        db().transact([&] {
            const qint64 state = shown > 0 ? shown : Numbering(db()).next(QStringLiteral("STATE"));
            const QDateTime now = QDateTime::currentDateTime();
            const bool exists = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=? AND STATE_CODE=?"),
                                              {country, state})
                                    .has_value();
            if (exists)
                db().exec(QStringLiteral("UPDATE M_TBL_CSP_STATE SET STATE_NAME=?, STATE_CODE2=?, STATE_DEF=?, UPDATE_BY=?, "
                                         "UPDATE_ON=? WHERE COUNTRY_CODE=? AND STATE_CODE=?"),
                          {name, taxCode, def, user, now, country, state});
            else
                db().exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, "
                                         "STATE_DEF, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
                                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          {country, state, name, taxCode, def, user, now, user, now});
            // One default state in the whole table, whatever its country. The row is named by
            // its whole key, so a state code repeated under another country is cleared too.
            if (def == QLatin1String("Y"))
                db().exec(QStringLiteral("UPDATE M_TBL_CSP_STATE SET STATE_DEF='N' "
                                         "WHERE NOT (COUNTRY_CODE=? AND STATE_CODE=?) AND STATE_DEF='Y'"),
                          {country, state});
        });
    } catch (const DbError& e) {
        prompter().information(this, e.message());
        return;
    }
    prompter().information(this, QStringLiteral("UPDATION OF STATE SUCCESSFULLY DONE ...."));
    clearEntry();
    Load_Grid1();
}

}  // namespace tarvic
