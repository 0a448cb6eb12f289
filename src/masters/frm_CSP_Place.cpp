#include "frm_CSP_Place.h"

#include "data/Numbering.h"
#include "masters/GeographyLists.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, Name, Code, CreatedByOn, UpdateByOn };

QLabel* shownLabel(QWidget* parent, const QString& name, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(width);
    return l;
}

QLabel* hiddenLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setVisible(false);
    return l;
}
}  // namespace

frm_CSP_Place::frm_CSP_Place(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_CSP_Place"));
    setWindowTitle(QStringLiteral("PLACE MAINTENANCE "));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    Cmb_Country = makeNameList(this, QStringLiteral("Cmb_Country"));
    lbl_CountryCode = hiddenLabel(this, QStringLiteral("lbl_CountryCode"));
    Cmb_State = makeNameList(this, QStringLiteral("Cmb_State"));
    lbl_StateCode = hiddenLabel(this, QStringLiteral("lbl_StateCode"));
    lbl_PlaceCode = shownLabel(this, QStringLiteral("lbl_PlaceCode"), 100);
    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    txt_Name->setMaxLength(100);
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
    form->addWidget(label(QStringLiteral("SELECT &STATE"), Cmb_State), 1, 0);
    form->addWidget(Cmb_State, 1, 1);
    form->addWidget(lbl_StateCode, 1, 2);
    form->addWidget(label(QStringLiteral("PLACE CODE"), nullptr), 2, 0);
    form->addWidget(lbl_PlaceCode, 2, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("PLACE &NAME"), txt_Name), 3, 0);
    form->addWidget(txt_Name, 3, 1);
    form->addWidget(label(QStringLiteral("CREATED BY - ON"), nullptr), 4, 0);
    form->addWidget(lbl_CreatedByOn, 4, 1);
    form->addWidget(label(QStringLiteral("UPDATE BY - ON"), nullptr), 5, 0);
    form->addWidget(lbl_UpdateByOn, 5, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(label(QStringLiteral("&Detailed List"), Grid1));
    body()->addWidget(Grid1, 1);
    resize(820, 560);

    connect(Grid1, &QTableWidget::cellClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    connect(Cmb_Country, &QComboBox::currentTextChanged, this, [this] { countryChosen(); });
    connect(Cmb_State, &QComboBox::currentTextChanged, this, [this] { stateChosen(); });

    Load_Country();
    Load_EmptyGrid1();
    Load_Init();
}

void frm_CSP_Place::Load_Country() {
    try {
        fillNameList(db(), Cmb_Country, QStringLiteral("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY COUNTRY_NAME"));
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_Place::Load_State() {
    try {
        fillNameList(db(), Cmb_State,
                     QStringLiteral("SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=? ORDER BY STATE_NAME"),
                     {lbl_CountryCode->text().toLongLong()});
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_Place::countryChosen() {
    try {
        lbl_CountryCode->setText(codeOf(db(), QStringLiteral("SELECT * FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME=?"),
                                        {Cmb_Country->currentText()}, QStringLiteral("COUNTRY_CODE")));
    } catch (const DbError& e) {
        lbl_CountryCode->clear();
        prompter().information(this, e.message());
    }
    Load_State();
    // The typed state is looked up again under the new country.
    stateChosen();
}

void frm_CSP_Place::stateChosen() {
    lbl_StateCode->clear();
    if (!lbl_CountryCode->text().isEmpty()) {
        try {
            lbl_StateCode->setText(codeOf(db(),
                                          QStringLiteral("SELECT * FROM M_TBL_CSP_STATE WHERE STATE_NAME=? AND COUNTRY_CODE=?"),
                                          {Cmb_State->currentText(), lbl_CountryCode->text().toLongLong()},
                                          QStringLiteral("STATE_CODE")));
        } catch (const DbError& e) {
            prompter().information(this, e.message());
        }
    }
    // A place loaded under another state would be saved under this one with its old code.
    clearLoaded();
    Load_Grid1();
}

void frm_CSP_Place::clearLoaded() {
    lbl_PlaceCode->clear();
    lbl_CreatedByOn->clear();
    lbl_UpdateByOn->clear();
}

void frm_CSP_Place::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                           {QStringLiteral("PLACE NAME"), 3500},
                           {QStringLiteral("CODE"), 1000, Qt::AlignRight},
                           {QStringLiteral("CREATED BY - ON"), 3200},
                           {QStringLiteral("UPDATE BY - ON"), 3200}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_CSP_Place::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    if (lbl_CountryCode->text().isEmpty() || lbl_StateCode->text().isEmpty())
        return;
    try {
        QSqlQuery q = db().exec(
            QStringLiteral("SELECT * FROM M_TBL_CSP_PLACE WHERE COUNTRY_CODE=? AND STATE_CODE=? ORDER BY PLACE_NAME"),
            {lbl_CountryCode->text().toLongLong(), lbl_StateCode->text().toLongLong()});
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("PLACE_NAME")).toString().trimmed(),
                               QString::number(q.value(QStringLiteral("PLACE_CODE")).toLongLong()),
                               byOn(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                               byOn(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
        }
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_Place::Load_Init() {
    clearLoaded();
    txt_Name->clear();
    Load_Country();
    Cmb_Country->setFocus(Qt::OtherFocusReason);
}

void frm_CSP_Place::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    lbl_PlaceCode->setText(gridText(Grid1, row, Code));
    txt_Name->setText(gridText(Grid1, row, Name));
    lbl_CreatedByOn->setText(gridText(Grid1, row, CreatedByOn));
    lbl_UpdateByOn->setText(gridText(Grid1, row, UpdateByOn));
    txt_Name->setFocus(Qt::OtherFocusReason);
}

void frm_CSP_Place::Save_Record() {
    const bool ok = runChecks(prompter(), this, {
        {[this] { return lbl_CountryCode->text().trimmed().isEmpty(); }, Cmb_Country,
         QStringLiteral("PLEASE SELECT COUNTRY FROM THE LIST ....")},
        {[this] { return lbl_StateCode->text().trimmed().isEmpty(); }, Cmb_State,
         QStringLiteral("PLEASE SELECT STATE FROM THE LIST ....")},
        {[this] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name,
         QStringLiteral("PLEASE ENTER PLACE NAME PROPERLY ....")},
    });
    if (!ok)
        return;
    const QString name = txt_Name->text().trimmed();
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE PLACE .... "),
                                {{QStringLiteral(" COUNTRY : "), Cmb_Country->currentText()},
                                 {QStringLiteral(" STATE : "), Cmb_State->currentText()},
                                 {QStringLiteral(" PLACE : "), name}},
                                QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N ?")};
    if (!question.ask(prompter(), this))
        return;

    const qint64 country = lbl_CountryCode->text().toLongLong();
    const qint64 state = lbl_StateCode->text().toLongLong();
    const qint64 shown = lbl_PlaceCode->text().trimmed().toLongLong();
    const QString user = session().userFullName;
    try {
        db().transact([&] {
            const qint64 place = shown > 0 ? shown : Numbering(db()).next(QStringLiteral("PLACE"));
            const QDateTime now = QDateTime::currentDateTime();
            const bool exists =
                db().firstRow(QStringLiteral("SELECT * FROM M_TBL_CSP_PLACE WHERE COUNTRY_CODE=? AND STATE_CODE=? AND PLACE_CODE=?"),
                              {country, state, place})
                    .has_value();
            if (exists)
                db().exec(QStringLiteral("UPDATE M_TBL_CSP_PLACE SET PLACE_NAME=?, UPDATE_BY=?, UPDATE_ON=? "
                                         "WHERE COUNTRY_CODE=? AND STATE_CODE=? AND PLACE_CODE=?"),
                          {name, user, now, country, state, place});
            else
                db().exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME, "
                                         "CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                          {country, state, place, name, user, now, user, now});
        });
    } catch (const DbError& e) {
        prompter().information(this, e.message());
        return;
    }
    prompter().information(this, QStringLiteral("UPDATION OF PLACE SUCCESSFULLY DONE ...."));
    clearLoaded();
    txt_Name->clear();
    Load_Grid1();
}

}  // namespace tarvic
