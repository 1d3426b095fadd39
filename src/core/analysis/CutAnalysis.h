#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/timelists/StartColors.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeLists.h"
#include "core/wav/DataBlockReader.h"
#include "core/wav/LevelColor.h"
#include "core/wav/PeakProfile.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/SilenceSettings.h"

namespace veskar {

struct Host;

/// Another measure riding on the level run's read of the data, so a file that both need is read
/// once (the overview's envelope). join is called once the header is read and returns the
/// visitor to hand every block to, or none; leave follows the read, with whether it reached the
/// end of the data.
struct SharedRead {
    std::function<BlockVisitor(const QString& path, const WavInfo& info)> join;
    std::function<void(bool whole)> leave;
};

/// Where and how loud the recording peaks, as the peak display shows it: "-" until an
/// equal-interval or silence run has found it.
struct PeakTexts {
    QString time = QStringLiteral("-");  ///< time text of the first frame at the peak
    QString level = QStringLiteral("-"); ///< the peak magnitude in decimal
};

/// The options of the level analysis; the settings store keeps them as "1sColor", "10sColor",
/// "60sColor" and "MO_SL_OUT".
struct LevelOptions {
    LevelDisplayOptions display;
    bool numericLevels = true; ///< "数値レベル表示ON": clicked short lists show their numbers
};

/// The level analysis and silence detection of the cut file as the cut screen drives them: the
/// options and silence fields in force, the runs with their progress boxes and messages, and
/// what they leave behind (levels in the time lists, the six silence lists, the peak). The
/// window's handlers read their controls into this, call a run and show the result.
class CutAnalysis {
public:
    explicit CutAnalysis(TimeLists& lists);

    /// The sample-width family of the cut file: it selects the level colours, the silence level
    /// defaults and the quick choices of the level fields.
    SampleFamily family = SampleFamily::Bits16;
    /// The silence panel's fields as typed: recognition time, six durations and six levels.
    SilenceSettings silenceSettings = DefaultSilenceSettings(SampleFamily::Bits16);
    LevelOptions options;
    PeakTexts peak;
    /// The equal-interval run succeeded for this file; it is not offered again until another
    /// file is chosen.
    bool intervalMeasured = false;

    /// A new cut file: its family is read from its header (8 bits per sample: the 8-bit family,
    /// anything else or an unreadable header: 16-bit), the level fields take that family's
    /// defaults, the peak is forgotten and the equal-interval run is offered again.
    void ChooseFile(const QString& path);
    const QString& CutFile() const { return m_cutFile; }
    /// The time lists the runs measure and whose time form the silence lists use.
    TimeLists& Lists() const { return m_lists; }

    /// Called whenever the silence lists gain, lose or change lines, before anything else can
    /// look at them (a view shows them straight from SilenceLines).
    void SetSilenceListsChanged(std::function<void()> changed) {
        m_silenceListsChanged = std::move(changed);
    }
    /// Who shares the read of the equal-interval peak run from now on.
    void ShareLevelRead(SharedRead share) { m_sharedRead = std::move(share); }

    /// The time lists were rebuilt (new file or time form): the silence lists are emptied and
    /// the peak is forgotten, since their texts were written in the old form.
    void ClearSilences();

    /// What marks a song start: the default start colour's number while start times are
    /// enabled and a colour is chosen, else "1".
    QString MarkText() const;

    /// The equal-interval peak run (Btn_IROWAKE) under a progress box: fills the five interval
    /// level lists (as far as it got, also on failure), sets the peak and gives every silence
    /// list that lacks one a song start at 0. A failure is shown as a plain message. True on
    /// success. Both runs pump events; when another file is chosen meanwhile, what they found is
    /// dropped (and false returned).
    bool MeasureIntervalPeaks(Host& host);

    /// The level run of subdivision list `level` (0..5) from the time of its first line; the 10 s
    /// and 60 s lists run under a progress box. False, with nothing measured, for an empty list;
    /// false after showing the message of a failed run.
    bool MeasureListLevels(int level, Host& host);

    /// The silence detection (Btn_Muon_START) under a progress box with the fields in force. A
    /// field that is not a number is replaced by its fallback in silenceSettings. The six lists
    /// are emptied first and keep what was found before a failure, which is shown as a plain
    /// message. True on success.
    bool DetectSilences(Host& host);

    /// "おすすめ": the fields take the settings suggested by the recording (the recognition time
    /// stays). The peak profile of the level run is used when it has run on this file; else the
    /// file is read once under a progress box. False after showing the message of a failure.
    bool SuggestSilenceSettings(Host& host);

    /// "曲数で分割": registers the starts of `pieces` pieces, fitted to the recording's longest
    /// and quietest gaps at the suggested level, with the default start colour (blue when none)
    /// and the starts of their silences without a colour. Reads the file like
    /// SuggestSilenceSettings when needed. False, with nothing registered, after a failure.
    bool RegisterFittedPieces(int pieces, Host& host);

    /// For a song start of silence list k, how many of the six lists have a start within
    /// kAgreementToleranceMs of it; 0 for any other line.
    int SilenceAgreement(int channel, int line) const;

    /// All fields back to the defaults (PM_INI): durations and recognition time, and the levels
    /// of the current family.
    void RestoreSilenceDefaults();

    /// The text of the peak display (Btn_Peek).
    QString PeakMessage() const;

    /// Silence list k (0..5) as shown: time texts with their selection, and at the same index the
    /// mark (empty for the start of a silence, the mark text for the start of a song).
    TimeList& SilenceLines(int channel) { return m_silenceLines[static_cast<size_t>(channel)]; }
    const TimeList& SilenceLines(int channel) const {
        return m_silenceLines[static_cast<size_t>(channel)];
    }
    const QStringList& SilenceMarks(int channel) const {
        return m_silences.lists[static_cast<size_t>(channel)].marks;
    }
    /// The list ended the run with so many entries that its end was not checked (drawn red).
    bool SilenceListFull(int channel) const {
        return m_silences.lists[static_cast<size_t>(channel)].full;
    }
    /// How line `line` of silence list k is drawn: a song start in the current start colour
    /// (blue while start times are off or no colour is chosen), anything else normally.
    std::optional<StartColorStyle> SilenceLineStyle(int channel, int line) const;

    /// The numeric level list for subdivision list `level`: one decimal level per line of that
    /// list, -1 where nothing was measured.
    QStringList NumericLevelLines(int level) const;
    /// The title of the numeric level list for a level with one ("[ 1s ]" .. "[ 1ms ]"), empty
    /// for the 10 s and 60 s lists, which have none.
    static QString NumericLevelTitle(int level);

private:
    /// Rewrites the six lists' texts from the found times, in the current time form.
    void ShowSilences();
    void SilenceListsChanged();
    /// The peak profile of the cut file, read under a progress box unless a run has built it.
    bool EnsureProfile(Host& host);

    TimeLists& m_lists;
    QString m_cutFile;
    SilenceResult m_silences;
    std::array<TimeList, kSilenceChannels> m_silenceLines;
    std::array<std::vector<int>, kSilenceChannels> m_agreement;
    PeakProfile m_profile;
    bool m_profileReady = false;
    std::function<void()> m_silenceListsChanged;
    SharedRead m_sharedRead;
};

} // namespace veskar
