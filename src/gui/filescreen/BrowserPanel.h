#pragma once

#include <functional>

#include <QWidget>

#include "core/browser/FolderBrowser.h"
#include "core/play/PlayFileList.h"
#include "gui/main/PanelBusy.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace veskar {

class EventPump;
class FolderBrowserView;
class Messenger;
struct SharedFlags;

/// The browser side of the file screen: the browser itself, the filter list with its edit
/// panel Panel_KAKU_EDIT, the folder history with its panel Panel_D_EDIT, "選択確認" and the
/// file list's context menu. As a PlayFileList it is the list the file player walks: a click
/// on a file hands it to playback.
class BrowserPanel : public QWidget, public PlayFileList {
    Q_OBJECT
public:
    BrowserPanel(BrowserState& state, Messenger& messenger, EventPump& pump, SharedFlags& flags,
                 const QString& fallbackFolder, QWidget* parent = nullptr);

    /// What a file click does once the browser has done its part (the play engine's file list
    /// click), and how playback is stopped before files are deleted.
    void SetPlayback(std::function<void(PlayFileList&)> play, std::function<void()> stop);

    /// Start-up: the filter and history boxes from the state, the drive box, then folder shown
    /// as from outside; the file named selectName is selected when it is listed.
    void Start(const QString& folder, const QString& selectName);
    /// Close: the history panel's fix-up when it is open.
    void Close();
    /// The caption of the selected file row, "" when none is selected ("DIR_Text").
    QString SelectedName() const;
    FolderBrowser& Browser() { return m_browser; }

    // PlayFileList
    int Count() const override;
    int Selected() const override;
    void SelectOnly(int row) override;
    QString Path(int row) const override;
    QString Weight(int row) const override;
    void SetWeight(int row, const QString& text) override;
    void Click() override;

    FolderBrowserView* browser = nullptr;
    QPushButton* Btn_KAKU_EDIT = nullptr;
    QWidget* Panel_KAKU_EDIT = nullptr;
    QLineEdit* Edit_KAKU = nullptr;
    QPushButton* Btn_KAKU_HENKO = nullptr;
    QPushButton* Btn_KAKU_NEW = nullptr;
    QPushButton* Btn_KAKU_DEL = nullptr;
    QPushButton* Btn_KAKU_CANCEL = nullptr;
    QPushButton* Button_HIS = nullptr; ///< "H"
    QPushButton* ColorBtn3 = nullptr;  ///< "T"
    QWidget* Panel_D_EDIT = nullptr;
    QComboBox* ComboBox_D_EDIT = nullptr;
    QPushButton* ColorBtn7 = nullptr;  ///< "削除"
    QPushButton* ColorBtn9 = nullptr;  ///< "戻る"
    QPushButton* Btn_SENTAK = nullptr; ///< "選択確認"
    QMenu* PopupMenu_File = nullptr;
    QAction* P_File_DEL_FILE = nullptr;

signals:
    /// A folder is shown (for Edit_File_Disp).
    void FolderShown(const QString& folder);

public slots:
    void ListView1Click();
    void Btn_KAKU_EDITClick();
    void Btn_KAKU_HENKOClick();
    void Btn_KAKU_NEWClick();
    void Btn_KAKU_DELClick();
    void Btn_KAKU_CANCELClick();
    void ColorBtn3Click();
    void Button_HISClick();
    void ComboBox_D_EDITChange(int index);
    void ColorBtn7Click();
    void ColorBtn9Click();
    void Btn_SENTAKClick();
    void P_File_DEL_FILEClick();

private:
    void MakeFilterPanel();
    void MakeHistoryPanel();
    void MakeFileMenu();
    /// The filter box from the state's entries, leaving `FileMask` as it is.
    void ShowFilters();
    void ShowHistory();

    BrowserState& m_state;
    Messenger& m_messenger;
    SharedFlags& m_flags;
    FolderBrowser m_browser;
    std::function<void(PlayFileList&)> m_play;
    std::function<void()> m_stopPlayback;
    PanelBusy m_busy;
};

} // namespace veskar
