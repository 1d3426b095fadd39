#include "core/browser/FileRow.h"

#include <cstdio>
#include <ctime>

#include "core/text/NumberFormat.h"

namespace veskar {

namespace {

QString AttributeText(bool readOnly, bool hidden) {
    QString text(4, u' ');
    if (readOnly) {
        text[0] = u'R';
    }
    if (hidden) {
        text[2] = u'H';
    }
    return text;
}

} // namespace

QString FileSizeText(int64_t sizeBytes) {
    return GroupedNumberField(sizeBytes, 8);
}

QString FileDateText(int64_t modifiedS) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const time_t time = static_cast<time_t>(modifiedS);
    struct tm local {};
    if (localtime_r(&time, &local) == nullptr) {
        return QString();
    }
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d %s", local.tm_year % 100,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  kDays[local.tm_wday]);
    return QString::fromLatin1(text);
}

QString FileTypeText(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

FileRow MakeFileRow(const QString& name, int64_t sizeBytes, int64_t modifiedS, bool readOnly) {
    FileRow row;
    row.name = name;
    row.sizeText = FileSizeText(sizeBytes);
    row.typeText = FileTypeText(name);
    row.dateText = FileDateText(modifiedS);
    row.attributeText = AttributeText(readOnly, name.startsWith(u'.'));
    row.sizeBytes = sizeBytes;
    row.modifiedS = modifiedS;
    return row;
}

} // namespace veskar
