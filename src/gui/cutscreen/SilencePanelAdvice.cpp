// The silence panel's advice: the suggested settings, the pieces of a known count, and how
// many of the six lists agree on each song start.
#include <QColor>
#include <QHBoxLayout>
#include <QPushButton>

#include "core/analysis/CutAnalysis.h"
#include "gui/cutscreen/PanelTools.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/TTMSETBox.h"
#include "gui/dialogs/TTmSETBoxDlg.h"
#include "gui/main/BusyCursor.h"

namespace veskar {

QHBoxLayout* SilencePanel::MakeAdviceButtons(QWidget* panel) {
    Btn_Muon_Suggest =
        MakePanelButton("Btn_Muon_Suggest", QStringLiteral("おすすめ"),
                        QStringLiteral("録音から無音タイム／レベルを決めて検出する"), panel);
    Btn_Muon_Tracks =
        MakePanelButton("Btn_Muon_Tracks", QStringLiteral("曲数で分割…"),
                        QStringLiteral("曲数を指定して、長い無音から順に登録する"), panel);
    connect(Btn_Muon_Suggest, &QPushButton::clicked, this, &SilencePanel::Btn_Muon_SuggestClick);
    connect(Btn_Muon_Tracks, &QPushButton::clicked, this, &SilencePanel::Btn_Muon_TracksClick);
    TmSETBoxDlg_Tracks = new TTmSETBoxDlg(this);
    auto* row = new QHBoxLayout;
    row->addWidget(Btn_Muon_Suggest, 1);
    row->addWidget(Btn_Muon_Tracks, 1);
    return row;
}

void SilencePanel::Btn_Muon_SuggestClick() {
    if (m_detecting) {
        return;
    }
    bool suggested = false;
    {
        BusyCursor busy;
        m_detecting = true;
        suggested = m_analysis.SuggestSilenceSettings(m_host);
        m_detecting = false;
    }
    if (suggested) {
        ShowSettings();
        Btn_Muon_STARTClick();
    }
}

void SilencePanel::Btn_Muon_TracksClick() {
    if (m_detecting) {
        return;
    }
    TTmSETBoxDlg& box = *TmSETBoxDlg_Tracks;
    box.SetTitle(QStringLiteral("曲数で分割"));
    box.SetSourceHandle(m_parent);
    box.SetHMS(QStringLiteral("曲"));
    box.SetMsg0(QStringLiteral("分割する"));
    box.SetMsg1(QStringLiteral("曲数"));
    box.SetMsg2(QStringLiteral(" (長く静かな無音から順に選びます)"));
    box.SetMinCount(1);
    box.SetTCount(m_pieces);
    if (box.Execute() != Messenger::Ok || box.TCount() < 1) {
        return;
    }
    m_pieces = box.TCount();
    m_detecting = true;
    bool registered = false;
    {
        BusyCursor busy;
        registered = m_analysis.RegisterFittedPieces(m_pieces, m_host);
    }
    m_detecting = false;
    if (registered) {
        emit LinesRegistered();
    }
}

void SilencePanel::ShowAgreement(int k, TimeListBox* box) {
    box->Model()->SetSuffixFn([this, k](int row) {
        const int count = m_analysis.SilenceAgreement(k, row);
        return count > 0 ? QStringLiteral(" ") + QString::number(count) : QString();
    });
    // A start every setting found keeps its start colour and gets a text colour of its own.
    box->Model()->SetColorFn([this, k](int row) -> std::optional<LineColors> {
        const auto style = m_analysis.SilenceLineStyle(k, row);
        if (!style) {
            return std::nullopt;
        }
        const QColor background = QColor::fromRgb(static_cast<QRgb>(style->background));
        QColor text = QColor::fromRgb(static_cast<QRgb>(style->text));
        if (m_analysis.SilenceAgreement(k, row) == kSilenceChannels) {
            text = text.lightness() > 128 ? QColor(Qt::yellow) : QColor(Qt::darkRed);
        }
        return LineColors{background, text};
    });
}

} // namespace veskar
