#include "TravellersTab.h"

#include "data/GridExport.h"
#include "shell/kit/Checks.h"
#include "shell/kit/TaskWindow.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvic {

namespace {

// The printed rooming list, opened by name: the reports library registers it.
const QString kRoomingList = QStringLiteral("rpt_RoomingList");
const QString kImportTitle = QStringLiteral("SELECT FILE OF TRAVELLERS");
const QString kFileFilters = QStringLiteral("CSV FILES (*.csv);;EXCEL WORKBOOK (*.xlsx)");
const QString kSaved = QStringLiteral("TRAVELLERS SUCCESSFULLY SAVED ....");
const QColor kRefusedColour(0xc0, 0x00, 0x00);

QTableWidget* travellerGrid(QWidget* parent, const QString& name, const QStringList& leading) {
    auto* g = new QTableWidget(0, int(leading.size() + travellerHeaders().size()), parent);
    g->setObjectName(name);
    g->setHorizontalHeaderLabels(leading + travellerHeaders());
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    g->verticalHeader()->setDefaultSectionSize(22);
    return g;
}

void setRow(QTableWidget* g, int row, const QStringList& cells, const QColor& colour = {}) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (colour.isValid())
            item->setForeground(colour);
        g->setItem(row, c, item);
    }
}

// Every row read from a file, refused ones in red with why; ACCEPT stores the accepted ones.
class ImportPreview : public QDialog {
public:
    ImportPreview(QWidget* parent, const TravellerImport& in) : QDialog(parent) {
        setObjectName(QStringLiteral("frm_TravellerImport"));
        setWindowTitle(QStringLiteral("IMPORT TRAVELLERS"));
        auto* v = new QVBoxLayout(this);
        const int refused = in.refused();
        auto* summary = new QLabel(QStringLiteral("%1 ROWS READ, %2 ACCEPTED, %3 REFUSED")
                                       .arg(in.rows.size())
                                       .arg(int(in.rows.size()) - refused)
                                       .arg(refused),
                                   this);
        summary->setObjectName(QStringLiteral("lbl_Summary"));
        v->addWidget(summary);
        Grid1 = travellerGrid(this, QStringLiteral("Grid1"), {QStringLiteral("LINE"), QStringLiteral("STATUS")});
        Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Grid1->setRowCount(int(in.rows.size()));
        for (int r = 0; r < int(in.rows.size()); ++r) {
            const ImportedRow& row = in.rows[size_t(r)];
            const QString status =
                row.refusal.isEmpty() ? QStringLiteral("ACCEPTED") : QStringLiteral("REFUSED : ") + row.refusal;
            // A refused row as the file has it, so that the user sees what to mend there.
            setRow(Grid1, r,
                   QStringList{QString::number(row.line), status} +
                       (row.refusal.isEmpty() ? travellerCells(row.traveller) : row.cells),
                   row.refusal.isEmpty() ? QColor() : kRefusedColour);
        }
        v->addWidget(Grid1, 1);
        auto* h = new QHBoxLayout;
        h->addStretch(1);
        Cmd_Accept = new QPushButton(QStringLiteral("&ACCEPT"), this);
        Cmd_Accept->setObjectName(QStringLiteral("Cmd_Accept"));
        Cmd_Accept->setEnabled(refused < int(in.rows.size()));
        Cmd_Cancel = new QPushButton(QStringLiteral("&CANCEL"), this);
        Cmd_Cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
        h->addWidget(Cmd_Accept);
        h->addWidget(Cmd_Cancel);
        v->addLayout(h);
        connect(Cmd_Accept, &QPushButton::clicked, this, &QDialog::accept);
        connect(Cmd_Cancel, &QPushButton::clicked, this, &QDialog::reject);
        resize(1000, 420);
    }
    QTableWidget* Grid1 = nullptr;
    QPushButton* Cmd_Accept = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
};

}  // namespace

TravellersTab::TravellersTab(TaskWindow& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName(QStringLiteral("tab_Travellers"));
    auto* v = new QVBoxLayout(this);
    Grid_Travellers = travellerGrid(this, QStringLiteral("Grid_Travellers"), {});
    connect(Grid_Travellers, &QTableWidget::itemChanged, this, [this] { showRoomCheck(); });
    v->addWidget(Grid_Travellers, 1);
    lbl_RoomCheck = new QLabel(this);
    lbl_RoomCheck->setObjectName(QStringLiteral("lbl_RoomCheck"));
    lbl_RoomCheck->setWordWrap(true);
    v->addWidget(lbl_RoomCheck);

    auto button = [this](const QString& caption, const QString& name, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    Cmd_AddRow = button(QStringLiteral("&ADD ROW"), QStringLiteral("Cmd_AddRow"), [this] {
        Grid_Travellers->insertRow(Grid_Travellers->rowCount());
        Grid_Travellers->setCurrentCell(Grid_Travellers->rowCount() - 1, 0);
        Grid_Travellers->setFocus();
    });
    Cmd_DelRow = button(QStringLiteral("DELE&TE ROW"), QStringLiteral("Cmd_DelRow"), [this] {
        if (Grid_Travellers->currentRow() >= 0) {
            Grid_Travellers->removeRow(Grid_Travellers->currentRow());
            showRoomCheck();
        }
    });
    Cmd_Import = button(QStringLiteral("&IMPORT"), QStringLiteral("Cmd_Import"), [this] { Import_File(); });
    Cmd_Export = button(QStringLiteral("E&XPORT"), QStringLiteral("Cmd_Export"), [this] { Export_File(); });
    Cmd_SaveTravellers =
        button(QStringLiteral("&SAVE TRAVELLERS"), QStringLiteral("Cmd_SaveTravellers"), [this] { Save_Travellers(); });
    Cmb_HotelLine = new QComboBox(this);
    Cmb_HotelLine->setObjectName(QStringLiteral("Cmb_HotelLine"));
    Cmb_HotelLine->setMinimumContentsLength(28);
    auto* lineCaption = new QLabel(QStringLiteral("&HOTEL LINE"), this);
    lineCaption->setBuddy(Cmb_HotelLine);
    Cmd_RoomingList =
        button(QStringLiteral("&ROOMING LIST"), QStringLiteral("Cmd_RoomingList"), [this] { Print_RoomingList(); });
    auto* h = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(Cmd_AddRow), static_cast<QWidget*>(Cmd_DelRow), static_cast<QWidget*>(Cmd_Import),
          static_cast<QWidget*>(Cmd_Export), static_cast<QWidget*>(Cmd_SaveTravellers)})
        h->addWidget(w);
    h->addStretch(1);
    h->addWidget(lineCaption);
    h->addWidget(Cmb_HotelLine);
    h->addWidget(Cmd_RoomingList);
    v->addLayout(h);
    showBooking(0);
}

Travellers TravellersTab::travellers() const {
    return Travellers(owner_.db(), owner_.session().userFullName);
}

void TravellersTab::showBooking(qint64 booking) {
    booking_ = booking;
    open_ = false;
    stays_.clear();
    std::vector<Traveller> list;
    if (booking > 0 && !owner_.guarded([&] {
            Travellers t = travellers();
            list = t.read(booking);
            stays_ = t.hotelStays(booking);
            open_ = t.isOpen(booking);
        }))
        booking_ = 0;
    Cmb_HotelLine->clear();
    for (const HotelStay& s : stays_)
        Cmb_HotelLine->addItem(s.caption());
    fill(list);
    Grid_Travellers->setEditTriggers(open_ ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    for (QPushButton* b : {Cmd_AddRow, Cmd_DelRow, Cmd_Import, Cmd_SaveTravellers})
        b->setEnabled(open_);
    Cmd_Export->setEnabled(booking_ > 0);
    Cmb_HotelLine->setEnabled(!stays_.empty());
    Cmd_RoomingList->setEnabled(!stays_.empty() && owner_.canOpen(kRoomingList));
}

void TravellersTab::fill(const std::vector<Traveller>& list) {
    const QSignalBlocker quiet(Grid_Travellers);
    Grid_Travellers->setRowCount(0);
    Grid_Travellers->setRowCount(int(list.size()));
    for (int r = 0; r < int(list.size()); ++r)
        setRow(Grid_Travellers, r, travellerCells(list[size_t(r)]));
    showRoomCheck();
}

QList<QStringList> TravellersTab::gridRows() const {
    QList<QStringList> rows{travellerHeaders()};
    for (int r = 0; r < Grid_Travellers->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < Grid_Travellers->columnCount(); ++c)
            cells << (Grid_Travellers->item(r, c) ? Grid_Travellers->item(r, c)->text() : QString());
        rows << cells;
    }
    return rows;
}

void TravellersTab::showRoomCheck() {
    QStringList differences;
    if (booking_ > 0 && !stays_.empty())
        owner_.guarded([&] {
            Travellers t = travellers();
            std::vector<Traveller> list;
            for (const ImportedRow& row : t.check(booking_, gridRows()).rows)
                list.push_back(row.traveller);
            differences = roomDifferences(t.roomCounts(booking_, list));
        });
    lbl_RoomCheck->setStyleSheet(differences.isEmpty() ? QString() : QStringLiteral("color:#c00000; font-weight:bold"));
    if (booking_ <= 0)
        lbl_RoomCheck->clear();
    else if (stays_.empty())
        lbl_RoomCheck->setText(QStringLiteral("NO HOTEL LINES IN THIS BOOKING"));
    else
        lbl_RoomCheck->setText(differences.isEmpty() ? QStringLiteral("ROOMS MATCH THE HOTEL LINES")
                                                     : differences.join(QLatin1Char('\n')));
}

void TravellersTab::Import_File() {
    if (!open_)
        return;
    const QString path = owner_.prompter().askOpenPath(this, kImportTitle, kFileFilters);
    if (path.isEmpty())
        return;
    TravellerImport in;
    if (!owner_.guarded([&] { in = travellers().preview(booking_, path); }))
        return;
    ImportPreview preview(this, in);
    if (preview.exec() != QDialog::Accepted)
        return;
    fill(in.accepted());
    Save_Travellers();
}

void TravellersTab::Export_File() {
    if (booking_ <= 0)
        return;
    QString filter;
    const QString path =
        owner_.prompter().askSavePath(this, QStringLiteral("SELECT PATH TO SAVE TRAVELLERS"), kFileFilters,
                                      QStringLiteral("TRAVELLERS_%1.csv").arg(booking_), &filter);
    if (path.isEmpty())
        return;
    QString target = path;
    if (filter.contains(QLatin1String("xlsx")) && !target.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        target += QLatin1String(".xlsx");
    try {
        std::vector<Traveller> list;
        if (!owner_.guarded([&] { list = travellers().read(booking_); }))
            return;
        Travellers::write(list, target);
    } catch (const ExportError& e) {
        owner_.prompter().information(this, e.message());
        return;
    }
    owner_.prompter().information(this, QStringLiteral("Successfully Export to ") + target);
}

bool TravellersTab::Save_Travellers() {
    if (!open_)
        return false;
    TravellerImport rows;
    QStringList differences;
    if (!owner_.guarded([&] {
            Travellers t = travellers();
            rows = t.check(booking_, gridRows());
            std::vector<Traveller> list;
            for (const ImportedRow& row : rows.rows)
                list.push_back(row.traveller);
            differences = roomDifferences(t.roomCounts(booking_, list));
        }))
        return false;
    // A grid row refused is named by its place in the grid and takes the cursor.
    for (const ImportedRow& row : rows.rows)
        if (!row.refusal.isEmpty()) {
            owner_.prompter().information(this, QStringLiteral("ROW %1 : %2").arg(row.line - 1).arg(row.refusal));
            Grid_Travellers->setCurrentCell(row.line - 2, 0);
            Grid_Travellers->setFocus();
            return false;
        }
    Confirmation q{differences.isEmpty()
                       ? QStringLiteral(" YOU ARE ABOUT TO SAVE THE TRAVELLERS OF CBPT ....")
                       : QStringLiteral(" ROOMS IN THE ROOMING LIST DIFFER FROM THE HOTEL LINES ...."),
                   {{QStringLiteral(" CBPT NO : "), QString::number(booking_)},
                    {QStringLiteral(" TRAVELLERS : "), QString::number(rows.rows.size())}}};
    for (const QString& d : differences)
        q.lines.append({QStringLiteral(" "), d});
    if (!q.ask(owner_.prompter(), this))
        return false;
    if (!owner_.guarded([&] { travellers().store(booking_, rows.accepted()); }))
        return false;
    owner_.prompter().information(this, kSaved);
    showBooking(booking_);
    return true;
}

void TravellersTab::Print_RoomingList() {
    const int i = Cmb_HotelLine->currentIndex();
    if (i < 0 || i >= int(stays_.size()))
        return;
    const HotelStay& s = stays_[size_t(i)];
    owner_.openWindow(kRoomingList, {{{QStringLiteral("CBPT_NO"), booking_},
                                      {QStringLiteral("QUOTATION_NO"), s.quotation},
                                      {QStringLiteral("LINE_NO"), s.line}}});
}

}  // namespace tarvic
