#include "voucher/Formats.h"

#include <QLocale>

namespace scontrix::voucher {

namespace {
QChar& separatorSlot() {
    static QChar separator = u'/';
    return separator;
}
} // namespace

QChar Formats::separatorOf(const QString& pattern) {
    for (const QChar c : pattern) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    }
    return u'/';
}

void Formats::apply() {
    separatorSlot() = separatorOf(QLocale::system().dateFormat(QLocale::ShortFormat));
}

QChar Formats::dateSeparator() {
    return separatorSlot();
}

QString Formats::shortDatePattern() {
    const QString sep = dateSeparator() == u'\'' ? QStringLiteral("''") : QString(dateSeparator());
    return QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy");
}

QString Formats::formatDate(const QDate& date) {
    return date.toString(shortDatePattern());
}

} // namespace scontrix::voucher
