#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veskar {

/// The file masks of a filter text ("*.WAV;*.MP3"), matched against file names without regard
/// to letter case, as masks behave on the system the filter lists come from. "*" stands for any
/// run of characters, "?" for one character; a mask ending in ".*" also takes a name without an
/// extension, so "*.*" lists every file.
class FileMasks {
public:
    /// Splits text at ";". Blanks around a mask are dropped and empty masks are skipped, so
    /// "*.wav; *.mp3;" is two masks.
    explicit FileMasks(const QString& text);

    const QStringList& Masks() const { return m_masks; }
    /// How many of the masks match name: a file matched by two masks is listed twice.
    int MatchCount(QStringView name) const;

private:
    QStringList m_masks;  ///< as given, for showing
    QStringList m_folded; ///< case-folded, for matching
};

/// True when the one mask matches the whole name, letter case aside.
bool MaskMatches(QStringView mask, QStringView name);

} // namespace veskar
