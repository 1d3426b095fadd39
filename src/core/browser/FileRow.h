#pragma once

#include <cstdint>

#include <QString>

namespace veskar {

/// Columns of the file list ListView1.
enum class FileColumn { Name = 0, Size, Type, Date, Attributes };
inline constexpr int kFileColumnCount = 5;

/// One row of the file list: the shown texts and the values they were made from, which the
/// sorting uses instead of reading the file again.
struct FileRow {
    QString name;          ///< file name with extension (the row caption)
    QString sizeText;      ///< "%8.0n": thousands separators, right-aligned in 8
    QString typeText;      ///< extension without the dot, lower-cased; empty without one
    QString dateText;      ///< last write, "yy/mm/dd hh:mm:ss ddd"
    QString attributeText; ///< "RSHA", a space for each attribute not set
    int64_t sizeBytes = 0;
    int64_t modifiedS = 0; ///< last write, seconds since the epoch
    /// The shuffle weight of the file (see ShuffleBag): the first of the row's three data
    /// fields that are never shown. A fresh row has none.
    QString weight;

    /// Drawn italic.
    bool IsSystem() const { return attributeText.size() > 1 && attributeText[1] == u'S'; }
    /// Drawn struck out.
    bool IsHidden() const { return attributeText.size() > 2 && attributeText[2] == u'H'; }
};

/// The texts of a row. The attributes are those of a DOS file as far as they exist here:
/// read-only is a file the user may not write, hidden a name beginning with "."; system and
/// archive are never set.
FileRow MakeFileRow(const QString& name, int64_t sizeBytes, int64_t modifiedS, bool readOnly);

/// "%8.0n" of a byte count.
QString FileSizeText(int64_t sizeBytes);
/// "yy/mm/dd hh:mm:ss ddd" in local time, with the English day names "Sun".."Sat".
QString FileDateText(int64_t modifiedS);
/// Lower-cased extension of a file name without the dot; empty when it has none.
QString FileTypeText(const QString& name);

} // namespace veskar
