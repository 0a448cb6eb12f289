// The TODAY board window over the dues fixture, its documents opened from rows, its reminders
// mailed to a local server (TLS, AUTH), and the demo's board opened at logon.
#include "bookings/BookingsWindows.h"
#include "bookings/family/AdviceNoteWindow.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_ReminderTemplate.h"
#include "bookings/windows/frm_TodayBoard.h"
#include "engine/admin/DemoData.h"
#include "engine/dues/Reminders.h"
#include "sales/SalesWindows.h"
#include "shell/MainWindow.h"
#include "shell/kit/ListGrid.h"
#include "support/DuesFixture.h"
#include "support/Registered.h"
#include "support/SmtpServer.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kCustomerMail = QStringLiteral("sea@x.test");
const QString kSupplierMail = QStringLiteral("cabs@x.test");
const QString kHotelMail = QStringLiteral("hill@x.test");

// The dues fixture seeded for both consultants, with the windows registered and a session of
// the consultant.
struct Board : DuesWindows {
    DuesFixture& f = *this;

    explicit Board(int consultant = DuesFixture::kAdmin)
        : DuesWindows(
              [](WindowRegistry& r) {
                  registerBookingsWindows(r);
                  registerSalesWindows(r);
              },
              consultant, QStringLiteral("ANIL KUMAR")) {
        session.companyName = QStringLiteral("TARVIC <HOLIDAYS>");
        seed(kAdmin);
        seed(kOperator);
    }
    std::unique_ptr<frm_TodayBoard> open() {
        return createShown<frm_TodayBoard>(registry, session, QStringLiteral("frm_TodayBoard"));
    }
    // The mail server's row and the parties' addresses (empty: none).
    void mail(const SmtpServer& server, const QStringList& addresses = {kCustomerMail, kSupplierMail, kHotelMail}) {
        server.useFor(db());
        const qint64 parties[] = {DuesFixture::kCustomer, DuesFixture::kSupplier, DuesFixture::kHotel};
        for (int i = 0; i < 3; ++i)
            db().exec("UPDATE M_TBL_PARTY SET EMAIL_ADD=? WHERE PARTY_CODE=?",
                      {addresses[i].isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : addresses[i], parties[i]});
    }
    qint64 logged() { return count(db(), QStringLiteral("M_TBL_REMINDER_LOG")); }
};

int dataRows(const frm_TodayBoard& w) {
    return w.Grid1->rowCount();
}

int firstRow(const frm_TodayBoard& w, DueSection s) {
    int row = 0;
    while (w.rowAt(row).section != s)
        ++row;
    return row;
}

// Ticks the first row of each section given, as a user does: Space on its section's tick box
// (a row still ticked from before is left so).
void tick(frm_TodayBoard& w, std::initializer_list<DueSection> sections) {
    for (DueSection s : sections) {
        w.Grid1->setCurrentCell(firstRow(w, s), frm_TodayBoard::ColSection);
        if (w.Grid1->currentIndex().data(Qt::CheckStateRole).toInt() != Qt::Checked)
            QTest::keyClick(w.Grid1, Qt::Key_Space);
        QCOMPARE(w.Grid1->currentIndex().data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }
}

// A received message's text with its quoted-printable encoding undone.
QString decoded(const ReceivedMail& m) {
    QByteArray raw = m.raw;
    raw.replace("=\r\n", "");
    return QString::fromUtf8(QByteArray::fromPercentEncoding(raw, '='));
}

}  // namespace

class TstTodayBoard : public QObject {
    Q_OBJECT

private slots:
    // The grid holds the engine's rows in its order with the counts of each section, coloured
    // by urgency; an OPERATOR's own only; a login that is no tour consultant: the refusal.
    void showsTheEnginesRows() {
        const QList<std::tuple<const char*, int, QString>> cases{
            {"ADMIN", DuesFixture::kAdmin, QString()},
            {"OPERATOR", DuesFixture::kOperator, QString()},
            {"no role", 3, kNoTCPermission},
            {"no consultant", 0, kNotTourConsultant},
        };
        for (const auto& [what, consultant, refusal] : cases) {
            Board b(consultant);
            b.f.lead(DuesFixture::kAdmin, b.f.today);  // followed up today: amber
            auto w = b.open();
            if (!refusal.isEmpty()) {
                QVERIFY2(b.prompter.texts().contains(refusal), what);
                QCOMPARE(dataRows(*w), 0);
                continue;
            }
            const DueBoard expected = dueBoard(b.db(), {b.f.today, -1, consultant});
            QVERIFY2(expected.rows.size() >= 6, what);
            QCOMPARE(dataRows(*w), int(expected.rows.size()));
            for (int row = 0; row < dataRows(*w); ++row) {
                const DueRow& r = expected.rows[std::size_t(row)];
                QVERIFY(consultant == DuesFixture::kAdmin || r.consultant == consultant);
                const auto cell = [&](int c) { return w->Grid1->text(row, c); };
                QCOMPARE(cell(frm_TodayBoard::ColSection) + cell(frm_TodayBoard::ColDocument) +
                             cell(frm_TodayBoard::ColParty) + cell(frm_TodayBoard::ColBalance),
                         sectionCaption(r.section) + QStringLiteral("%1 %2").arg(r.docCode).arg(r.docNo) +
                             (r.line ? QStringLiteral("/%1").arg(r.line) : QString()) + r.party +
                             (r.amount != Money() || r.balance != Money() ? r.balance.toString() : QString()));
                const QColor back = w->Grid1->model()
                                        ->index(row, frm_TodayBoard::ColDetail)
                                        .data(Qt::BackgroundRole)
                                        .value<QBrush>()
                                        .color();
                const QColor want = !r.date.isValid() || r.daysOverdue < 0 ? QColor()
                                    : r.daysOverdue > 0                    ? kOverdueBack
                                                                           : kDueTodayBack;
                QVERIFY2(want.isValid() ? back == want : back != kOverdueBack && back != kDueTodayBack,
                         qPrintable(QStringLiteral("%1 row %2").arg(QLatin1String(what)).arg(row)));
            }
            for (DueSection s : kDueSections)
                QVERIFY2(w->lbl_Counts->text()
                             .replace(QChar::Nbsp, QLatin1Char(' '))
                             .contains(QStringLiteral("%1 (%2)").arg(sectionCaption(s)).arg(expected.count(s))),
                         qPrintable(w->lbl_Counts->text()));
            QVERIFY(b.prompter.texts().isEmpty());
        }
    }

    // Enter on a row opens its document in the window that shows it: the booking of an
    // instalment, the supplier's advice note, the lead to follow up.
    void enterOpensTheRowsDocument() {
        Board b;
        auto w = b.open();
        const QList<std::tuple<DueSection, QString, std::function<QString(QWidget*)>>> cases{
            {DueSection::Instalment, QStringLiteral("frm_CBPT01"),
             [](QWidget* x) { return QString::number(static_cast<frm_CBPT01*>(x)->number()); }},
            {DueSection::SupplierDue, QStringLiteral("frm_CBPT01_ANCP02_Mod"),
             [](QWidget* x) { return static_cast<AdviceNoteWindow*>(x)->txt_DocNo->text(); }},
            {DueSection::LeadFollowUp, QStringLiteral("frm_BusinessLead_Add"),
             [](QWidget* x) { return x->findChild<QLineEdit*>(QStringLiteral("txt_Code"))->text(); }},
        };
        for (const auto& [section, window, shown] : cases) {
            const int row = firstRow(*w, section);
            w->Grid1->setCurrentCell(row, frm_TodayBoard::ColDocument);
            w->Grid1->setFocus();
            QTest::keyClick(w->Grid1, Qt::Key_Return);
            QWidget* opened = w->findChild<QWidget*>(window);
            QVERIFY2(opened, qPrintable(window));
            QCOMPARE(shown(opened), QString::number(w->rowAt(row).docNo));
            delete opened;
        }
    }

    // One message per ticked row, in the grid's order, each logged; a refused recipient stops
    // the rest and is named, what went before stays logged; a party without an address is named.
    void remindersGoOnePerRowAndStopAtARefusal() {
        const QList<std::tuple<const char*, QStringList, QStringList, QStringList, QString>> cases{
            {"all sent",
             {},
             {kCustomerMail, kSupplierMail, kHotelMail},
             {kCustomerMail, kSupplierMail, kHotelMail},
             QStringLiteral("REMINDER E-MAIL SUCCESSFULLY SENT : 3 ....")},
            {"refused",
             {QStringLiteral("--refuse-rcpt"), kSupplierMail},
             {kCustomerMail, kSupplierMail, kHotelMail},
             {kCustomerMail},
             QStringLiteral("UNABLE TO SEND E-MAIL TO : COAST CABS ( cabs@x.test )")},
            {"no address",
             {},
             {kCustomerMail, kSupplierMail, QString()},
             {kCustomerMail, kSupplierMail},
             QStringLiteral("NO E-MAIL ADDRESS FOR :\nHILL RESORT ( CBPT01 1/1 )")},
        };
        for (const auto& [what, options, addresses, delivered, message] : cases) {
            Board b;
            SmtpServer server(options);
            b.mail(server, addresses);
            auto w = b.open();
            tick(*w, {DueSection::HotelDeadline, DueSection::Instalment, DueSection::SupplierDue});
            w->Cmd_SendReminder->click();
            QStringList to;
            for (const ReceivedMail& m : server.received())
                to << m.envelopeTo;
            QCOMPARE(to, delivered);
            const QStringList shown = b.prompter.texts();
            QVERIFY2(std::any_of(shown.cbegin(), shown.cend(), [&](const QString& t) { return t.startsWith(message); }),
                     qPrintable(shown.join(QLatin1Char('|'))));
            QCOMPARE(lines(b.db(), QStringLiteral("SELECT SENT_TO FROM M_TBL_REMINDER_LOG ORDER BY REMINDER_ID")),
                     delivered);
        }
    }

    // A reminder is the template edited in its window with the row's values, escaped in the
    // body; the operations log gets who, when and to whom after what it held; the row is marked
    // sent today, and asked about before it goes again.
    void reminderCarriesTheRowsValuesIsLoggedAndAskedAgain() {
        Board b;
        SmtpServer server;
        b.mail(server);
        b.db().exec("UPDATE M_TBL_PARTY SET PARTY_NAME='SEA <BREEZE> & CO' WHERE PARTY_CODE=1");
        b.db().exec(
            "UPDATE M_TBL_TRANSACTION SET CONSUTLTANT_RESPONSETXT='CALLED THE CUSTOMER' WHERE "
            "DOC_CODE='CBPT01'");
        {
            auto t = createShown<frm_ReminderTemplate>(b.registry, b.session, QStringLiteral("frm_ReminderTemplate"));
            t->txt_Subject->setText(QStringLiteral("{BALANCE} DUE ON {DUE_DATE}"));
            t->txt_Body->setPlainText(QStringLiteral("Dear {PARTY}\nbooking {BOOKING}: {DETAIL}\n{COMPANY}"));
            t->pressTool(3);
            QCOMPARE(b.prompter.texts().last(), QStringLiteral("REMINDER TEMPLATE SUCCESSFULLY SAVED ...."));
        }
        auto w = b.open();
        tick(*w, {DueSection::Instalment});
        const int row = firstRow(*w, DueSection::Instalment);
        const DueRow r = w->rowAt(row);
        w->Cmd_SendReminder->click();

        QCOMPARE(server.received().size(), 1);
        const QString mail = decoded(server.received().first());
        const QString due = r.date.toString(QStringLiteral("dd/MM/yyyy"));
        QVERIFY2(mail.contains(QStringLiteral("Subject: 3000.00 DUE ON ") + due), qPrintable(mail));
        for (const QString& part :
             {QStringLiteral("Dear SEA &lt;BREEZE&gt; &amp; CO<br>"),
              QStringLiteral("booking %1: INSTALMENT 1<br>").arg(r.booking), QStringLiteral("TARVIC &lt;HOLIDAYS&gt;")})
            QVERIFY2(mail.contains(part), qPrintable(part + QStringLiteral(" in ") + mail));
        QVERIFY(!mail.contains(QStringLiteral("<BREEZE>")));

        QCOMPARE(lines(b.db(), QStringLiteral("SELECT REMINDER_KIND || ' ' || DOC_CODE || ' ' || SENT_TO || ' ' || "
                                              "SENT_BY FROM M_TBL_REMINDER_LOG")),
                 QStringList{QStringLiteral("CUSTOMER CBPT01 sea@x.test ANIL KUMAR")});
        const QStringList log =
            b.db()
                .scalar("SELECT CONSUTLTANT_RESPONSETXT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
                        {r.booking})
                .toString()
                .split(QLatin1Char('\n'));
        QVERIFY2(log.size() == 2 && log[0] == QStringLiteral("CALLED THE CUSTOMER") &&
                     log[1].startsWith(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))) &&
                     log[1].contains(QStringLiteral("CUSTOMER REMINDER INSTALMENT 1 SENT BY ANIL KUMAR TO SEA "
                                                    "<BREEZE> & CO ( sea@x.test )")),
                 qPrintable(log.join(QLatin1Char('|'))));
        QCOMPARE(w->Grid1->text(row, frm_TodayBoard::ColReminded), QStringLiteral("SENT TODAY"));
        // The hotel line of the same booking and number is another reminder.
        QVERIFY(!remindedOn(b.db(), QStringLiteral("HOTEL"), r.docCode, r.docNo, r.line, b.f.today));
        // Sent today, it is asked about before it goes again: No sends nothing, Yes sends it.
        for (const auto& [answer, received] : {std::pair{false, 1}, std::pair{true, 2}}) {
            b.prompter.clear();
            b.prompter.answers = {answer};
            tick(*w, {DueSection::Instalment});
            w->Cmd_SendReminder->click();
            const auto& asked = b.prompter.messages.first();
            QVERIFY2(asked.kind == QStringLiteral("question") &&
                         asked.text.startsWith(
                             QStringLiteral("REMINDER ALREADY SENT TODAY FOR CBPT01 %1/%2").arg(r.docNo).arg(r.line)),
                     qPrintable(asked.text));
            QCOMPARE(server.received().size(), received);
            QCOMPARE(b.logged(), qint64(received));
        }
    }

    // At logon the demo's consultant is shown the board with every section, rows where the demo
    // has something due.
    void demoBoardOpensAtLogon() {
        TestSession ts;
        addDemoData(ts.db());
        WindowRegistry registry;
        registerBookingsWindows(registry);
        const auto login = ts.db().firstRow(
            "SELECT l.LOGIN_ID, l.CONSULTANT_CODE FROM MST_LOGINDETAILS l JOIN M_TBL_CONSULTANT c ON "
            "CAST(c.CONSULTANT_CODE AS VARCHAR(20))=l.CONSULTANT_CODE WHERE c.TC_ROLE='ADMIN'");
        QVERIFY(login);
        ts.session.loginId = login->value(0).toLongLong();
        ts.session.consultantCode = login->value(1).toInt();
        MainWindow main(ts.session, registry);
        QVERIFY(showActive(main));
        main.openAtLogon();
        auto* w = main.findChild<frm_TodayBoard*>(QStringLiteral("frm_TodayBoard"));
        QVERIFY(w);
        for (DueSection s : kDueSections)
            QVERIFY(w->lbl_Counts->text().replace(QChar::Nbsp, QLatin1Char(' ')).contains(sectionCaption(s)));
        for (DueSection s :
             {DueSection::Instalment, DueSection::SupplierDue, DueSection::HotelDeadline, DueSection::LeadFollowUp})
            QVERIFY2(w->board().count(s) > 0, qPrintable(sectionCaption(s)));
    }
};

QTEST_MAIN(TstTodayBoard)
#include "tst_today_board.moc"
