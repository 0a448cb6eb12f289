#include "ItineraryForms.h"

#include "data/Moments.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace tarvic {

ItineraryLength itineraryLength(int nights) {
    if (nights <= 0)
        return {};
    const int days = nights + 1;
    return {days, QStringLiteral("%1 N / %2 D").arg(nights).arg(days)};
}

std::optional<qint64> positiveNumber(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok && n > 0 ? std::optional<qint64>(n) : std::nullopt;
}

namespace itinerary_ui {

QLabel* shownField(QWidget* parent, const char* name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumHeight(22);
    if (minWidth)
        l->setMinimumWidth(minWidth);
    return l;
}

QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QLineEdit* digitsField(QWidget* parent, const char* name) {
    auto* e = textField(parent, name);
    // Counts and serial numbers: a sign is refused as it is typed or pasted.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), e));
    return e;
}

QLineEdit* textField(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QPlainTextEdit* textBox(QWidget* parent, const QString& name) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(name);
    t->setTabChangesFocus(true);
    return t;
}

QueryModel* dayModel(Database& db, QObject* parent) {
    using C = ListColumn;
    auto* model = new QueryModel(db,
                                 {C::number(QStringLiteral("SLNO"), QStringLiteral("ITN_SLNO"), 700),
                                  C::number(QStringLiteral("DAY"), QStringLiteral("ITN_DAY"), 600),
                                  C::text(QStringLiteral("PLACES TO VISIT"), QStringLiteral("ITN_PLACE"), 3000),
                                  C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("ITN_DESC"), 4500),
                                  C::text(QStringLiteral("DISTANCE"), QStringLiteral("ITN_DIST"), 1100, Qt::AlignRight),
                                  C::text(QStringLiteral("HOURS"), QStringLiteral("ITN_HOURS"), 900, Qt::AlignRight),
                                  ListColumn::byOn(QStringLiteral("CREATED BY-ON"), "CREATED_BY", "CREATED_ON", 3000),
                                  ListColumn::byOn(QStringLiteral("UPDATE BY-ON"), "UPDATE_BY", "UPDATE_ON", 3000)},
                                 parent);
    model->setSelect(QStringLiteral("*"));
    model->setOrder(QStringLiteral("ITN_SLNO"));
    return model;
}

}  // namespace itinerary_ui
}  // namespace tarvic
