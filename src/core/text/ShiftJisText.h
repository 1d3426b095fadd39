#pragma once

#include <QString>

namespace veskar {

/// Byte width of a character as the Shift-JIS code page stores it: 1 for ASCII and half-width
/// katakana, 2 for every other character. A surrogate pair counts as one character of width 2.
int ShiftJisWidth(char32_t ch);

/// Byte length of a text in Shift-JIS widths.
int ShiftJisLength(const QString& text);

/// The longest beginning of text whose Shift-JIS length is at most maxBytes. A two-byte
/// character is never split, so the result may be one byte shorter than maxBytes.
QString TruncateText(const QString& text, int maxBytes);

} // namespace veskar
