#include "CloudClient/CloudRecords.h"

#include <QDate>
#include <QDateTime>

int ExpInfo::ExpDaysRemaining() const
{
    QDate expiry = QDate::fromString(expiry_date, Qt::ISODate);
    if (!expiry.isValid()) expiry = QDateTime::fromString(expiry_date, Qt::ISODate).date();
    if (!expiry.isValid()) expiry = QDate::fromString(expiry_date.left(10), Qt::ISODate);
    if (!expiry.isValid()) return 0;
    return static_cast<int>(QDate::currentDate().daysTo(expiry));
}
