#include "core/analysis/CutAnalysis.h"

#include <QFileInfo>

#include "core/host/Host.h"
#include "core/wav/IntervalPeaks.h"
#include "core/wav/SilenceSuggestion.h"
#include "core/wav/SlotLevels.h"
#include "core/wav/StartAgreement.h"
#include "core/wav/WavHeader.h"
#include "core/wav/WavReader.h"

namespace veskar {

namespace {

QString FileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

// The peak frame's time never exceeds the file length, which is a TimeMs.
TimeMs PeakTime(int64_t peakMs) {
    return static_cast<TimeMs>(peakMs);
}

} // namespace

CutAnalysis::CutAnalysis(TimeLists& lists) : m_lists(lists) {
}

void CutAnalysis::ChooseFile(const QString& path) {
    m_cutFile = path;
    WavInfo info;
    const bool bits8 = ReadWavInfo(path, info).isEmpty() && info.bitsPerSample == 8;
    family = bits8 ? SampleFamily::Bits8 : SampleFamily::Bits16;
    silenceSettings.levels = DefaultSilenceSettings(family).levels;
    intervalMeasured = false;
    m_profileReady = false;
    ClearSilences();
}

void CutAnalysis::ClearSilences() {
    m_silences = SilenceResult{};
    m_agreement = {};
    for (TimeList& lines : m_silenceLines) {
        lines.Clear();
    }
    peak = PeakTexts{};
    SilenceListsChanged();
}

void CutAnalysis::SilenceListsChanged() {
    if (m_silenceListsChanged) {
        m_silenceListsChanged();
    }
}

QString CutAnalysis::MarkText() const {
    return QString::number(SongStartColor(m_lists.startColors));
}

bool CutAnalysis::MeasureIntervalPeaks(Host& host) {
    // The run pumps events, in which another file may be chosen; what it measured then belongs
    // to no list on screen and is dropped.
    const QString path = m_cutFile;
    int handle = host.progress.Open(FileNameOf(path) + QStringLiteral("  色分け中"),
                                    QStringLiteral("等間隔リスト色分け処理中"));
    for (auto& levels : m_lists.intervalLevels) {
        levels.clear();
    }
    peak = PeakTexts{};
    const QString mark = MarkText();

    IntervalPeaks peaks;
    PeakProfile profile;
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::IntervalPeaks, wav);
    if (result.isEmpty()) {
        const BlockVisitor shared =
            m_sharedRead.join ? m_sharedRead.join(path, wav.info) : BlockVisitor{};
        result = veskar::MeasureIntervalPeaks(
            wav, ReadProgress{&host.progress, handle, &host.pump}, peaks, shared, &profile);
        if (m_sharedRead.leave) {
            m_sharedRead.leave(result.isEmpty());
        }
    }
    const bool current = path == m_cutFile;
    if (current && result.isEmpty()) {
        m_profile = std::move(profile);
        m_profileReady = true;
    }
    if (current) {
        for (int k = 0; k < kIntervalLevels; ++k) {
            m_lists.intervalLevels[static_cast<size_t>(k)].assign(peaks.lists[k].begin(),
                                                                  peaks.lists[k].end());
        }
    }
    if (current && result.isEmpty()) {
        peak.time = m_lists.format.FormatTime(PeakTime(peaks.peakMs));
        peak.level = QString::number(peaks.peak);
        // Lists that gained a song start at 0 get its line on top; the lines below keep their
        // selection.
        std::array<int, kSilenceChannels> before{};
        for (int k = 0; k < kSilenceChannels; ++k) {
            before[k] = m_silences.lists[k].Size();
        }
        AddSongStartsAtZero(m_silences, mark);
        m_agreement = StartAgreement(m_silences);
        for (int k = 0; k < kSilenceChannels; ++k) {
            if (m_silences.lists[k].Size() != before[k]) {
                m_silenceLines[k].Insert(0, m_lists.format.FormatTime(0));
            }
        }
        SilenceListsChanged();
        intervalMeasured = true;
    }
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
    }
    host.progress.Close(handle);
    return result.isEmpty() && current;
}

bool CutAnalysis::MeasureListLevels(int level, Host& host) {
    if (level < 0 || level >= kSubdivisionLevels) {
        return false;
    }
    const TimeList& list = m_lists.subdivisions[static_cast<size_t>(level)];
    if (list.IsEmpty()) {
        return false;
    }
    const auto startMs = ParseTime(list.Text(0));
    if (!startMs) {
        return false;
    }
    const int slotMs = SubdivisionStepMs(level);
    // Only the long lists read enough to be worth a box with a stop button.
    const bool withBox = level >= 4;
    int handle = -1;
    if (withBox) {
        handle =
            host.progress.Open(FileNameOf(m_cutFile) + QStringLiteral("  色分け処理中"),
                               QString::number(slotMs) + QStringLiteral("msリスト色分け処理中"));
    }
    const ReadProgress progress{withBox ? &host.progress : nullptr, handle, &host.pump};
    const QString result = MeasureSlotLevels(m_cutFile, slotMs, list.Count(), *startMs, progress,
                                             m_lists.slotLevels[static_cast<size_t>(level)]);
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
    }
    if (withBox) {
        host.progress.Close(handle);
    }
    return result.isEmpty();
}

bool CutAnalysis::DetectSilences(Host& host) {
    const QString path = m_cutFile;
    int handle = host.progress.Open(FileNameOf(path) + QStringLiteral("  無音検出中"),
                                    QStringLiteral("自動無音検出処理中"));
    ClearSilences();
    // Found into a list of its own: another file may be chosen while the run pumps events, and
    // what was found then belongs to none of its lists.
    SilenceResult found;
    const QString result = veskar::DetectSilences(
        path, silenceSettings, MarkText(), ReadProgress{&host.progress, handle, &host.pump}, found);
    const bool current = path == m_cutFile;
    if (current) {
        m_silences = std::move(found);
        ShowSilences();
        if (result.isEmpty()) {
            peak.time = m_lists.format.FormatTime(PeakTime(m_silences.peakMs));
            peak.level = QString::number(m_silences.peak);
        }
    }
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
    }
    host.progress.Close(handle);
    return result.isEmpty() && current;
}

void CutAnalysis::ShowSilences() {
    m_agreement = StartAgreement(m_silences);
    for (int k = 0; k < kSilenceChannels; ++k) {
        QStringList texts;
        texts.reserve(m_silences.lists[k].Size());
        for (const int64_t ms : m_silences.lists[k].timesMs) {
            texts.append(m_lists.format.FormatTime(static_cast<TimeMs>(ms)));
        }
        m_silenceLines[k].Assign(texts);
    }
    SilenceListsChanged();
}

bool CutAnalysis::EnsureProfile(Host& host) {
    if (m_profileReady) {
        return true;
    }
    const QString path = m_cutFile;
    int handle = host.progress.Open(FileNameOf(path) + QStringLiteral("  おすすめ計算中"),
                                    QStringLiteral("無音設定おすすめ処理中"));
    PeakProfile profile;
    SilenceSuggestion unused;
    const QString result = veskar::SuggestSilenceSettings(
        path, silenceSettings.recognition, ReadProgress{&host.progress, handle, &host.pump},
        profile, unused);
    // Another file chosen while the run pumped events: the profile is not this file's.
    const bool current = path == m_cutFile;
    if (current && result.isEmpty()) {
        m_profile = std::move(profile);
        m_profileReady = true;
    }
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
    }
    host.progress.Close(handle);
    return result.isEmpty() && current;
}

bool CutAnalysis::SuggestSilenceSettings(Host& host) {
    if (!EnsureProfile(host)) {
        return false;
    }
    silenceSettings =
        veskar::SuggestSilenceSettings(m_profile, silenceSettings.recognition).settings;
    return true;
}

bool CutAnalysis::RegisterFittedPieces(int pieces, Host& host) {
    if (!EnsureProfile(host)) {
        return false;
    }
    const int level = veskar::SuggestSilenceSettings(m_profile, silenceSettings.recognition).level;
    const SilenceList fitted = FitPieceCount(m_profile, level, pieces, MarkText());
    QStringList texts;
    for (const int64_t ms : fitted.timesMs) {
        texts.append(m_lists.format.FormatTime(static_cast<TimeMs>(ms)));
    }
    TimeList lines;
    lines.Assign(texts);
    lines.SelectAll();
    return m_lists.RegisterLines(lines, true, host.messenger, &fitted.marks) ==
           TimeLists::RegisterResult::Registered;
}

int CutAnalysis::SilenceAgreement(int channel, int line) const {
    if (channel < 0 || channel >= kSilenceChannels || line < 0 ||
        line >= static_cast<int>(m_agreement[static_cast<size_t>(channel)].size())) {
        return 0;
    }
    return m_agreement[static_cast<size_t>(channel)][static_cast<size_t>(line)];
}

void CutAnalysis::RestoreSilenceDefaults() {
    silenceSettings = DefaultSilenceSettings(family);
}

QString CutAnalysis::PeakMessage() const {
    return QStringLiteral("ピークタイム\n") + peak.time + QStringLiteral("\nピークレベル\n") +
           peak.level;
}

std::optional<StartColorStyle> CutAnalysis::SilenceLineStyle(int channel, int line) const {
    if (channel < 0 || channel >= kSilenceChannels) {
        return std::nullopt;
    }
    const QStringList& marks = SilenceMarks(channel);
    if (line < 0 || line >= marks.size() || marks[line].isEmpty()) {
        return std::nullopt;
    }
    return StartColorStyleOf(SongStartColor(m_lists.startColors));
}

QStringList CutAnalysis::NumericLevelLines(int level) const {
    QStringList lines;
    if (level < 0 || level >= kSubdivisionLevels) {
        return lines;
    }
    const auto& measured = m_lists.slotLevels[static_cast<size_t>(level)];
    const int count = m_lists.subdivisions[static_cast<size_t>(level)].Count();
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        lines.append(QString::number(
            static_cast<size_t>(i) < measured.size() ? measured[static_cast<size_t>(i)] : -1));
    }
    return lines;
}

QString CutAnalysis::NumericLevelTitle(int level) {
    if (level < 0 || level > 3) {
        return {};
    }
    return QStringLiteral("[ ") + QString::fromLatin1(SubdivisionCaption(level)) +
           QStringLiteral(" ]");
}

} // namespace veskar
