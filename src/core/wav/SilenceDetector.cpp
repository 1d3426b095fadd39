#include "core/wav/SilenceDetector.h"

#include <algorithm>
#include <bit>
#include <new>

#include "core/wav/Rounding.h"

namespace veskar {

namespace {

constexpr int kWordFrames = 64;

} // namespace

SilenceDetector::SilenceDetector(const std::array<SilenceChannel, kSilenceChannels>& channels,
                                 int64_t recognitionMs, double samplesPerMs,
                                 const QString& markText)
    : m_recognitionMs(recognitionMs), m_samplesPerMs(samplesPerMs), m_mark(markText) {
    for (int k = 0; k < kSilenceChannels; ++k) {
        ChannelState& channel = m_channels[k];
        channel.setting = channels[k];
        channel.setting.minFrames = std::max<int64_t>(channel.setting.minFrames, 0);
        auto group = std::find_if(m_groups.begin(), m_groups.end(), [&](const LevelGroup& g) {
            return g.level == channel.setting.level;
        });
        if (group == m_groups.end()) {
            LevelGroup fresh;
            fresh.level = channel.setting.level;
            fresh.shortestSilence = channel.setting.minFrames;
            m_groups.push_back(fresh);
            group = m_groups.end() - 1;
        }
        group->shortestSilence = std::min(group->shortestSilence, channel.setting.minFrames);
        group->channels.push_back(k);
    }
}

int64_t SilenceDetector::ToMs(int64_t frame) const {
    return RoundHalfEven(static_cast<double>(frame) / m_samplesPerMs);
}

void SilenceDetector::Silence(int channel, int64_t endFrame, int64_t startFrame) {
    ChannelState& state = m_channels[channel];
    SilenceList& list = m_result.lists[channel];
    const int64_t startMs = ToMs(startFrame);
    const int64_t endMs = ToMs(endFrame);
    bool merged = false;
    if (!list.Empty()) {
        // The sound since the previous silence is too short to be a song: drop its start and
        // let the previous silence run on to this one's end.
        if (startMs - state.lastEnd <= m_recognitionMs) {
            list.RemoveLast();
            merged = true;
        }
    } else if (startMs > m_recognitionMs) {
        list.Append(0, m_mark); // the first song starts with the data
    }
    if (!merged) {
        list.Append(startMs, QString());
    }
    list.Append(endMs, m_mark);
    state.lastEnd = endMs;
}

void SilenceDetector::AddFrame(int magnitude, int64_t frame) {
    m_peak.Add(magnitude, frame);
    for (int k = 0; k < kSilenceChannels; ++k) {
        ChannelState& c = m_channels[k];
        if (magnitude < c.setting.level) {
            c.everQuiet = true;
            if (c.run == 0) {
                c.runStart = frame;
            }
            ++c.run;
            continue;
        }
        if (c.run > c.setting.minFrames && m_result.lists[k].Size() < kMaxSilenceEntries) {
            Silence(k, frame, c.runStart);
        }
        c.run = 0;
    }
}

void SilenceDetector::EndRun(LevelGroup& group, int64_t frame) {
    if (group.run > group.shortestSilence) {
        for (int k : group.channels) {
            if (group.run > m_channels[k].setting.minFrames &&
                m_result.lists[k].Size() < kMaxSilenceEntries) {
                Silence(k, frame, frame - group.run);
            }
        }
    }
    group.run = 0;
}

void SilenceDetector::ScanGroup(LevelGroup& group, const uint16_t* magnitudes, int64_t count,
                                int64_t firstFrame) {
    // Runs that begin and end inside one word are at most 62 frames long; when no channel of
    // the group can take so short a silence, only the word's ends matter.
    const bool wordEndsOnly = group.shortestSilence >= kWordFrames - 2;
    int64_t i = 0;
    while (count - i >= kWordFrames) {
        const int64_t words =
            std::min<int64_t>((count - i) / kWordFrames, static_cast<int64_t>(m_masks.size()));
        QuietMasks(magnitudes + i, words, group.level, m_masks.data());
        for (int64_t w = 0; w < words; ++w, i += kWordFrames) {
            const uint64_t quiet = m_masks[w];
            const int64_t frame = firstFrame + i;
            group.everQuiet |= quiet != 0;
            if (quiet == ~uint64_t{0}) {
                group.run += kWordFrames;
            } else if (wordEndsOnly) {
                // No branch on the word's shape: a loud word (0) adds nothing and leaves a run
                // of 0; only the rare end of a long run costs a call.
                const int head = std::countr_one(quiet);
                group.run += head;
                if (group.run > group.shortestSilence) {
                    EndRun(group, frame + head);
                }
                group.run = std::countl_one(quiet);
            } else {
                for (int b = 0; b < kWordFrames; ++b) {
                    if ((quiet >> b) & 1) {
                        ++group.run;
                    } else if (group.run > 0) {
                        EndRun(group, frame + b);
                    }
                }
            }
        }
    }
    for (; i < count; ++i) {
        if (magnitudes[i] < group.level) {
            group.everQuiet = true;
            ++group.run;
        } else if (group.run > 0) {
            EndRun(group, firstFrame + i);
        }
    }
}

void SilenceDetector::AddMagnitudes(const uint16_t* magnitudes, int64_t count, int64_t firstFrame) {
    m_fastPath = true;
    m_peak.AddBlock(magnitudes, count, firstFrame);
    for (LevelGroup& group : m_groups) {
        ScanGroup(group, magnitudes, count, firstFrame);
    }
}

void SilenceDetector::Finish(int64_t totalFrames) {
    if (m_fastPath) {
        for (const LevelGroup& group : m_groups) {
            for (int k : group.channels) {
                m_channels[k].run = group.run;
                m_channels[k].runStart = totalFrames - group.run;
                m_channels[k].everQuiet = group.everQuiet;
            }
        }
    }
    // A song that runs to the end of the data is measured to that end. (The start of the
    // channel's last quiet run would serve on recorded sound, where quiet frames come every few
    // samples, but after a stretch without any it lies before the song and would drop it.) A
    // channel that never saw a quiet frame measured nothing and keeps its list empty.
    const int64_t dataEndMs = ToMs(totalFrames);
    for (int k = 0; k < kSilenceChannels; ++k) {
        const ChannelState& c = m_channels[k];
        SilenceList& list = m_result.lists[k];
        if (list.Size() >= kFullSilenceList) {
            list.full = true;
            continue;
        }
        if (c.run > c.setting.minFrames) {
            // The data ends in a silence; no song start follows it.
            const int64_t startMs = ToMs(c.runStart);
            if (!list.Empty() && startMs - c.lastEnd <= m_recognitionMs) {
                list.RemoveLast();
            } else {
                if (list.Empty() && startMs > m_recognitionMs) {
                    list.Append(0, m_mark);
                }
                list.Append(startMs, QString());
            }
        } else {
            const int64_t endMs = c.everQuiet ? dataEndMs : 0;
            if (!list.Empty() && endMs - c.lastEnd <= m_recognitionMs) {
                list.RemoveLast(); // the last song is too short to count
            } else if (list.Empty() && endMs > m_recognitionMs) {
                list.Append(0, m_mark);
            }
        }
    }
    m_result.peak = m_peak.peak;
    m_result.peakFrame = m_peak.frame;
    m_result.peakMs = ToMs(m_peak.frame);
}

int64_t RecognitionOf(SilenceSettings& settings) {
    if (const auto value = FieldInteger(settings.recognition)) {
        return *value;
    }
    settings.recognition = QString::number(kFallbackRecognitionMs);
    return kFallbackRecognitionMs;
}

std::array<SilenceChannel, kSilenceChannels> ChannelsOf(SilenceSettings& settings,
                                                        uint32_t sampleRate) {
    std::array<SilenceChannel, kSilenceChannels> channels;
    for (int k = 0; k < kSilenceChannels; ++k) {
        if (const auto level = FieldInteger(settings.levels[k])) {
            channels[k].level = *level;
        } else {
            channels[k].level = kFallbackLevel;
            settings.levels[k] = QString::number(kFallbackLevel);
        }
    }
    for (int k = 0; k < kSilenceChannels; ++k) {
        if (const auto duration = FieldInteger(settings.durations[k])) {
            // Formed in 64 bits: a duration of a minute at 44.1 kHz does not fit in 32.
            const int64_t product = int64_t{*duration} * sampleRate;
            channels[k].minFrames = std::max<int64_t>(RoundHalfEven(product / 1000.0), 0);
        } else {
            channels[k].minFrames = sampleRate / 2;
            settings.durations[k] = QString::number(kFallbackDurationMs);
        }
    }
    return channels;
}

namespace {

QString RunDetection(OpenWavFile& wav, SilenceSettings& settings, const QString& markText,
                     const ReadProgress& progress, SilenceResult& result) {
    const int64_t recognition = RecognitionOf(settings);
    const WavInfo& info = wav.info;
    SilenceDetector detector(ChannelsOf(settings, info.sampleRate), recognition, info.samplesPerMs,
                             markText);
    const FrameLayout layout = FrameLayout::Of(info);
    std::vector<uint16_t> magnitudes(kMagnitudeChunk);
    int64_t frames = 0;
    const QString read = ReadDataBlocks(
        wav, progress, WavRoutine::SilenceDetection,
        [&](const uint8_t* block, int64_t count, int64_t first) {
            ForEachMagnitudeChunk(block, count, first, layout, magnitudes.data(),
                                  [&detector](const uint16_t* p, int64_t n, int64_t f) {
                                      detector.AddMagnitudes(p, n, f);
                                  });
            frames = first + count;
        });
    if (!read.isEmpty()) {
        result.lists = detector.Result().lists;
        return read;
    }
    detector.Finish(frames);
    result = detector.Result();
    return {};
}

} // namespace

QString DetectSilences(const QString& path, SilenceSettings& settings, const QString& markText,
                       const ReadProgress& progress, SilenceResult& result) {
    result = SilenceResult{};
    // The recognition text is settled even when the file cannot be read.
    RecognitionOf(settings);
    OpenWavFile wav;
    const QString header = ValidateWavHeader(path, WavRoutine::SilenceDetection, wav);
    return header.isEmpty() ? DetectSilences(wav, settings, markText, progress, result) : header;
}

QString DetectSilences(OpenWavFile& wav, SilenceSettings& settings, const QString& markText,
                       const ReadProgress& progress, SilenceResult& result) {
    result = SilenceResult{};
    try {
        return RunDetection(wav, settings, markText, progress, result);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("無音の検出に失敗しました・・・GWM");
    }
}

void AddSongStartsAtZero(SilenceResult& result, const QString& markText) {
    for (SilenceList& list : result.lists) {
        if (!list.Empty() &&
            std::find(list.timesMs.begin(), list.timesMs.end(), 0) == list.timesMs.end()) {
            list.timesMs.insert(list.timesMs.begin(), 0);
            list.marks.prepend(markText);
        }
    }
}

} // namespace veskar
