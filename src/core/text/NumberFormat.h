#pragma once

#include <cstdint>

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace veskar {

/// value in decimal with the thousands separators of the locale ("1,234,567"), no decimals: the
/// number form of the information box and the cut records. The C locale, which would print no
/// separator, gets ",".
QString GroupedNumber(int64_t value, const QLocale& locale = QLocale());

/// GroupedNumber right-aligned in a field of at least width characters, like "%12.0n".
QString GroupedNumberField(int64_t value, int width, const QLocale& locale = QLocale());

/// "yy/mm/dd ddd hh:mm:ss" with the English day names "Sun".."Sat" whatever the locale: the
/// form of every dated text of the program (records, information box, free-space report).
QString MakeDateText(const QDateTime& time);

} // namespace veskar
