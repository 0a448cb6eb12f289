#include "GeographyMaster.h"

#include "data/Moments.h"
#include "engine/masters/MasterRows.h"
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

using Level = GeographyLevel;
using Cell = GeographyLevel::Cell;

const Level::Parent kCountryParent{QStringLiteral("Cmb_Country"), QStringLiteral("SELECT &COUNTRY"), {}, {}};

QList<Level::GridColumn> auditColumns() {
    return {{QStringLiteral("CREATED BY - ON"), 3200, Cell::Created},
            {QStringLiteral("UPDATE BY - ON"), 3200, Cell::Updated}};
}

Level makeCountry() {
    Level l;
    l.objectName = QStringLiteral("frm_CSP_Country");
    l.title = QStringLiteral("COUNTRY MAINTENANCE");
    l.source = sources::kCountry;
    l.counter = QStringLiteral("COUNTRY");
    l.codeLabelName = QStringLiteral("lbl_Code");
    l.codeCaption = QStringLiteral("COUNTRY CODE");
    l.nameCaption = QStringLiteral("COUNTRY &NAME");
    l.audit = false;
    l.grid = {{QStringLiteral("SLNO"), 800, Cell::SlNo, Qt::AlignRight},
              {QStringLiteral("COUNTRY NAME"), 4500, Cell::Name},
              {QStringLiteral("CODE"), 1200, Cell::Code, Qt::AlignRight}};
    l.blankNameMessage = QStringLiteral("COUNTRY NAME CANNOT BE BLANK ....");
    l.duplicateNameMessage = QStringLiteral("COUNTRY NAME ALREADY EXISTS ....");
    l.savedMessage = QStringLiteral("UPDATION OF COUNTRY SUCCESSFULLY DONE ....");
    l.size = QSize(560, 480);
    return l;
}

Level makeState() {
    Level l;
    l.objectName = QStringLiteral("frm_CSP_State");
    l.title = QStringLiteral("STATE MAINTNE");
    l.source = sources::kState;
    l.counter = QStringLiteral("STATE");
    l.codeLabelName = QStringLiteral("lbl_Code");
    l.codeCaption = QStringLiteral("STATE CODE");
    l.nameCaption = QStringLiteral("STATE &NAME");
    Level::Parent country = kCountryParent;
    country.message = QStringLiteral("PLEASE COUNTRY PROPERLY FROM LIST ....");
    country.questionLabel = QStringLiteral(" COUNTRY :");
    l.parents = {country};
    l.extras = {{Level::Extra::Kind::UpperText, QStringLiteral("txt_StateCode"), QStringLiteral("&TAX STATE CODE"),
                 QStringLiteral("STATE_CODE2"), QStringLiteral(" TAX CODE : ")},
                {Level::Extra::Kind::Flag, QStringLiteral("Cmb_Def"), QStringLiteral("D&EFAULT (Y/N)"),
                 QStringLiteral("STATE_DEF"), QStringLiteral(" DEFAULT : ")}};
    l.grid = {{QStringLiteral("SLNO"), 800, Cell::SlNo, Qt::AlignRight},
              {QStringLiteral("STATE NAME"), 3000, Cell::Name},
              {QStringLiteral("STATE CODE2"), 1400, Cell::Extra1},
              {QStringLiteral("STATE CODE"), 1200, Cell::Code, Qt::AlignRight},
              {QStringLiteral("DEF"), 600, Cell::Extra2}};
    l.grid += auditColumns();
    l.blankNameMessage = QStringLiteral("PLEASE ENTER STATE PROPERLY ....");
    l.duplicateNameMessage = QStringLiteral("STATE NAME ALREADY EXISTS IN THIS COUNTRY ....");
    l.nameQuestionLabel = QStringLiteral(" STATE : ");
    l.questionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATE STATE ....");
    l.savedMessage = QStringLiteral("UPDATION OF STATE SUCCESSFULLY DONE ....");
    l.size = QSize(900, 560);
    // One default state in the whole table, whatever its country. The row is named by its
    // whole key, so a state code repeated under another country is cleared too.
    l.afterWrite = [](Database& db, const QVariantList& key, const QVariantList& extras) {
        keepOneDefaultState(db, key, extras.value(1).toString() == QLatin1String("Y"));
    };
    return l;
}

Level makePlace() {
    Level l;
    l.objectName = QStringLiteral("frm_CSP_Place");
    l.title = QStringLiteral("PLACE MAINTENANCE ");
    l.source = sources::kPlace;
    l.counter = QStringLiteral("PLACE");
    l.codeLabelName = QStringLiteral("lbl_PlaceCode");
    l.codeCaption = QStringLiteral("PLACE CODE");
    l.nameCaption = QStringLiteral("PLACE &NAME");
    Level::Parent country = kCountryParent;
    country.message = QStringLiteral("PLEASE SELECT COUNTRY FROM THE LIST ....");
    country.questionLabel = QStringLiteral(" COUNTRY : ");
    l.parents = {country,
                 {QStringLiteral("Cmb_State"), QStringLiteral("SELECT &STATE"),
                  QStringLiteral("PLEASE SELECT STATE FROM THE LIST ...."), QStringLiteral(" STATE : ")}};
    l.grid = {{QStringLiteral("SLNO"), 800, Cell::SlNo, Qt::AlignRight},
              {QStringLiteral("PLACE NAME"), 3500, Cell::Name},
              {QStringLiteral("CODE"), 1000, Cell::Code, Qt::AlignRight}};
    l.grid += auditColumns();
    l.blankNameMessage = QStringLiteral("PLEASE ENTER PLACE NAME PROPERLY ....");
    l.duplicateNameMessage = QStringLiteral("PLACE NAME ALREADY EXISTS IN THIS STATE ....");
    l.nameQuestionLabel = QStringLiteral(" PLACE : ");
    l.questionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATE PLACE .... ");
    l.questionTail = QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N ?");
    l.savedMessage = QStringLiteral("UPDATION OF PLACE SUCCESSFULLY DONE ....");
    l.size = QSize(820, 560);
    return l;
}

QLabel* shownLabel(QWidget* parent, const QString& name, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(width);
    return l;
}

}  // namespace

const GeographyLevel& GeographyLevel::country() {
    static const Level l = makeCountry();
    return l;
}
const GeographyLevel& GeographyLevel::state() {
    static const Level l = makeState();
    return l;
}
const GeographyLevel& GeographyLevel::place() {
    static const Level l = makePlace();
    return l;
}

GeographyMaster::GeographyMaster(const GeographyLevel& level, Session& session, QWidget* parent)
    : TaskWindow(session, parent), level_(level) {
    setObjectName(level.objectName);
    setWindowTitle(level.title);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto* form = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& caption, QWidget* field, bool buddy, Qt::Alignment align = {}) {
        auto* l = new QLabel(caption, this);
        if (buddy)
            l->setBuddy(field);
        form->addWidget(l, row, 0);
        form->addWidget(field, row++, 1, align);
    };
    // The list of each level above this one, each under the one before.
    const QList<const CodeSource*> chain = {&sources::kCountry, &sources::kState};
    for (int i = 0; i < level.parents.size(); ++i) {
        auto* list = new CodeList(session, *chain.at(i), this, lists_.value(i - 1));
        list->setObjectName(level.parents.at(i).listName);
        list->setEditable(true);
        bindColumn(list, chain.at(i)->table, chain.at(i)->nameColumn);
        list->setMinimumWidth(260);
        // A state typed before its country is looked up again under the country chosen.
        list->setKeepsTextOnParentChange(true);
        connect(list, &CodeList::codeChanged, this, [this] { parentChanged(); });
        add(level.parents.at(i).caption, list, true);
        lists_ << list;
    }
    Cmb_Country = lists_.value(0);
    Cmb_State = lists_.value(1);
    lbl_Code = shownLabel(this, level.codeLabelName, 100);
    add(level.codeCaption, lbl_Code, false, Qt::AlignLeft);
    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    bindColumn(txt_Name, level.source.table, level.source.nameColumn);
    add(level.nameCaption, txt_Name, true);
    for (const Level::Extra& x : level.extras) {
        QWidget* field = nullptr;
        if (x.kind == Level::Extra::Kind::Flag) {
            auto* c = new QComboBox(this);
            c->addItems({QStringLiteral("N"), QStringLiteral("Y")});
            field = c;
        } else {
            auto* e = new QLineEdit(this);
            bindColumn(e, level.source.table, x.column);
            attachFilter(e, KeyFilter::Upper);
            field = e;
        }
        field->setObjectName(x.objectName);
        add(x.caption, field, true, Qt::AlignLeft);
        extras_ << field;
    }
    if (level.audit) {
        lbl_CreatedByOn = shownLabel(this, QStringLiteral("lbl_CreatedByOn"), 260);
        lbl_UpdateByOn = shownLabel(this, QStringLiteral("lbl_UpdateByOn"), 260);
        add(QStringLiteral("CREATED BY - ON"), lbl_CreatedByOn, false);
        add(QStringLiteral("UPDATE BY - ON"), lbl_UpdateByOn, false);
    }
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Grid1 = addDetailedList(this, body());
    resize(level.size);

    connect(Grid1, &QTableWidget::cellClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });

    if (lists_.isEmpty())
        Load_Grid1();
    Load_Init();
    if (lists_.size() == 1)  // the states: of the country there is
        chooseDefaultCountry();
    if (!lists_.isEmpty())
        Load_Grid1();
}

void GeographyMaster::chooseDefaultCountry() {
    // Opened on an empty list the state master would show nothing until a country is chosen,
    // though most books hold one country: the only one, else the default state's, is chosen.
    if (!Cmb_Country->code().isEmpty())
        return;
    QString code;
    if (Cmb_Country->count() == 1)
        code = Cmb_Country->itemData(0).toString();
    else
        guarded([&] {
            code = db().scalar(QStringLiteral("SELECT MIN(COUNTRY_CODE) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"))
                       .toString();
        });
    if (!code.isEmpty() && Cmb_Country->findData(code) >= 0)
        Cmb_Country->setCode(code);
}

QStringList GeographyMaster::parentCodes() const {
    return lists_.isEmpty() ? QStringList() : lists_.last()->codes();
}

QString GeographyMaster::extraValue(int i) const {
    if (auto* c = qobject_cast<QComboBox*>(extras_.at(i)))
        return c->currentText();
    return upperAscii(static_cast<QLineEdit*>(extras_.at(i))->text().trimmed());
}

void GeographyMaster::setExtraValue(int i, const QString& value) {
    if (auto* c = qobject_cast<QComboBox*>(extras_.at(i)))
        c->setCurrentIndex(value == QLatin1String("Y") ? 1 : 0);
    else
        static_cast<QLineEdit*>(extras_.at(i))->setText(value);
}

void GeographyMaster::clearEntry() {
    lbl_Code->clear();
    txt_Name->clear();
    for (int i = 0; i < extras_.size(); ++i)
        setExtraValue(i, QString());
    if (level_.audit) {
        lbl_CreatedByOn->clear();
        lbl_UpdateByOn->clear();
    }
}

void GeographyMaster::Load_Init() {
    clearEntry();
    if (lists_.isEmpty()) {
        txt_Name->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Countries added meanwhile in the country window join the list; the choice stays.
    Cmb_Country->load();
    Cmb_Country->setFocus(Qt::OtherFocusReason);
}

void GeographyMaster::parentChanged() {
    // A row loaded under another parent is not carried over: it would be saved under the new
    // parent with its old code, as a second row of the same code.
    lbl_Code->clear();
    if (level_.audit) {
        lbl_CreatedByOn->clear();
        lbl_UpdateByOn->clear();
    }
    Load_Grid1();
}

QString GeographyMaster::underParents(QVariantList& values) const {
    QString where;
    const QStringList parents = parentCodes();
    for (int i = 0; i < parents.size(); ++i) {
        where += (i ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + level_.source.parentColumns.at(i) +
                 QStringLiteral("=?");
        values << parents.at(i).toLongLong();
    }
    return where;
}

bool GeographyMaster::nameTaken(const QString& name) const {
    // Compared here rather than in SQL: the engines upper-case differently beyond A-Z, and the
    // rows under one parent are few.
    QVariantList values;
    QSqlQuery q = db().exec(QStringLiteral("SELECT %1, %2 FROM %3")
                                    .arg(level_.source.codeColumn, level_.source.nameColumn, level_.source.table) +
                                underParents(values),
                            values);
    const qint64 own = lbl_Code->text().trimmed().toLongLong();
    const QString wanted = name.trimmed().toUpper();
    while (q.next())
        if (q.value(0).toLongLong() != own && q.value(1).toString().trimmed().toUpper() == wanted)
            return true;
    return false;
}

void GeographyMaster::Load_Grid1() {
    BusyCursor busy;
    QList<tarvic::GridColumn> columns;
    for (const Level::GridColumn& c : level_.grid)
        columns.append({c.heading, c.width, c.align});
    Load_EmptyGrid(Grid1, columns);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    const QStringList parents = parentCodes();
    if (!lists_.isEmpty() && parents.isEmpty())
        return;
    QVariantList values;
    const QString sql = QStringLiteral("SELECT * FROM ") + level_.source.table + underParents(values) +
                        QStringLiteral(" ORDER BY ") + level_.source.nameColumn;
    guarded([&] {
        QSqlQuery q = db().exec(sql, values);
        int sl = 0;
        while (q.next()) {
            QStringList cells;
            for (const Level::GridColumn& c : level_.grid) {
                switch (c.cell) {
                    case Cell::SlNo:
                        cells << QString::number(++sl);
                        break;
                    case Cell::Name:
                        cells << q.value(level_.source.nameColumn).toString().trimmed();
                        break;
                    case Cell::Code:
                        cells << QString::number(q.value(level_.source.codeColumn).toLongLong());
                        break;
                    case Cell::Extra1:
                        cells << q.value(level_.extras.at(0).column).toString().trimmed();
                        break;
                    case Cell::Extra2:
                        cells << q.value(level_.extras.at(1).column).toString().trimmed();
                        break;
                    case Cell::Created:
                        cells << byOnText(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON")));
                        break;
                    case Cell::Updated:
                        cells << byOnText(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")));
                        break;
                }
            }
            addGridRow(Grid1, cells);
        }
    });
}

void GeographyMaster::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    for (int c = 0; c < level_.grid.size(); ++c) {
        const QString text = gridText(Grid1, row, c);
        switch (level_.grid.at(c).cell) {
            case Cell::SlNo:
                break;
            case Cell::Name:
                txt_Name->setText(text);
                break;
            case Cell::Code:
                lbl_Code->setText(text);
                break;
            case Cell::Extra1:
                setExtraValue(0, text);
                break;
            case Cell::Extra2:
                setExtraValue(1, text);
                break;
            case Cell::Created:
                lbl_CreatedByOn->setText(text);
                break;
            case Cell::Updated:
                lbl_UpdateByOn->setText(text);
                break;
        }
    }
    txt_Name->setFocus(Qt::OtherFocusReason);
    txt_Name->selectAll();
}

void GeographyMaster::Save_Record() {
    QList<Check> checks;
    for (int i = 0; i < lists_.size(); ++i) {
        CodeList* list = lists_.at(i);
        checks.append({[list] { return list->code().isEmpty(); }, list, level_.parents.at(i).message});
    }
    checks.append({[this] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name, level_.blankNameMessage});
    // Two rows of one name under the same parent look alike in every list that offers them.
    checks.append({[this] { return nameTaken(txt_Name->text()); }, txt_Name, level_.duplicateNameMessage});
    bool passed = false;
    if (!guarded([&] { passed = runChecks(prompter(), this, checks); }) || !passed)
        return;
    const QString name = txt_Name->text().trimmed();
    QVariantList extras;
    for (int i = 0; i < extras_.size(); ++i)
        extras << extraValue(i);
    if (!level_.nameQuestionLabel.isEmpty()) {
        Confirmation question{level_.questionHead, {}};
        if (!level_.questionTail.isEmpty())
            question.tail = level_.questionTail;
        for (int i = 0; i < lists_.size(); ++i)
            question.lines.append({level_.parents.at(i).questionLabel, lists_.at(i)->currentText()});
        question.lines.append({level_.nameQuestionLabel, name});
        for (int i = 0; i < extras.size(); ++i)
            question.lines.append({level_.extras.at(i).questionLabel, extras.at(i).toString()});
        if (!question.ask(prompter(), this))
            return;
    }

    QVariantList parents;
    for (const QString& c : parentCodes())
        parents << c.toLongLong();
    NumberedRow row{level_.source.table,
                    level_.counter,
                    {},
                    level_.source.codeColumn,
                    std::max<qint64>(lbl_Code->text().trimmed().toLongLong(), 0),
                    {{level_.source.nameColumn, name}}};
    for (int i = 0; i < parents.size(); ++i)
        row.parents.emplace_back(level_.source.parentColumns.at(i), parents.at(i));
    for (int i = 0; i < level_.extras.size(); ++i)
        row.columns.emplace_back(level_.extras.at(i).column, extras.at(i));
    const bool saved = guarded([&] {
        // What the member writes with the row is kept with it or not at all.
        saveNumberedRow(db(), session().userFullName, row, [&](Database& d, qint64 code) {
            if (level_.afterWrite)
                level_.afterWrite(d, QVariantList(parents) << code, extras);
        });
    });
    if (!saved)
        return;
    prompter().information(this, level_.savedMessage);
    clearEntry();
    if (lists_.isEmpty())
        txt_Name->setFocus(Qt::OtherFocusReason);
    Load_Grid1();
}

frm_CSP_State::frm_CSP_State(Session& session, QWidget* parent)
    : GeographyMaster(GeographyLevel::state(), session, parent) {
    txt_StateCode = static_cast<QLineEdit*>(extra(0));
    Cmb_Def = static_cast<QComboBox*>(extra(1));
}

void registerGeographyWindows(WindowRegistry& registry) {
    registry.add<frm_CSP_Country>(QStringLiteral("frm_CSP_Country"));
    registry.add<frm_CSP_State>(QStringLiteral("frm_CSP_State"));
    registry.add<frm_CSP_Place>(QStringLiteral("frm_CSP_Place"));
}

}  // namespace tarvic
