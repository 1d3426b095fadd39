#pragma once

#include <array>

#include <QString>

#include "core/play/PositionBars.h"

namespace veskar {

class PlayLines;

/// What the play engine tells the window to show. The window implements it over its labels,
/// bars and timer; the engine never touches a widget.
class PlayView {
public:
    virtual ~PlayView() = default;

    /// The file information line Edit_File_Disp.
    virtual void ShowFileInfo(const QString& line) = 0;
    /// The length labels Label13 ("総再生時間（秒）") and Label1 ("終了タイム").
    virtual void ShowLength(const QString& text) = 0;
    /// The position labels Label14 ("再生時間（秒）") and Label2 ("再生タイム"), and the widths
    /// of the three position bars in pixels.
    virtual void ShowPosition(const QString& text,
                              const std::array<int, kPositionBars>& barWidths) = 0;
    /// Starts or stops the position timer Timer8, whose ticks call PlayEngine::PollPosition.
    virtual void SetPositionPolling(bool on) = 0;
    /// A line was clicked or continuous playback moved to it: the numeric level panel follows.
    virtual void UpdateLevelPanel(PlayLines& list, int line) = 0;
};

} // namespace veskar
