// The settings store and the list files of the program folder over any bytes: whatever the store
// reads, saved and read again, is the same settings; whatever a list file loads keeps the shape
// the window relies on and, written back, reads back as it was.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FuzzSupport.h"
#include "core/settings/ListFiles.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextFile.h"

namespace veskar::fuzz {
namespace {

Settings ReadEverything(const SettingsStore& store) {
    Settings settings;
    store.ReadFormValues(settings);
    store.ReadChopDir(settings);
    store.ReadDeferredValues(settings);
    return settings;
}

void StoreReadsBackAsSaved(const QString& input) {
    SettingsStore store(input);
    (void)store.ReadVersion();
    const Settings settings = ReadEverything(store);
    (void)store.TakeOlderSilenceFields();
    (void)store.TakeOlderLevels(false);
    (void)store.TakeOlderLevels(true);

    const QString output = OutputFilePath();
    QFile::remove(output);
    SettingsStore saved(output);
    FUZZ_CHECK(saved.WriteAll(settings).isEmpty());
    FUZZ_CHECK(ReadEverything(saved) == settings);
}

void ListFilesKeepTheirShape(const QString& input, const QByteArray& bytes) {
    const QString dir = QFileInfo(input).absolutePath() + "/lists";
    QDir().mkpath(dir);
    for (const char* name :
         {kDriveFolderFile, kFilterFile, kFolderHistoryFile, kColorTagNamesFile}) {
        QFile file(dir + "/" + name);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }
    const QStringList filters = LoadFilterList(dir);
    FUZZ_CHECK(filters.size() >= 2 && filters[0] == kWavFilter && filters[1] == kAllFilesFilter);
    const int index = FilterIndex(filters, filters.last());
    FUZZ_CHECK(index >= 0 && index < filters.size());
    (void)FilterMask(filters, index);
    FUZZ_CHECK(LoadColorTagNames(dir).size() >= 7);

    // Lines as read, written and read again: the codec loses nothing a list file can hold.
    const std::optional<QStringList> lines = ReadListFile(input);
    FUZZ_CHECK(lines.has_value());
    const QString output = OutputFilePath();
    FUZZ_CHECK(WriteListFile(output, *lines).isEmpty());
    FUZZ_CHECK(ReadListFile(output) == lines);
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = veskar::fuzz::WriteInputFile(data, size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    veskar::fuzz::ListFilesKeepTheirShape(input, bytes);
    veskar::fuzz::StoreReadsBackAsSaved(input);
    return 0;
}
