#include "frm_GenerateTourDays.h"

#include "engine/bookings/TourDays.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvic {

frm_GenerateTourDays::frm_GenerateTourDays(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_GenerateTourDays"));
    setWindowTitle(QStringLiteral("GENERATE TOUR DAYS"));
    // What the button does, said before it is pressed: the day rows are made again from every
    // hotel and vehicle line, which only a repair ever needs.
    lbl_About = new QLabel(QStringLiteral("REBUILDS THE TOUR DAYS (ONE ROW PER HOTEL NIGHT AND VEHICLE DAY) OF EVERY "
                                          "QUOTATION FROM ITS LINES: NEEDED ONLY WHEN THE HOTEL STATUS OR THE VEHICLE "
                                          "SHEET MISSES OR REPEATS A DAY ...."),
                           this);
    lbl_About->setObjectName(QStringLiteral("lbl_About"));
    lbl_About->setWordWrap(true);
    body()->addWidget(lbl_About);
    Cmd_Generate = new QPushButton(QStringLiteral("&Generate Tour Days"), this);
    Cmd_Generate->setObjectName(QStringLiteral("Cmd_Generate"));
    lbl_Message = new QLabel(this);
    lbl_Message->setObjectName(QStringLiteral("lbl_Message"));
    lbl_Details = new QLabel(this);
    lbl_Details->setObjectName(QStringLiteral("lbl_Details"));
    lbl_Details->setFrameShape(QFrame::StyledPanel);
    lbl_Details->setMinimumHeight(150);
    lbl_Details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body()->addWidget(Cmd_Generate);
    body()->addWidget(lbl_Message);
    body()->addWidget(lbl_Details, 1);
    connect(Cmd_Generate, &QPushButton::clicked, this, [this] { Generate_TourDays(); });
    resize(560, 340);
}

void frm_GenerateTourDays::Generate_TourDays() {
    if (!Confirmation{QStringLiteral(" YOU ARE ABOUT TO RE-GENERATE TOUR DATE ... "), {}}.ask(prompter(), this))
        return;
    BusyCursor busy;
    Cmd_Generate->setEnabled(false);
    lbl_Details->clear();
    // The labels are repainted a few times a second, not once per row: a long run stays fast.
    QElapsedTimer shown;
    shown.start();
    // Painted at once, without running the event loop inside the transaction (no other
    // window's timer may query the connection meanwhile).
    const auto repaint = [this] {
        lbl_Message->repaint();
        lbl_Details->repaint();
    };
    TourDayProgress progress;
    progress.phase = [&](const QString& text) {
        lbl_Message->setText(text);
        repaint();
    };
    progress.row = [&](int current, int total, const TourDayLine& l, const QDate& day) {
        if (current < total && shown.elapsed() < 200)
            return;
        shown.restart();
        const auto date = [](const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); };
        lbl_Details->setText(QStringList{
            QStringLiteral(" CURRENT RECORD : %1").arg(current), QStringLiteral("TOTAL RECORDS %1").arg(total),
            QStringLiteral(" RECORDS LEFT %1").arg(total - current), QStringLiteral(" DOCUMENT CODE QGBL02"),
            QStringLiteral(" DOCUMNT NO %1").arg(l.quotation), QStringLiteral(" ACCOUNT DESC %1").arg(l.kind),
            QStringLiteral(" START - END DT %1 - %2").arg(date(l.from), date(l.to)),
            QStringLiteral(" CONS TOUR DT %1").arg(date(day))}
                                 .join(QLatin1Char('\n')));
        repaint();
    };
    int lines = 0;
    const bool ok = guarded([&] { lines = regenerateTourDays(db(), progress); });
    Cmd_Generate->setEnabled(true);
    lbl_Message->clear();
    if (!ok)
        return;
    prompter().information(this, lines == 0 ? kNoTourLines : QStringLiteral("RE-GENERATION SUCCESSFULLY DONE ...."));
}

}  // namespace tarvic
