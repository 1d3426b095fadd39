#include "core/timelists/TimeText.h"

#include <algorithm>
#include <cstdint>

namespace veskar {

namespace {

int DecimalWidth(int64_t value) {
    int width = value < 0 ? 2 : 1;
    for (int64_t rest = value < 0 ? -(value / 10) : value / 10; rest > 0; rest /= 10) {
        ++width;
    }
    return width;
}

// Writes value (>= 0) right-aligned into out[0..width), padding with '0'. Lists of tens of
// thousands of lines are built from this, so it avoids the temporaries of QString::number.
void WriteDigits(QChar* out, int width, int value) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = QChar(u'0' + value % 10);
        value /= 10;
    }
}

std::optional<int64_t> ParseDigits(QStringView text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT32_MAX) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

void TimeFormat::SetFileLength(TimeMs lengthMs) {
    m_fileLengthMs = lengthMs;
    m_timeDigits = DecimalWidth(lengthMs);
    m_minuteDigits = lengthMs > 0 ? DecimalWidth(lengthMs / 60000) : 1;
}

QString TimeFormat::FormatTime(TimeMs t) const {
    if (t < 0) {
        return QString::number(t);
    }
    if (!m_minutesMode) {
        const int width = std::max(m_timeDigits, DecimalWidth(t));
        QString text(width, Qt::Uninitialized);
        WriteDigits(text.data(), width, t);
        return text;
    }
    const int minutes = t / 60000;
    const int minuteWidth = std::max(m_minuteDigits, DecimalWidth(minutes));
    QString text(minuteWidth + 6, Qt::Uninitialized);
    QChar* out = text.data();
    WriteDigits(out, minuteWidth, minutes);
    out[minuteWidth] = u'.';
    WriteDigits(out + minuteWidth + 1, 5, t % 60000);
    return text;
}

QString TimeFormat::FormatPosition(TimeMs t) const {
    if (t < 1) {
        return QStringLiteral("0");
    }
    if (!m_minutesMode) {
        return QString::number(t / 1000);
    }
    const int seconds = (t % 60000) / 1000;
    return QString::number(t / 60000) + u'.' + QChar(u'0' + seconds / 10) +
           QChar(u'0' + seconds % 10);
}

std::optional<TimeMs> ParseTime(QStringView text) {
    text = text.trimmed();
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0) {
        const auto ms = ParseDigits(text);
        return ms ? std::optional<TimeMs>(static_cast<TimeMs>(*ms)) : std::nullopt;
    }
    const auto minutes = ParseDigits(text.first(dot));
    const auto ms = ParseDigits(text.sliced(dot + 1));
    if (!minutes || !ms) {
        return std::nullopt;
    }
    const int64_t total = *minutes * 60000 + *ms;
    if (total > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<TimeMs>(total);
}

} // namespace veskar
