// The list files of the data folder over any bytes: a memory list (.VEW), a cut list with its
// tags and a silence preset. Whatever loads keeps the shape the window relies on, and a memory
// list saved again reads back as it was.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FuzzSupport.h"
#include "core/browser/MemoryListFile.h"
#include "core/timelists/CutLists.h"
#include "core/timelists/RegisteredList.h"
#include "core/wav/SilencePresets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    const QString input = fuzz::WriteInputFile(data, size);
    const LoadedMemoryList list = LoadMemoryList(input);
    for (const MemoryRow& row : list.rows) {
        FUZZ_CHECK(row.fields.size() == kMemoryFieldCount);
    }
    FUZZ_CHECK(list.rows.empty() || list.damagedFieldCount == -1);
    const QString output = fuzz::OutputFilePath();
    if (SaveMemoryList(output, list.rows).isEmpty()) {
        FUZZ_CHECK(LoadMemoryList(output).rows == list.rows);
    }

    // The same bytes as the times and tags of a cut list and as a preset, in a folder of
    // their own beside the input.
    const QString dir = QFileInfo(input).absolutePath() + "/lists";
    QDir().mkpath(dir);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* name : {"TCL_000.ARS", "TCL_000.STA", "T.IND", "P.m16"}) {
        QFile file(dir + "/" + name);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }
    CutLists cutLists(dir);
    RegisteredList registered;
    cutLists.Refresh("/x/T.wav");
    cutLists.SelectRemembered(registered);
    FUZZ_CHECK(registered.Tags().size() == registered.Count());
    SilencePresets presets(dir);
    presets.Enumerate();
    presets.SetSelectedName(SampleFamily::Bits16, "P");
    SilenceSettings settings = DefaultSilenceSettings(SampleFamily::Bits16);
    presets.Load(SampleFamily::Bits16, settings);
    return 0;
}
