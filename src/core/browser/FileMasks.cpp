#include "core/browser/FileMasks.h"

namespace veskar {

namespace {

// Folded one character at a time, as the names are while matching.
QString Folded(QStringView text) {
    QString folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        folded[i] = text[i].toCaseFolded();
    }
    return folded;
}

// Glob matching with "*" and "?" over a mask that is already case-folded. A "*" remembers where
// it stood, so a later mismatch retries one character further instead of recursing.
bool FoldedMaskMatches(QStringView mask, QStringView name) {
    qsizetype m = 0;
    qsizetype n = 0;
    qsizetype starMask = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') {
        ++m;
    }
    return m == mask.size();
}

bool FoldedMatches(QStringView mask, QStringView name) {
    if (FoldedMaskMatches(mask, name)) {
        return true;
    }
    // "name.*" takes "name" as well: an empty extension is still an extension.
    return mask.endsWith(u".*") && !name.contains(u'.') && FoldedMaskMatches(mask.chopped(2), name);
}

} // namespace

FileMasks::FileMasks(const QString& text) {
    for (const QString& part : text.split(u';')) {
        const QString mask = part.trimmed();
        if (!mask.isEmpty()) {
            m_masks << mask;
            m_folded << Folded(mask);
        }
    }
}

int FileMasks::MatchCount(QStringView name) const {
    int count = 0;
    for (const QString& mask : m_folded) {
        count += FoldedMatches(mask, name) ? 1 : 0;
    }
    return count;
}

bool MaskMatches(QStringView mask, QStringView name) {
    return FoldedMatches(Folded(mask), name);
}

} // namespace veskar
