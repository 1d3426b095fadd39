#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/settings/TextFile.h"
#include "core/wav/SilencePresets.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

constexpr SampleFamily k16 = SampleFamily::Bits16;

class SilencePresetsTest : public testing::Test {
protected:
    void SetUp() override {
        QDir(dir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir));
    }
    void Put(const QString& name, const QStringList& lines) {
        ASSERT_EQ(WriteListFile(dir + "/" + name, lines), "");
    }
    void Start(const QString& selected = {}) {
        presets.Enumerate();
        presets.SetSelectedName(k16, selected);
        presets.Load(k16, fields);
    }
    const QString dir = test::TestHomeDir() + "/presets";
    SilencePresets presets{dir};
    SilenceSettings fields = DefaultSilenceSettings(k16);
};

TEST_F(SilencePresetsTest, EmptyFolderHasTheDefaultAndSavingCreatesIt) {
    Start("gone");
    EXPECT_EQ(presets.Names(k16), QStringList{"TL16_000"});
    EXPECT_EQ(presets.Names(SampleFamily::Bits8), QStringList{"TL08_000"});
    fields.levels[5] = "77";
    EXPECT_EQ(presets.Save(k16, fields), "");
    const QStringList lines = ReadListFile(dir + "/TL16_000.m16").value_or(QStringList());
    EXPECT_EQ(lines.mid(11), QStringList({fields.levels[4], "77"}));
    EXPECT_EQ(lines.size(), 13);
}

TEST_F(SilencePresetsTest, ShortFileSetsOnlyWhatItHoldsAndSwitchingSavesFirst) {
    Put("short.m16", {"900", "1", "2", "", "4", "5", "6"});
    Put("B.m16", {"1"});
    Put("a.m16", {"1"});
    Start("SHORT");
    EXPECT_EQ(presets.Names(k16), QStringList({"a", "B", "short"}));
    EXPECT_EQ(presets.SelectedName(k16), "short");
    EXPECT_EQ(fields.recognition, "900");
    EXPECT_EQ(fields.durations[2], DefaultSilenceSettings(k16).durations[2]);
    EXPECT_EQ(fields.levels, DefaultSilenceSettings(k16).levels);
    const int b = static_cast<int>(presets.Names(k16).indexOf("B"));
    fields.levels[0] = "55";
    presets.Choose(k16, b, fields);
    EXPECT_EQ(ReadListFile(dir + "/short.m16").value_or(QStringList()).value(7), "55");
}

TEST_F(SilencePresetsTest, NamingRenamingAndDeleting) {
    Put("TL16_000.m16", {"1"});
    Put("TL16_002.m16", {"2"});
    Start("TL16_000");
    EXPECT_EQ(presets.NewPreset(k16, fields), "");
    EXPECT_EQ(presets.SelectedName(k16), "TL16_001");
    EXPECT_TRUE(QFile::exists(dir + "/TL16_000.m16"));

    const struct {
        QString name;
        QString refusal;
    } renames[] = {
        {"tl16_002", "同名データが既に存在しています・・・\ntl16_002"},
        {"../x", "/\n上記の文字は、ファイル名として使えません・・・"},
        {" ", "検出名が空です・・・\n何か名前を付けて下さいね☆☆☆"},
        {"Live", ""},
    };
    for (const auto& r : renames) {
        EXPECT_EQ(presets.Rename(k16, r.name), r.refusal) << r.name.toStdString();
    }
    EXPECT_EQ(presets.Names(k16).size(), 3);
    EXPECT_TRUE(presets.Names(k16).contains("Live"));

    // Deleting the first of three selects the last one.
    presets.Choose(k16, 0, fields);
    const QString last = presets.Names(k16).last();
    presets.Delete(k16, fields);
    EXPECT_EQ(presets.SelectedName(k16), last);
    EXPECT_EQ(presets.Names(k16).size(), 2);
}

} // namespace
} // namespace veskar
