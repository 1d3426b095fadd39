#pragma once

#include <QObject>

#include "core/wav/SilencePresets.h"
#include "gui/main/PanelBusy.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace veskar {

class CutAnalysis;
class Messenger;
class SilencePanel;

/// The silence presets on the silence panel: the list box ComboBox_MDATA of the current sample
/// family and the edit panel Panel_MDATA (rename, new, delete). The fields it loads and saves
/// are CutAnalysis::silenceSettings, shown by the silence panel.
class SilencePresetBar : public QObject {
    Q_OBJECT
public:
    SilencePresetBar(CutAnalysis& analysis, SilencePanel& panel, Messenger& messenger,
                     const QString& dir);

    /// Start-up: the presets in the folder, the names kept in the settings, and the selected
    /// preset of the current family into the fields.
    void Start(const QString& name16, const QString& name08);
    /// The fields into the selected preset of the current family; a failure is told.
    QString Save();
    /// The selected preset of the current family into the fields (after a family change).
    void LoadCurrent();
    /// A long run (silence detection reads the fields) holds the presets still.
    void SetRunGoingOn(bool running) { m_busy.SetHeld(running); }
    QString SelectedName(SampleFamily family) const { return m_presets.SelectedName(family); }

    QComboBox* ComboBox_MDATA = nullptr;
    QPushButton* Btn_MDATA_HENSHU = nullptr; ///< "*"
    QWidget* Panel_MDATA = nullptr;
    QLineEdit* Edit_MDATA = nullptr;
    QPushButton* Btn_MDATA_HENKO = nullptr;
    QPushButton* Btn_MDATA_NEW = nullptr;
    QPushButton* Btn_MDATA_DEL = nullptr;
    QPushButton* Btn_MDATA_CANCEL = nullptr;

public slots:
    void ComboBox_MDATAClick(int index);
    void Btn_MDATA_HENSHUClick();
    void Btn_MDATA_HENKOClick();
    void Btn_MDATA_NEWClick();
    void Btn_MDATA_DELClick();

private:
    void ShowNames();
    SampleFamily Family() const;
    void Report(const QString& error);

    CutAnalysis& m_analysis;
    SilencePanel& m_panel;
    Messenger& m_messenger;
    SilencePresets m_presets;
    PanelBusy m_busy;
};

} // namespace veskar
