#include "core/text/FolderText.h"

namespace veskar {

QString WithTrailingSeparator(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + "/";
}

QString WithoutTrailingSeparator(const QString& folder) {
    QString text = folder;
    while (text.size() > 1 && text.endsWith('/')) {
        text.chop(1);
    }
    return text;
}

} // namespace veskar
