#include "frm_GstReturn.h"

#include "data/GridExport.h"
#include "engine/gst/GstFiles.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace tarvic {

namespace {

constexpr int kAmountTwips = 1500;

QStringList taxCells(const gst::Amounts& a, bool withValue) {
    QStringList c{a.taxable.toString(), a.igst.toString(), a.cgst.toString(), a.sgst.toString(), a.cess.toString()};
    if (withValue)
        c << a.value.toString();
    return c;
}

QList<GridColumn> amountColumns(bool withValue) {
    QList<GridColumn> c{{QStringLiteral("TAXABLE VALUE"), kAmountTwips, Qt::AlignRight},
                        {QStringLiteral("IGST"), kAmountTwips, Qt::AlignRight},
                        {QStringLiteral("CGST"), kAmountTwips, Qt::AlignRight},
                        {QStringLiteral("SGST"), kAmountTwips, Qt::AlignRight},
                        {QStringLiteral("CESS"), 1100, Qt::AlignRight}};
    if (withValue)
        c << GridColumn{QStringLiteral("INVOICE VALUE"), kAmountTwips, Qt::AlignRight};
    return c;
}

QList<GridColumn> sectionColumns() {
    return QList<GridColumn>{{QStringLiteral("SECTION"), 4200}, {QStringLiteral("DOCUMENTS"), 1100, Qt::AlignRight}} +
           amountColumns(true);
}

QList<GridColumn> summaryColumns() {
    return QList<GridColumn>{{QStringLiteral("TABLE"), 800},
                             {QStringLiteral("DESCRIPTION"), 3800},
                             {QStringLiteral("PLACE OF SUPPLY"), 2600}} +
           amountColumns(false);
}

QList<GridColumn> exceptionColumns() {
    return {{QStringLiteral("SLNO"), 600, Qt::AlignRight},
            {QStringLiteral("INVOICE DT"), 1200},
            {QStringLiteral("DOC NO"), 900, Qt::AlignRight},
            {QStringLiteral("INVOICE NO"), 1800},
            {QStringLiteral("PARTY NAME"), 2800},
            {QStringLiteral("REASON"), 8000},
            {QStringLiteral("GSTIN"), 2000},
            {QStringLiteral("STATE CODE"), 1100},
            {QStringLiteral("INVOICE VALUE"), kAmountTwips, Qt::AlignRight}};
}

constexpr int kSectionRows = 8;

// The height that shows a grid's heading and so many rows.
int heightFor(const QTableWidget* g, int rows) {
    return g->horizontalHeader()->sizeHint().height() + rows * g->verticalHeader()->defaultSectionSize() +
           2 * g->frameWidth();
}

QTableWidget* grid(QWidget* parent, const char* name) {
    auto* g = new QTableWidget(parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

}  // namespace

frm_GstReturn::frm_GstReturn(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_GstReturn"));
    setWindowTitle(QStringLiteral("GST RETURNS ( GSTR-1 / GSTR-3B )"));
    setTool(1, kCloseTip, [this] { close(); });

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    const auto field = [&](const QString& caption, QWidget* w, int column) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(w);
        form->addWidget(label, 0, column * 2);
        form->addWidget(w, 0, column * 2 + 1);
    };
    Cmb_ReturnType = new QComboBox(this);
    Cmb_ReturnType->setObjectName(QStringLiteral("Cmb_ReturnType"));
    Cmb_ReturnType->addItems({QStringLiteral("MONTHLY"), QStringLiteral("QUARTERLY")});
    field(QStringLiteral("RETURN &TYPE"), Cmb_ReturnType, 0);
    Cmb_Month = new QComboBox(this);
    Cmb_Month->setObjectName(QStringLiteral("Cmb_Month"));
    for (int m = 1; m <= 12; ++m)
        Cmb_Month->addItem(QLocale::c().monthName(m).toUpper());
    field(QStringLiteral("&MONTH"), Cmb_Month, 1);
    txt_Year = new QLineEdit(this);
    txt_Year->setObjectName(QStringLiteral("txt_Year"));
    txt_Year->setMaxLength(4);
    txt_Year->setMaximumWidth(70);
    attachFilter(txt_Year, KeyFilter::Number);
    field(QStringLiteral("&YEAR"), txt_Year, 2);
    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    form->addWidget(Cmd_Show, 0, 7);
    Cmd_Export = new QPushButton(QStringLiteral("E&XPORT"), this);
    Cmd_Export->setObjectName(QStringLiteral("Cmd_Export"));
    form->addWidget(Cmd_Export, 0, 8);
    form->setColumnStretch(6, 1);
    body()->addLayout(form);

    // The return filed now is last month's.
    const QDate last = QDate::currentDate().addMonths(-1);
    Cmb_Month->setCurrentIndex(last.month() - 1);
    txt_Year->setText(QString::number(last.year()));

    lbl_Return = new QLabel(this);
    lbl_Return->setObjectName(QStringLiteral("lbl_Return"));
    lbl_Return->setFrameShape(QFrame::StyledPanel);
    body()->addWidget(lbl_Return);
    lbl_Problems = new QLabel(this);
    lbl_Problems->setObjectName(QStringLiteral("lbl_Problems"));
    lbl_Problems->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    lbl_Problems->setWordWrap(true);
    lbl_Problems->hide();
    body()->addWidget(lbl_Problems);

    const auto captioned = [&](const QString& caption, QTableWidget* g, int stretch) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(g);
        body()->addWidget(label);
        body()->addWidget(g, stretch);
    };
    Grid1 = grid(this, "Grid1");
    captioned(QStringLiteral("GSTR-&1 SECTIONS"), Grid1, 0);
    Grid2 = grid(this, "Grid2");
    captioned(QStringLiteral("GSTR-3&B SUMMARY"), Grid2, 1);
    Grid3 = grid(this, "Grid3");
    captioned(QStringLiteral("&EXCEPTIONS ( APPROVED INVOICES LEFT OUT OF THE RETURN )"), Grid3, 2);
    Load_EmptyGrid(Grid1, sectionColumns());
    Load_EmptyGrid(Grid2, summaryColumns());
    Load_EmptyGrid(Grid3, exceptionColumns());
    // The sections are always eight lines: all of them in view; the summary at least three.
    Grid1->setFixedHeight(heightFor(Grid1, kSectionRows));
    Grid2->setMinimumHeight(heightFor(Grid2, 3));

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid(); });
    connect(Cmd_Export, &QPushButton::clicked, this, [this] { Exp_Return(); });
    onEnter(txt_Year, [this] {
        if (Load_Grid())
            Grid1->setFocus();
    });
    onEnter(Grid3, [this] { openException(Grid3->currentRow()); });
    connect(Grid3, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openException(row); });
    resize(1000, 620);
}

gst::Period frm_GstReturn::period() const {
    bool ok = false;
    const int year = txt_Year->text().trimmed().toInt(&ok);
    if (!ok || year < 2017 || year > 9999)
        return {};
    const int month = Cmb_Month->currentIndex() + 1;
    return Cmb_ReturnType->currentIndex() == 1 ? gst::Period::quarterOf(year, month) : gst::Period::month(year, month);
}

bool frm_GstReturn::Load_Grid() {
    const gst::Period p = period();
    if (!p.isValid()) {
        prompter().information(this, QStringLiteral("PLEASE ENTER YEAR PROPERLY ...."));
        txt_Year->setFocus();
        return false;
    }
    BusyCursor busy;
    gst::GstReturn built;
    if (!guarded([&] { built = gst::buildReturn(db(), p); }))
        return false;
    return_ = std::move(built);
    showReturn();
    return true;
}

void frm_GstReturn::showReturn() {
    const gst::GstReturn& r = return_;
    const gst::DocumentSeries& d = r.documents;
    lbl_Return->setText(QStringLiteral("GSTIN : %1     RETURN PERIOD : %2 ( %3 )\nAPPROVED INVOICES : %4, IN THE "
                                       "RETURN : %5, EXCEPTIONS : %6     INVOICE NOS : %7")
                            .arg(r.gstin, r.period.caption(), r.period.fp())
                            .arg(r.approvedRead)
                            .arg(r.invoicesInReturn())
                            .arg(r.exceptions.size())
                            .arg(d.issued > 0 ? d.from + QStringLiteral(" TO ") + d.to : QStringLiteral("NONE")));
    lbl_Problems->setText(r.problems.join(QLatin1Char('\n')));
    lbl_Problems->setVisible(!r.problems.isEmpty());

    // GSTR-1: each section's documents and totals, what the return holds, and what it leaves out.
    Load_EmptyGrid(Grid1, sectionColumns());
    const auto section = [&](const QString& name, qsizetype documents, const gst::Amounts& a) {
        addGridRow(Grid1, QStringList{name, QString::number(documents)} + taxCells(a, true));
    };
    int b2csInvoices = 0;
    for (const gst::B2csRow& s : r.b2cs)
        b2csInvoices += s.invoices;
    gst::Amounts hsn;
    for (const gst::HsnRow& h : r.hsn)
        hsn += h.amounts;
    section(QStringLiteral("B2B - REGISTERED RECIPIENTS"), r.b2b.size(), gst::totalOf(r.b2b));
    section(QStringLiteral("B2CL - UNREGISTERED, INTER-STATE LARGE"), r.b2cl.size(), gst::totalOf(r.b2cl));
    section(QStringLiteral("B2CS - UNREGISTERED, SMALL"), b2csInvoices, gst::totalOf(r.b2cs));
    section(QStringLiteral("CDNR - CREDIT / DEBIT NOTES"), 0, {});
    section(QStringLiteral("HSN / SAC SUMMARY ( %1 LINES )").arg(r.hsn.size()), r.invoicesInReturn(), hsn);
    section(QStringLiteral("TOTAL IN THE RETURN"), r.invoicesInReturn(), r.outward);
    section(QStringLiteral("EXCEPTIONS ( NOT IN THE RETURN )"), r.exceptions.size(), gst::totalOf(r.exceptions));
    addGridRow(Grid1,
               {QStringLiteral("DOCUMENTS ISSUED ( %1 CANCELLED )").arg(d.cancelled), QString::number(d.issued)});

    // GSTR-3B: outward supplies, then the inter-state ones to unregistered persons by place.
    Load_EmptyGrid(Grid2, summaryColumns());
    addGridRow(Grid2, QStringList{QStringLiteral("3.1 (A)"), QStringLiteral("OUTWARD TAXABLE SUPPLIES"), QString()} +
                          taxCells(r.outward, false));
    for (const gst::UnregisteredSupply& u : r.interUnregistered)
        addGridRow(Grid2, {QStringLiteral("3.2"), QStringLiteral("INTER-STATE, UNREGISTERED PERSONS"),
                           gst::placeName(u.pos), u.taxable.toString(), u.igst.toString()});

    Load_EmptyGrid(Grid3, exceptionColumns());
    int sl = 0;
    for (const gst::Exception& e : r.exceptions) {
        const gst::ReturnInvoice& i = e.invoice;
        const int row = addGridRow(
            Grid3, {QString::number(++sl), i.date.toString(QStringLiteral("dd/MM/yyyy")), QString::number(i.docNo),
                    i.number, i.partyName, e.text, i.gstin, i.stateCode, i.amounts.value.toString()});
        Grid3->item(row, ExReason)->setToolTip(e.text);
    }
    if (!r.exceptions.isEmpty())
        Grid3->setCurrentCell(0, ExSlNo);
}

void frm_GstReturn::openException(int row) {
    if (isBlankRow(Grid3, row) || row < 0 || row >= return_.exceptions.size())
        return;
    openWindow(QStringLiteral("frm_Invoice"), {{{QStringLiteral("DOC_NO"), return_.exceptions.at(row).invoice.docNo}}});
}

void frm_GstReturn::Exp_Return() {
    // The files follow the fields on screen, read again now.
    if (!Load_Grid())
        return;
    if (!return_.canWrite()) {
        prompter().information(this, return_.problems.constFirst());
        return;
    }
    QString path = prompter().askSavePath(this, QStringLiteral("SELECT PATH TO SAVE GST RETURN"),
                                          QStringLiteral("GST RETURN (*.json)"));
    if (path.isEmpty())
        return;
    // The name chosen is the files' common stem: NAME_GSTR1.json, NAME_GSTR3B.json, NAME.xlsx.
    const QFileInfo chosen(path);
    QString stem = chosen.suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0 ||
                           chosen.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0
                       ? chosen.completeBaseName()
                       : chosen.fileName();
    if (stem.endsWith(QLatin1String("_GSTR1"), Qt::CaseInsensitive))
        stem.chop(6);
    const QString base = chosen.absolutePath() + QLatin1Char('/') + stem;
    BusyCursor busy;
    try {
        gst::writeReturnFiles(return_, base);
    } catch (const ExportError& e) {
        prompter().information(this, e.message());
        return;
    } catch (const DbError& e) {
        prompter().information(this, e.message());
        return;
    }
    QString done = QStringLiteral("GST RETURN SUCCESSFULLY EXPORTED TO %1 ....").arg(base);
    if (!return_.exceptions.isEmpty())
        done += QStringLiteral("\n%1 APPROVED INVOICE(S) LEFT OUT OF THE RETURN, SEE EXCEPTIONS ....")
                    .arg(return_.exceptions.size());
    prompter().information(this, done);
}

}  // namespace tarvic
