#include "platform/DesktopTextViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace veskar {

bool DesktopTextViewer::ShowTextFile(const QString& path) {
    return QFileInfo(path).isFile() &&
           QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace veskar
