#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "core/cut/CutMenu.h"

class QAction;
class QMenu;
class QWidget;

namespace veskar {

class CutScreen;
class Messenger;
class TimeLists;

/// Cut points in and out of the registered list: a label track (.txt) or a cue sheet (.cue)
/// for other audio programs, from the file menu of the cut screen. Export writes the lines a
/// cut command would cut; import adds the file's pieces to the registered list.
class CutPointCommands : public QObject {
    Q_OBJECT
public:
    /// Asks for the file to write (save) or read: title and suggested path in, the chosen path
    /// out (empty when cancelled).
    using FilePicker =
        std::function<QString(const QString& title, const QString& suggested, bool save)>;

    /// Adds its items to fileMenu; dialogs centre on window.
    CutPointCommands(CutScreen& screen, TimeLists& lists, Messenger& messenger, QMenu* fileMenu,
                     QWidget* window);

    /// The program's folder and file selection dialog; tests replace it.
    FilePicker pickFile;

    QMenu* MF_CP_OUT0 = nullptr; ///< "カットポイント書き出し" and the cut commands' choices
    QAction* MF_CP_IN = nullptr; ///< "カットポイント読み込み..."

public slots:
    /// Writes the lines command would cut, as the chosen file's extension says.
    void ExportClick(CutCommand command);
    /// Adds the pieces of a label track or cue sheet to the registered list.
    void ImportClick();

private:
    CutScreen& m_screen;
    TimeLists& m_lists;
    Messenger& m_messenger;
};

} // namespace veskar
