#include "BookingOpsWindow.h"

#include "data/Moments.h"
#include "data/Money.h"
#include "engine/DocumentState.h"
#include "engine/bookings/BookingOperations.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

QHBoxLayout* bookingNumberRow(TaskWindow* owner, QLineEdit*& number, QPushButton*& search) {
    number = new QLineEdit(owner);
    number->setObjectName(QStringLiteral("txt_CBPTNo"));
    number->setMaximumWidth(110);
    attachFilter(number, KeyFilter::Number);
    owner->bindColumn(number, "M_TBL_TRANSACTION", "DOC_NO");
    search = new QPushButton(QStringLiteral("..."), owner);
    search->setObjectName(QStringLiteral("Cmd_SrcCBPT"));
    search->setMaximumWidth(36);
    auto* row = new QHBoxLayout;
    row->addWidget(number);
    row->addWidget(search);
    row->addStretch(1);
    return row;
}

BookingOpsWindow::BookingOpsWindow(Session& session, QWidget* parent, const QString& objectName, const QString& title,
                                   const QList<BookingShown>& shown)
    : TaskWindow(session, parent), shown_(shown) {
    setObjectName(objectName);
    setWindowTitle(title);
    form_ = new QGridLayout;
    form_->setHorizontalSpacing(10);
    QHBoxLayout* number = bookingNumberRow(this, txt_CBPTNo, Cmd_SrcCBPT);
    auto* caption = new QLabel(QStringLiteral("CBPT &NO"), this);
    caption->setBuddy(txt_CBPTNo);
    form_->addWidget(caption, 0, 0);
    form_->addLayout(number, 0, 1);
    for (int i = 0; i < shown_.size(); ++i) {
        const BookingShown& s = shown_.at(i);
        auto* l = new QLabel(this);
        l->setObjectName(s.objectName);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(200);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        labels_.insert(s.objectName, l);
        const int row = 1 + i / 2, column = (i % 2) * 2;
        form_->addWidget(new QLabel(s.caption, this), row, column);
        form_->addWidget(l, row, column + 1);
    }
    form_->setColumnStretch(1, 1);
    form_->setColumnStretch(3, 1);
    body()->addLayout(form_);

    onEnter(txt_CBPTNo, [this] {
        if (Show_CBPT())
            focusNextChild();
    });
    // A number edited names no booking until it is loaded again.
    connect(txt_CBPTNo, &QLineEdit::textEdited, this, [this] {
        booking_ = 0;
        record_ = {};
        clearShown();
    });
    connect(Cmd_SrcCBPT, &QPushButton::clicked, this, [this] {
        QPointer<BookingOpsWindow> self(this);
        openWindow(QStringLiteral("frm_SearchCBPT01"), {{}, [self](const QString& code) {
                                                            if (!self)
                                                                return;
                                                            self->txt_CBPTNo->setText(code);
                                                            self->Show_CBPT();
                                                        }});
    });
}

int BookingOpsWindow::nextRow() const {
    return 1 + (int(shown_.size()) + 1) / 2;
}

QString BookingOpsWindow::shownText(const QString& objectName) const {
    const QLabel* l = labels_.value(objectName);
    return l ? l->text() : QString();
}

void BookingOpsWindow::clearShown() {
    for (QLabel* l : std::as_const(labels_))
        l->clear();
    clearOwn();
}

void BookingOpsWindow::Load_Init() {
    booking_ = 0;
    record_ = {};
    txt_CBPTNo->clear();
    clearShown();
    txt_CBPTNo->setFocus();
}

bool BookingOpsWindow::Show_CBPT() {
    booking_ = 0;
    record_ = {};
    clearShown();
    const qint64 number = txt_CBPTNo->text().trimmed().toLongLong();
    std::optional<QSqlRecord> r;
    if (number <= 0 || !guarded([&] { r = BookingOperations(db(), session().userFullName).booking(number); }) || !r)
        return false;
    if (r->value(QStringLiteral("DOC_STATUS")).toString().trimmed() == status::kCancelled) {
        prompter().information(this, BookingOperations::cancelledText(number));
        return false;
    }
    booking_ = number;
    record_ = *r;
    for (const BookingShown& s : std::as_const(shown_)) {
        const QVariant v = r->value(s.field);
        QString text;
        switch (s.kind) {
            case BookingShown::Kind::Text:
                text = v.toString().trimmed();
                break;
            case BookingShown::Kind::Date:
                text = dateText(v);
                break;
            case BookingShown::Kind::Money:
                text = v.isNull() ? QString() : Money::fromVariant(v).toString();
                break;
            case BookingShown::Kind::ByOn:
                text = byOnText(v, r->value(s.onField));
                break;
        }
        labels_.value(s.objectName)->setText(text);
    }
    showOwn();
    return true;
}

}  // namespace tarvic
