#include "core/text/ShiftJisText.h"

#include <climits>

namespace veskar {

int ShiftJisWidth(char32_t ch) {
    const bool ascii = ch < 0x80;
    const bool halfWidthKatakana = ch >= 0xFF61 && ch <= 0xFF9F;
    return ascii || halfWidthKatakana ? 1 : 2;
}

namespace {

// Walks text character by character (a surrogate pair is one character); returns the number of
// UTF-16 units that fit into maxBytes, and the bytes they take in total.
qsizetype FittingUnits(const QString& text, int maxBytes, int* bytesUsed) {
    qsizetype i = 0;
    int bytes = 0;
    while (i < text.size()) {
        char32_t ch = text.at(i).unicode();
        qsizetype units = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            units = 2;
        }
        const int width = ShiftJisWidth(ch);
        if (bytes + width > maxBytes) {
            break;
        }
        bytes += width;
        i += units;
    }
    if (bytesUsed) {
        *bytesUsed = bytes;
    }
    return i;
}

} // namespace

int ShiftJisLength(const QString& text) {
    int bytes = 0;
    FittingUnits(text, INT_MAX, &bytes);
    return bytes;
}

QString TruncateText(const QString& text, int maxBytes) {
    if (maxBytes <= 0) {
        return {};
    }
    return text.left(FittingUnits(text, maxBytes, nullptr));
}

} // namespace veskar
