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

} // namespace veskar
