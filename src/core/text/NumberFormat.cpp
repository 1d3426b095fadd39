#include "core/text/NumberFormat.h"

namespace veskar {

QString GroupedNumber(int64_t value, const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        QLocale english(QLocale::English, QLocale::UnitedStates);
        english.setNumberOptions(QLocale::DefaultNumberOptions);
        return english.toString(static_cast<qlonglong>(value));
    }
    QLocale grouped(locale);
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(static_cast<qlonglong>(value));
}

QString GroupedNumberField(int64_t value, int width, const QLocale& locale) {
    return GroupedNumber(value, locale).rightJustified(width);
}

QString MakeDateText(const QDateTime& time) {
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const QDate date = time.date();
    return QStringLiteral("%1/%2/%3 %4 %5")
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(kDays[(date.dayOfWeek() + 6) % 7]),
             time.time().toString(QStringLiteral("HH:mm:ss")));
}

} // namespace veskar
