#pragma once

#include <QChar>
#include <QDate>
#include <QString>

namespace scontrix::voucher {

// The formats every date and amount of the program is written in: day, month
// and four-digit year joined by the system's date separator, and a decimal
// comma, whatever else the user's locale says.
class Formats {
public:
    // Reads the date separator from the system's locale; called once at start-up.
    static void apply();

    static QChar dateSeparator();
    static QChar decimalSeparator() { return u','; }
    // "dd/MM/yyyy" with the separator in force (Qt's pattern letters).
    static QString shortDatePattern();
    static QString formatDate(const QDate& date);

    // The separator used by a short date pattern such as "d.M.yy" or "M/d/yy";
    // "/" when the pattern has none.
    static QChar separatorOf(const QString& shortDatePattern);
};

} // namespace scontrix::voucher
