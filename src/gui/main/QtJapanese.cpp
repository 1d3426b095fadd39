#include "gui/main/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace veskar {

QTranslator* InstallQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // qtbase holds the standard buttons, dialogs and menus the window uses.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace veskar
