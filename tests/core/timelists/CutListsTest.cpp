#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/settings/TextFile.h"
#include "core/timelists/CutListFiles.h"
#include "core/timelists/CutLists.h"
#include "core/timelists/RegisteredList.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

class CutListsTest : public testing::Test {
protected:
    void SetUp() override {
        QDir(dir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir));
    }
    QStringList Lines(const QString& name) {
        return ReadListFile(dir + "/" + name).value_or(QStringList{"<missing>"});
    }
    void Open(const QString& file) {
        lists.Refresh(file);
        EXPECT_EQ(lists.SelectRemembered(list), QStringList());
    }
    const QString dir = test::TestHomeDir() + "/cutlists";
    CutLists lists{dir};
    RegisteredList list;
};

TEST_F(CutListsTest, ListsFollowTheirFileByName) {
    Open("/a/Tape1.wav");
    EXPECT_EQ(lists.Names(), QStringList{"CL_000"});
    EXPECT_TRUE(list.IsEmpty());
    list.InsertRegisteredTime("0010", "2", true);
    list.InsertRegisteredTime("0005", "", true);
    Open("/b/Other.wav");
    EXPECT_EQ(Lines("Tape1CL_000.ARS"), QStringList({"0005", "0010"}));
    EXPECT_EQ(Lines("Tape1CL_000.STA"), QStringList({"", "2"}));
    EXPECT_EQ(Lines("Tape1.IND"), QStringList{"CL_000"});

    Open("/elsewhere/Tape1.wav"); // same name, other folder: the same lists
    EXPECT_EQ(list.Texts(), QStringList({"0005", "0010"}));
    // "新規" keeps the times on screen, and both lists hold them after the next save.
    EXPECT_EQ(lists.NewList(list), QStringList());
    EXPECT_EQ(lists.CurrentName(), "CL_001");
    Open("/b/Other.wav");
    EXPECT_EQ(Lines("Tape1CL_001.ARS"), Lines("Tape1CL_000.ARS"));
    EXPECT_EQ(Lines("Tape1.IND"), QStringList{"CL_001"});

    // An emptied list loses its files; the name stays remembered.
    Open("/a/Tape1.wav");
    list.Clear();
    Open("/b/Other.wav");
    EXPECT_FALSE(QFile::exists(dir + "/Tape1CL_001.ARS") ||
                 QFile::exists(dir + "/Tape1CL_001.STA"));
    EXPECT_EQ(Lines("Tape1.IND"), QStringList{"CL_001"});
}

TEST_F(CutListsTest, OlderPairTakesTheNextFreeNameAndMarkersTurnBlue) {
    for (const char* name : {"Tape1CL_000.ARS", "Tape1CL_001.ARS"}) {
        ASSERT_EQ(WriteListFile(dir + "/" + name, {"0001"}), "");
    }
    ASSERT_EQ(WriteListFile(dir + "/Tape1.ARS", {"0001", "0002", "0003"}), "");
    ASSERT_EQ(WriteListFile(dir + "/Tape1.STA", {"@", "3"}), "");
    ASSERT_EQ(WriteListFile(dir + "/Tape1.IND", {"CL_002"}), "");
    Open("/x/Tape1.WAV");
    EXPECT_EQ(lists.Names(), QStringList({"CL_000", "CL_001", "CL_002"}));
    EXPECT_FALSE(QFile::exists(dir + "/Tape1.ARS") || QFile::exists(dir + "/Tape1.STA"));
    EXPECT_EQ(list.Tags(), QStringList({"1", "3", ""}));

    // Deleting the first of the lists loads the one that takes its place.
    lists.Change(0, list);
    EXPECT_EQ(lists.DeleteList(list), QStringList());
    EXPECT_EQ(lists.Names(), QStringList({"CL_001", "CL_002"}));
    EXPECT_EQ(lists.CurrentName(), "CL_001");
    EXPECT_FALSE(QFile::exists(dir + "/Tape1CL_000.ARS"));
}

TEST_F(CutListsTest, OnlyTheFilesOfTheBaseBelongToIt) {
    EXPECT_EQ(CutFileBase("/a/Tape1.part.wav"), "Tape1.part");
    const QStringList names{"T*1.ARS",       "T*1.IND",        "T*1CL_000.ARS",
                            "T*1CL_x9Z.STA", "T*1CL_0001.ARS", "T*1CL_000.IND",
                            "TX1.ARS",       "T*1.wav",        "T*1x.STA"};
    for (const QString& name : names) {
        QFile(dir + "/" + name).open(QIODevice::WriteOnly);
    }
    EXPECT_EQ(DeleteAllCutLists(dir, "T*1"), QStringList());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files, QDir::Name),
              QStringList({"T*1.wav", "T*1CL_000.IND", "T*1CL_0001.ARS", "T*1x.STA", "TX1.ARS"}));
}

} // namespace
} // namespace veskar
