#include "core/play/PlayEngine.h"

#include <QFileInfo>

#include "core/host/BusyScope.h"
#include "core/play/CutFileInfo.h"
#include "core/play/DeviceFormat.h"
#include "core/timelists/TimeText.h"

namespace veskar {

namespace {

int WrapRow(int row, int count) {
    if (row >= count) {
        return 0;
    }
    if (row < 0) {
        return count - 1;
    }
    return row;
}

bool InList(int row, int count) {
    return row >= 0 && row < count;
}

} // namespace

std::optional<int> FindStartTime(const PlayLines& list, int from, int target) {
    const int count = list.Count();
    const QString wanted = QString::number(target);
    const auto matches = [&](int line) {
        const QString tag = list.Tag(line);
        return target == 0 ? !tag.isEmpty() : tag == wanted;
    };
    for (int line = std::max(from, 0); line < count; ++line) {
        if (matches(line)) {
            return line;
        }
    }
    for (int line = 0; line < std::min(from, count); ++line) {
        if (matches(line)) {
            return line;
        }
    }
    return std::nullopt;
}

PlayEngine::PlayEngine(WaveDevice& device, SharedFlags& flags, const TimeFormat& format,
                       Messenger& messenger, EventPump& pump, PlayView& view, QObject* parent)
    : QObject(parent), m_device(device), m_flags(flags), m_format(format), m_messenger(messenger),
      m_pump(pump), m_view(view) {
    connect(&device, &WaveDevice::PlayEnded, this, [this](PlayRoute route, PlayResult result) {
        if (route == PlayRoute::FileScreen) {
            FileScreenPlayEnded(result);
        } else {
            CutScreenPlayEnded(result);
        }
    });
}

RangeModes PlayEngine::Modes() const {
    RangeModes modes;
    modes.fileScreenShown = controls.fileScreenShown;
    modes.playMode = controls.playMode;
    modes.specialMode = controls.specialMode;
    modes.probes = controls.probes;
    modes.fileSpecialMode = controls.fileSpecialMode;
    modes.introSeconds = FileModeSeconds(controls.introIndex);
    modes.edgeSeconds = FileModeSeconds(controls.edgeIndex);
    return modes;
}

// Every box of playback keeps the right-click menus shut while it is open.
void PlayEngine::ShowError(const QString& text) {
    const bool was = m_flags.errorBoxOpen;
    m_flags.errorBoxOpen = true;
    m_messenger.ShowError(text, Messenger::Ok);
    m_flags.errorBoxOpen = was;
}

void PlayEngine::ShowTimed(const QString& text) {
    const bool was = m_flags.errorBoxOpen;
    m_flags.errorBoxOpen = true;
    m_messenger.ShowTimedMessage(text, Messenger::Ok);
    m_flags.errorBoxOpen = was;
}

QString PlayEngine::PlayError(const QString& detail) const {
    return "再生エラー：" + m_request.playFile + "\n" + detail;
}

bool PlayEngine::CutFileExists() {
    if (QFileInfo::exists(controls.cutFile)) {
        return true;
    }
    ShowTimed(controls.cutFile + "\n" + "このファイルは存在しません・・・");
    return false;
}

void PlayEngine::StopAndClose() {
    m_device.StopAndClose();
    m_view.SetPositionPolling(false);
    Pump();
}

void PlayEngine::StopButton() {
    m_flags.stopRequested = true;
    StopAndClose();
}

void PlayEngine::PlayModeChosen(CutPlayMode mode) {
    if (mode == CutPlayMode::Off) {
        StopAndClose();
    }
}

void PlayEngine::FilePlayModeChosen(FilePlayMode mode) {
    if (mode == FilePlayMode::Off) {
        StopAndClose();
    }
}

TimeMs PlayEngine::QueryCutFileLength(const QString& path) {
    StopAndClose();
    const bool opened = m_device.Open(path);
    Pump();
    if (!opened) {
        StopAndClose();
        ShowError("再生エラー：" + path + "\n" + " オープンに失敗しました。");
        return -1;
    }
    const TimeMs length = m_device.QueryLength().value_or(-1);
    Pump();
    StopAndClose();
    if (length < 0) {
        ShowError("エラー：" + path + "\n" + " サイズ取得に失敗しました。");
    }
    return length;
}

void PlayEngine::ShowPositionOf(TimeMs positionMs) {
    if (positionMs == 0) {
        m_view.ShowPosition("0", {0, 0, 0});
    } else {
        m_view.ShowPosition(m_format.FormatPosition(positionMs), m_bars.Widths(positionMs));
    }
}

bool PlayEngine::StartPlay() {
    const TimeMs shownBefore = m_request.shownPosition;
    StopAndClose();
    if (m_flags.stopRequested || m_flags.shutdownStop) {
        return false;
    }
    const QString path = m_request.playFile;
    const bool opened = m_device.Open(path);
    Pump();
    if (!opened) {
        StopAndClose();
        ShowError(PlayError(" オープンに失敗しました。"));
        return false;
    }
    const TimeMs length = m_device.QueryLength().value_or(0);
    Pump();
    m_request.playLengthMs = length;
    if (length <= 0) {
        StopAndClose();
        ShowTimed(PlayError(" 総再生タイムの取得に、失敗しました。") + "\n" +
                  " ちょっと間をおいてボタンを押してね☆");
        return false;
    }
    const std::optional<WaveFormat> format = m_device.QueryFormat();
    Pump();
    if (format) {
        lastFormat = *format;
    }
    m_view.ShowFileInfo(PlayFileInfoLine(path, format ? DeviceFormatText(*format) : QString()));
    m_view.ShowLength(m_format.FormatPosition(length));

    m_bars.Rescale(length, controls.barPanelWidths);
    if (const std::optional<TimeMs> seek = m_bars.TakePendingSeek()) {
        m_request.playFrom = *seek;
    }
    const PlayWindow window =
        FitPlayWindow({m_request.playFrom, m_request.playTo}, length, Modes(), m_parts);
    m_request.playFrom = window.fromMs;
    m_request.playTo = window.toMs;
    const PlayRoute route = controls.fileScreenShown ? PlayRoute::FileScreen : PlayRoute::CutScreen;
    const bool started = m_device.PlayRange(window.fromMs, window.toMs, route);
    // The position moves only when something plays; a bar dragged for a play that could not
    // start goes back to where it was.
    m_request.shownPosition = started ? (window.fromMs >= 1 ? window.fromMs : 0) : shownBefore;
    ShowPositionOf(m_request.shownPosition);
    Pump();
    if (!started) {
        StopAndClose();
        ShowTimed(PlayError(" 再生開始に失敗しました。"));
        return false;
    }
    if (!m_flags.stopRequested && !m_flags.shutdownStop) {
        m_view.SetPositionPolling(true);
    }
    return true;
}

bool PlayEngine::StartTimeJumpApplies(const PlayLines& list) const {
    const PlayLines::Kind kind = list.LinesKind();
    if (!controls.startTimesEnabled || controls.playMode != CutPlayMode::Continuous ||
        (kind != PlayLines::Kind::Registered && kind != PlayLines::Kind::Table)) {
        return false;
    }
    for (int line = 0; line < list.Count(); ++line) {
        if (!list.Tag(line).isEmpty()) {
            return true;
        }
    }
    return false;
}

std::optional<PlayWindow> PlayEngine::StretchOf(PlayLines& list, int line, bool click) const {
    const std::optional<TimeMs> t = ParseTime(list.Text(line));
    if (!t) {
        return std::nullopt;
    }
    std::optional<TimeMs> end;
    if (list.LinesKind() == PlayLines::Kind::Table) {
        // A row without an end (made while the file length was unknown) plays to the file's end.
        const std::optional<QString> endText = list.EndText(line);
        if (!endText) {
            return std::nullopt;
        }
        if (!endText->isEmpty()) {
            end = ParseTime(*endText);
            if (!end) {
                return std::nullopt;
            }
        }
    } else if (line + 1 < list.Count()) {
        end = ParseTime(list.Text(line + 1));
        if (!end) {
            return std::nullopt;
        }
    } else if (list.LinesKind() == PlayLines::Kind::Subdivision) {
        end = *t + list.StepMs();
    }
    return LineStretch(*t, end, Modes(), click, m_format.FileLengthMs());
}

void PlayEngine::PlayLine(PlayLines& list, int line, bool click) {
    const std::optional<PlayWindow> stretch = StretchOf(list, line, click);
    if (!stretch) {
        // A line whose time cannot be read plays nothing, and nothing follows it.
        m_flags.stopRequested = true;
        return;
    }
    m_request.playFrom = stretch->fromMs;
    m_request.playTo = stretch->toMs;
    Pump();
    if (!StartPlay()) {
        m_flags.stopRequested = true;
    }
}

void PlayEngine::LineClick(PlayLines& list, int line) {
    m_flags.stopRequested = false;
    m_notifyBusy = false;
    Pump();
    if (!CutFileExists() || controls.playMode == CutPlayMode::Off) {
        return;
    }
    if (list.Count() == 0 || line >= list.Count()) {
        return;
    }
    line = std::max(line, 0);
    m_request.playFile = controls.cutFile;
    m_request.source = {&list, nullptr};
    m_view.UpdateLevelPanel(list, line);
    if (StartTimeJumpApplies(list)) {
        line = FindStartTime(list, line, controls.continuousTarget).value_or(line);
    }
    list.SelectOnly(line);
    Pump();
    m_parts.edgeSecondHalf = false;
    PlayLine(list, line, true);
}

bool PlayEngine::BeginCompletion(PlayResult result, bool fileScreenHandler) {
    if (m_notifyBusy) {
        if (result != PlayResult::Aborted) {
            StopAndClose();
            ShowTimed(PlayError(" 再生終了処理中です。"));
        }
        return false;
    }
    m_notifyBusy = true;
    Pump();
    const bool otherScreen =
        fileScreenHandler ? !controls.fileScreenShown : controls.fileScreenShown;
    if (otherScreen || result == PlayResult::Aborted) {
        m_notifyBusy = false;
        return false;
    }
    StopAndClose();
    return true;
}

void PlayEngine::CutScreenPlayEnded(PlayResult result) {
    if (!BeginCompletion(result, false)) {
        return;
    }
    // The flag is cleared on every way out, so that a later completion is never taken for a
    // second one arriving while this one runs.
    const BusyScope busy(m_notifyBusy);
    const CutPlayMode mode = controls.playMode;
    const bool continuing =
        mode == CutPlayMode::Continuous || mode == CutPlayMode::Skip || mode == CutPlayMode::Repeat;
    if (result != PlayResult::Successful || m_request.source.IsFileList() ||
        m_flags.stopRequested || m_flags.shutdownStop || (!m_parts.edgeSecondHalf && !continuing)) {
        return;
    }
    if (!CutFileExists()) {
        return;
    }
    PlayLines* list = m_request.source.lines;
    if (!list || list->Count() == 0) {
        return;
    }
    const int count = list->Count();
    const bool sameLine = m_parts.edgeSecondHalf || mode == CutPlayMode::Repeat;
    int line = list->Current();
    if (list->LinesKind() == PlayLines::Kind::Table) {
        // The table wraps around in every continuing mode.
        if (!sameLine) {
            line = line + 1 >= count ? 0 : line + 1;
        }
        if (StartTimeJumpApplies(*list)) {
            line = FindStartTime(*list, line, controls.continuousTarget).value_or(line);
        }
    } else {
        if (!sameLine) {
            ++line;
            if (line >= count && controls.startTimesEnabled && mode == CutPlayMode::Continuous) {
                if (list->LinesKind() != PlayLines::Kind::Registered) {
                    return;
                }
                line = 0;
            }
        }
        if (!m_parts.edgeSecondHalf && StartTimeJumpApplies(*list)) {
            line = FindStartTime(*list, line, controls.continuousTarget).value_or(line);
        }
    }
    if (!InList(line, count)) {
        return;
    }
    list->SelectOnly(line);
    m_view.UpdateLevelPanel(*list, line);
    PlayLine(*list, line, false);
}

int PlayEngine::NextRow(PlayFileList& list, int current, bool back) {
    switch (controls.filePlayMode) {
    case FilePlayMode::Sequential:
        return back ? current - 1 : current + 1;
    case FilePlayMode::Reverse:
        return back ? current + 1 : current - 1;
    case FilePlayMode::Random:
        return static_cast<int>(random(list.Count()));
    case FilePlayMode::Shuffle:
        return m_bag.PickNext(list, random);
    case FilePlayMode::Off:
    case FilePlayMode::Single:
        break;
    }
    return current;
}

void PlayEngine::FileScreenPlayEnded(PlayResult result) {
    if (!BeginCompletion(result, true)) {
        return;
    }
    const BusyScope busy(m_notifyBusy);
    PlayFileList* list = m_request.source.files;
    if (result != PlayResult::Successful || controls.filePlayMode == FilePlayMode::Off ||
        m_flags.stopRequested || m_flags.shutdownStop || !list || list->Count() == 0) {
        return;
    }
    const int count = list->Count();
    const int current = list->Selected();
    int next = 0;
    if (current >= 0) {
        // The second part of a file, or its next preview chunk, comes from the same file.
        next = m_parts.fileEdgeSecondHalf || m_parts.previewChunkActive
                   ? current
                   : NextRow(*list, current, false);
    }
    if (controls.repeat) {
        next = WrapRow(next, count);
    }
    if (InList(next, count)) {
        list->SelectOnly(next);
        // The click that follows carries on with this file's parts; any other click starts afresh.
        const BusyScope continuing(m_continuingFile);
        list->Click();
    }
}

void PlayEngine::PlayFileListClick(PlayFileList& list) {
    if (m_fileClickBusy) {
        return;
    }
    const BusyScope busy(m_fileClickBusy);
    m_flags.stopRequested = false;
    m_notifyBusy = false;
    if (controls.filePlayMode == FilePlayMode::Off || list.Count() == 0) {
        return;
    }
    const int row = std::max(list.Selected(), 0);
    if (controls.filePlayMode == FilePlayMode::Shuffle) {
        m_bag.TakeOut(row, list);
    }
    m_request.playFile = list.Path(row);
    m_request.source = {nullptr, &list};
    m_request.playFrom = 0;
    m_request.playTo = -1;
    if (!m_continuingFile) {
        // A file the user clicks plays from its first part, not from where the last file's
        // edges or preview chunks had got to.
        m_parts.fileEdgeSecondHalf = false;
        m_parts.previewChunkActive = false;
    }
    if (!StartPlay()) {
        m_flags.stopRequested = true;
    }
}

PlayFileList& PlayEngine::ButtonList(PlayFileList& fileList, PlayFileList& memoryList) const {
    if (m_request.source.files == &fileList || m_request.source.files == &memoryList) {
        return *m_request.source.files;
    }
    return memoryList.Count() > 0 ? memoryList : fileList;
}

void PlayEngine::PlayButton(PlayFileList& fileList, PlayFileList& memoryList) {
    ButtonList(fileList, memoryList).Click();
}

void PlayEngine::StepButton(PlayFileList& fileList, PlayFileList& memoryList, bool back) {
    PlayFileList& list = ButtonList(fileList, memoryList);
    const int count = list.Count();
    if (count == 0) {
        // Nothing to step to; the random modes could not even draw from an empty list.
        list.Click();
        return;
    }
    const int current = std::max(list.Selected(), 0);
    int next = NextRow(list, current, back);
    if (!InList(next, count)) {
        next = controls.repeat ? WrapRow(next, count) : current;
    }
    if (InList(next, count)) {
        list.SelectOnly(next);
    }
    list.Click();
}

void PlayEngine::BackButton(PlayFileList& fileList, PlayFileList& memoryList) {
    StepButton(fileList, memoryList, true);
}

void PlayEngine::SkipButton(PlayFileList& fileList, PlayFileList& memoryList) {
    StepButton(fileList, memoryList, false);
}

void PlayEngine::PlayFromBar(PlaySource source) {
    m_flags.stopRequested = false;
    m_notifyBusy = false;
    if (controls.playMode == CutPlayMode::Off) {
        return;
    }
    if (m_request.source.IsFileList()) {
        m_request.source = source;
    }
    m_request.playFile = controls.cutFile;
    m_request.playTo = -1;
    if (!StartPlay()) {
        m_flags.stopRequested = true;
    }
}

void PlayEngine::CutBarReleased(int pixel, PlayLines& intervalList) {
    m_bars.SetPendingSeek(PositionBar::CutScreen, pixel);
    PlayFromBar({&intervalList, nullptr});
}

void PlayEngine::PlayFromTime(TimeMs fromMs, PlayLines& intervalList) {
    m_request.playFrom = std::max<TimeMs>(fromMs, 0);
    PlayFromBar({&intervalList, nullptr});
}

void PlayEngine::TableBarReleased(int pixel, PlayLines& table) {
    m_bars.SetPendingSeek(PositionBar::Table, pixel);
    PlayFromBar({&table, nullptr});
}

void PlayEngine::FileBarReleased(int pixel, PlayFileList& fileList, PlayFileList& memoryList) {
    m_bars.SetPendingSeek(PositionBar::FileScreen, pixel);
    if (!m_request.source.IsFileList()) {
        m_request.source = {};
    }
    PlayButton(fileList, memoryList);
}

void PlayEngine::PollPosition() {
    if (m_pollBusy) {
        return;
    }
    const BusyScope busy(m_pollBusy);
    Pump();
    const std::optional<TimeMs> position = m_device.QueryPosition();
    if (position && *position != 0) {
        m_request.shownPosition = *position;
        ShowPositionOf(*position);
    }
}

} // namespace veskar
