#pragma once

#include <QMainWindow>

class QStackedWidget;
class QWidget;

namespace veskar {

/// The main window. It owns the state of both screens: the file-selection screen Panel_DFF
/// (browser, memory list, player) and the cut screen Panel_CUT (time lists, registered list,
/// silence and level panels). Each screen is filled by its own class as it is built.
class TKOTAN_VESKAR : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "PIRVAN SOUND カッター";

    explicit TKOTAN_VESKAR(QWidget* parent = nullptr);

    QWidget* Panel_DFF = nullptr;
    QWidget* Panel_CUT = nullptr;

public slots:
    void ShowFileScreen();
    void ShowCutScreen();

private:
    QStackedWidget* m_screens = nullptr;
};

} // namespace veskar
