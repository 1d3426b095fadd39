#pragma once

#include <memory>

#include <QMainWindow>

#include "core/host/SharedFlags.h"
#include "core/timelists/TimeLists.h"
#include "platform/QtEventPump.h"

class QMenu;
class QStackedWidget;
class QWidget;

namespace veskar {

class CutScreen;
class Messenger;

/// The main window. It owns the state of both screens: the file-selection screen Panel_DFF
/// (browser, memory list, player) and the cut screen Panel_CUT (time lists, registered list,
/// silence and level panels). Each screen is filled by its own class as it is built.
class TKOTAN_VESKAR : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "PIRVAN SOUND カッター";

    explicit TKOTAN_VESKAR(QWidget* parent = nullptr);
    ~TKOTAN_VESKAR() override;

    QWidget* Panel_DFF = nullptr;
    /// The cut screen (objectName "Panel_CUT"); cutScreen is the same widget with its controls.
    QWidget* Panel_CUT = nullptr;
    CutScreen* cutScreen = nullptr;
    /// The option menu.
    QMenu* MOption0 = nullptr;

    /// Every time list of the cut screen with its attached data.
    TimeLists timeLists;
    SharedFlags flags;

public slots:
    void ShowFileScreen();
    void ShowCutScreen();

private:
    std::unique_ptr<Messenger> m_messenger;
    QtEventPump m_pump;
    QStackedWidget* m_screens = nullptr;
};

} // namespace veskar
