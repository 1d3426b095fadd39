#include "core/wav/SlotLevels.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/wav/FrameMagnitude.h"
#include "core/wav/Rounding.h"
#include "core/wav/WorkArea.h"

namespace veskar {

namespace {

constexpr int kAboveAnyMagnitude = 40000;

/// The averaging of one list's slots as frames arrive.
class SlotAverager {
public:
    SlotAverager(int slotMs, int entries, const WavInfo& info, std::vector<int32_t>& table)
        : m_table(table), m_entries(entries), m_bytesPerSecond(info.bytesPerSecond),
          m_blockAlign(info.blockAlign) {
        m_subsPerSlot = slotMs >= 10 ? 10 : 1;
        m_subMs = slotMs >= 10 ? slotMs / 10 : slotMs;
        StartSub();
    }

    bool Done() const { return m_slot >= m_entries; }
    int Slot() const { return m_slot; }

    /// Feeds magnitudes; stops early once every entry is measured.
    void Add(const uint16_t* magnitudes, int64_t count) {
        int64_t i = 0;
        while (!Done()) {
            if (m_subLeft == 0) {
                CloseSub();
                continue;
            }
            if (i == count) {
                return;
            }
            const int64_t take = std::min(m_subLeft, count - i);
            m_max = std::max(m_max, MaxMagnitude(magnitudes + i, take));
            m_slotHasFrames = true;
            m_subLeft -= take;
            i += take;
        }
    }

    /// The data ended: a slot that had frames keeps its running maximum.
    void Finish() {
        if (!Done() && m_slotHasFrames && m_subLeft > 0) {
            m_table[m_slot] = m_max;
        }
    }

private:
    void StartSub() {
        const int64_t from = TimeToByte(m_sub * m_subMs, m_bytesPerSecond, m_blockAlign);
        const int64_t to = TimeToByte((m_sub + 1) * m_subMs, m_bytesPerSecond, m_blockAlign);
        m_subLeft = (to - from) / m_blockAlign;
    }

    void CloseSub() {
        // m runs on over the sub-slots of a slot, so low is the first sub-slot's maximum.
        m_low = std::min(m_low, m_max);
        m_blend =
            m_blend < 0 ? m_max : static_cast<int32_t>(RoundHalfEven((m_blend + m_max) / 2.0));
        ++m_sub;
        if (++m_subInSlot == m_subsPerSlot) {
            if (m_low < kAboveAnyMagnitude) {
                m_blend = static_cast<int32_t>(RoundHalfEven((m_blend + m_low) / 2.0));
            }
            m_table[m_slot++] = m_blend;
            m_max = 0;
            m_blend = -1;
            m_low = kAboveAnyMagnitude;
            m_subInSlot = 0;
            m_slotHasFrames = false;
        }
        StartSub();
    }

    std::vector<int32_t>& m_table;
    int m_entries;
    int32_t m_bytesPerSecond;
    int m_blockAlign;
    int m_subsPerSlot = 10;
    int64_t m_subMs = 1;
    int64_t m_sub = 0;     ///< sub-slots closed since the start
    int64_t m_subLeft = 0; ///< frames the current sub-slot still expects
    int m_subInSlot = 0;
    int m_slot = 0;
    int32_t m_max = 0;
    int32_t m_blend = -1; ///< -1: no sub-slot closed yet in this slot
    int32_t m_low = kAboveAnyMagnitude;
    bool m_slotHasFrames = false;
};

QString RunSlotLevels(const QString& path, int slotMs, int entryCount, int64_t startMs,
                      const ReadProgress& progress, std::vector<int32_t>& table) {
    const int slotCount = SlotTableSize(slotMs) - 1;
    OpenWavFile wav;
    const QString header = ValidateWavHeader(path, WavRoutine::ListLevels, wav);
    if (!header.isEmpty()) {
        return header;
    }
    const WavInfo& info = wav.info;
    const int blockAlign = info.blockAlign;
    const int64_t startByte = TimeToByte(startMs, info.bytesPerSecond, blockAlign);
    int64_t spanBytes = TimeToByte(int64_t{slotCount} * slotMs, info.bytesPerSecond, blockAlign);
    const int64_t remaining = std::max<int64_t>(info.dataLength - startByte, 0);
    if (remaining < spanBytes) {
        spanBytes = remaining / blockAlign * blockAlign;
    }
    if (startMs < 0 || !wav.file.seek(info.dataOffset + startByte)) {
        return QStringLiteral("オフセットが範囲を超えています・・・GWPD");
    }

    const int entries = std::min(entryCount, static_cast<int>(table.size()));
    SlotAverager averager(slotMs, entries, info, table);
    const FrameLayout layout = FrameLayout::Of(info);
    std::vector<uint16_t> magnitudes(kMagnitudeChunk);
    uint8_t* buffer = wav.work.get();
    int64_t left = spanBytes;
    while (left > 0 && !averager.Done()) {
        const int64_t want = std::min<int64_t>(wav.blockSize, left);
        const int64_t got = wav.file.read(reinterpret_cast<char*>(buffer), want);
        const int64_t usable = std::max<int64_t>(got, 0) / blockAlign * blockAlign;
        if (usable == 0) {
            return QString::number(std::max<int64_t>(got, 0)) +
                   QStringLiteral("\nWAVファイルの読み出しに失敗しました・・・GWPD");
        }
        // A sample read at a frame's first byte may reach past the bytes read; it finds zeros
        // there, not what a longer read before left behind.
        std::memset(buffer + got, 0, kWorkAreaSlack);
        // A short read means the file ended: the bytes of a split frame are dropped, and the
        // next read reports the nothing that is left.
        left -= usable;
        ForEachMagnitudeChunk(
            buffer, usable / blockAlign, 0, layout, magnitudes.data(),
            [&averager](const uint16_t* p, int64_t n, int64_t) { averager.Add(p, n); });
        if (averager.Done()) {
            return {};
        }
        if (progress.pump) {
            progress.pump->ProcessEvents();
        }
        const int percent = static_cast<int>(RoundHalfEven(averager.Slot() * 100.0 / entries));
        if (progress.box && progress.box->SetPercent(progress.handle, percent) >= 0) {
            return QStringLiteral("中断ボタンが押されました・・・GWPD");
        }
    }
    if (progress.box) {
        progress.box->SetPercent(progress.handle, 100);
    }
    averager.Finish();
    return {};
}

} // namespace

int SlotTableSize(int slotMs) {
    return slotMs == 60000 ? 66 : 16;
}

int64_t TimeToByte(int64_t ms, int32_t bytesPerSecond, int blockAlign) {
    int64_t byte = RoundHalfEven(static_cast<double>(ms) * bytesPerSecond / 1000.0);
    if (blockAlign > 0 && byte % blockAlign != 0) {
        byte += blockAlign - byte % blockAlign;
    }
    return byte;
}

QString MeasureSlotLevels(const QString& path, int slotMs, int entryCount, int64_t startMs,
                          const ReadProgress& progress, std::vector<int32_t>& table) {
    table.assign(SlotTableSize(slotMs), -1);
    if (slotMs <= 0) {
        return QStringLiteral("WAVファイルのレベル取得に失敗しました・・・GWPD");
    }
    try {
        return RunSlotLevels(path, slotMs, entryCount, startMs, progress, table);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("WAVファイルのレベル取得に失敗しました・・・GWPD");
    }
}

} // namespace veskar
