#pragma once

#include <array>

#include <QString>
#include <QStringList>

#include "core/wav/LevelColor.h"
#include "core/wav/SilenceSettings.h"

namespace veskar {

/// The named silence settings (検出名) of both sample families: files name + ".m16" and
/// name + ".m08" in dir, 13 lines each (recognition time, six durations, six levels). The
/// selected preset of the family in use is the one the silence panel's fields belong to.
class SilencePresets {
public:
    explicit SilencePresets(QString dir) : m_dir(std::move(dir)) {}

    /// `EnumeratePresets`: the names of both families from the files in dir; a family
    /// without files has its default name ("TL16_000", "TL08_000") alone.
    void Enumerate();
    /// The names kept in the settings ("TL16_S", "TL08_S"); LoadPreset resolves them.
    void SetSelectedName(SampleFamily family, const QString& name);

    /// `LoadPreset`: resolves the selected names of both families against their lists (without
    /// regard to letter case; the first entry when not found) and reads the selected preset of
    /// family into settings. A missing file or line, or an empty line, leaves that field.
    void Load(SampleFamily family, SilenceSettings& settings);
    /// `SavePreset`: writes settings into the selected preset's file. Returns the message
    /// when it could not be written.
    QString Save(SampleFamily family, const SilenceSettings& settings) const;
    /// `ComboBox_MDATAClick`: saves the fields into the preset selected so far, then selects
    /// and loads entry index.
    QString Choose(SampleFamily family, int index, SilenceSettings& settings);

    /// `Btn_MDATA_HENKOClick`: gives the selected preset the name newName, its file included.
    /// Returns the refusal to show (and changes nothing), empty when renamed.
    QString Rename(SampleFamily family, const QString& newName);
    /// `Btn_MDATA_NEWClick`: saves, then adds and selects the first free "TL16_" / "TL08_"
    /// name; the fields stay and go into it at the next save.
    QString NewPreset(SampleFamily family, const SilenceSettings& settings);
    /// `Btn_MDATA_DELClick`: deletes the selected preset and selects the one before it (the
    /// last when it was the first) and loads it; the last one gone leaves the default name
    /// selected and the fields as they are.
    void Delete(SampleFamily family, SilenceSettings& settings);

    const QStringList& Names(SampleFamily family) const { return At(family).names; }
    int SelectedIndex(SampleFamily family) const { return At(family).selected; }
    QString SelectedName(SampleFamily family) const { return At(family).selectedName; }

private:
    struct Family {
        QStringList names;
        int selected = 0;
        QString selectedName;
    };
    Family& At(SampleFamily family) { return m_families[static_cast<size_t>(family)]; }
    const Family& At(SampleFamily family) const { return m_families[static_cast<size_t>(family)]; }
    QString PresetPath(SampleFamily family, const QString& name) const;

    QString m_dir;
    std::array<Family, 2> m_families;
};

} // namespace veskar
