#include "LeadStatusList.h"

#include <QStandardItemModel>

namespace tarvic {

LeadStatusList::LeadStatusList(Session& session, Kind kind, QWidget* parent)
    : QComboBox(parent), session_(session), kind_(kind) {
    setObjectName(QStringLiteral("Cmb_LeadStatus"));
    setMinimumWidth(180);
}

void LeadStatusList::load() {
    clear();
    hasStored_ = false;
    const QString where = kind_ == Kind::Entry ? QStringLiteral(" WHERE COALESCE(LEAD_LOCK,'N')<>'Y'") : QString();
    if (kind_ == Kind::Filter)
        addItem(QStringLiteral("%"));
    QSqlQuery q = session_.db->exec(QStringLiteral("SELECT LEADSTATUS_CODE, LEAD_STATUS FROM M_TBL_LEADSTATUS") +
                                    where + QStringLiteral(" ORDER BY LEAD_SLNO, LEADSTATUS_CODE"));
    while (q.next())
        addItem(q.value(1).toString().trimmed(), QString::number(q.value(0).toLongLong()));
    setCurrentIndex(kind_ == Kind::Filter ? 0 : -1);
}

QString LeadStatusList::code() const {
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void LeadStatusList::dropStored() {
    if (hasStored_)
        removeItem(0);
    hasStored_ = false;
}

void LeadStatusList::setStored(const QString& code, const QString& name) {
    dropStored();
    if (code.trimmed().isEmpty()) {
        setCurrentIndex(-1);
        return;
    }
    const int at = findData(code);
    if (at >= 0) {
        setCurrentIndex(at);
        return;
    }
    // Not offered: shown as it is stored, and never chosen by hand once left.
    insertItem(0, name.isEmpty() ? code : name, code);
    if (auto* m = qobject_cast<QStandardItemModel*>(model()))
        m->item(0)->setFlags(m->item(0)->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    hasStored_ = true;
    setCurrentIndex(0);
}

}  // namespace tarvic
