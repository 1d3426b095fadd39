#pragma once

class QCoreApplication;
class QTranslator;

namespace veskar {

/// Loads Qt's own Japanese texts (standard buttons, file dialogs, the edit boxes' context menus)
/// from Qt's translations folder, so the parts Qt draws speak the program's language whatever
/// the user's locale. The translator belongs to the application; nullptr when Qt's translations
/// are not installed, and Qt's English texts stay.
QTranslator* InstallQtJapanese(QCoreApplication& app);

} // namespace veskar
