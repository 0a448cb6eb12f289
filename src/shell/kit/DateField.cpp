#include "DateField.h"

#include <QLineEdit>

namespace tarvic {

namespace {
const QString kFormat = QStringLiteral("dd/MM/yyyy");
const QString kMask = QStringLiteral("99/99/9999");
}  // namespace

QLineEdit* makeDateField(QWidget* parent, const QString& objectName) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setInputMask(kMask);
    e->setMaxLength(10);
    e->setPlaceholderText(QStringLiteral("DD/MM/YYYY"));
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    return e;
}

QDate lineDate(const QString& text) {
    return QDate::fromString(text.trimmed(), kFormat);
}

QString lineDateText(const QDate& date) {
    return date.isValid() ? date.toString(kFormat) : QString();
}

QDate fieldDate(const QLineEdit* field) {
    return lineDate(field->text());
}

void setFieldDate(QLineEdit* field, const QDate& date) {
    field->setText(lineDateText(date));
}

bool dateFieldEmpty(const QLineEdit* field) {
    return QString(field->text()).remove(QLatin1Char('/')).trimmed().isEmpty();
}

}  // namespace tarvic
