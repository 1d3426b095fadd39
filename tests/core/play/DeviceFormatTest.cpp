#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/play/CutFileInfo.h"
#include "core/play/DeviceFormat.h"
#include "support/FakeHost.h"
#include "support/FakeWaveDevice.h"
#include "support/TestHome.h"
#include "support/WavBuilder.h"

namespace veskar::test {

namespace {

class DeviceFormatTest : public testing::Test {
protected:
    void SetUp() override {
        query.files["stereo.wav"] = {1000, {44100, 16, 2}, false};
        query.files["mono8.wav"] = {1000, {22050, 8, 1}, false};
        query.files["six.wav"] = {1000, {48000, 24, 6}, false};
        player.files["playing.wav"] = {1000, {44100, 16, 2}, false};
    }

    SharedFlags flags;
    FakeWaveDevice query{flags};
    FakeWaveDevice player{flags};
};

} // namespace

TEST_F(DeviceFormatTest, TextAndReportedValues) {
    struct Case {
        const char* path;
        const char* text;
        bool eightBit;
    };
    const Case cases[] = {
        {"stereo.wav", "44100 / 16 / stereo", false},
        {"mono8.wav", "22050 / 8 / mono", true},
        // Anything but one channel is written as stereo.
        {"six.wav", "48000 / 24 / stereo", false},
    };
    for (const Case& c : cases) {
        const DeviceFormatReport report = QueryDeviceFormat(c.path, query, player, flags);
        EXPECT_EQ(report.text, c.text);
        EXPECT_EQ(report.eightBit, c.eightBit) << c.path;
        EXPECT_EQ(report.bitsPerSample, query.files[c.path].format.bitsPerSample);
        EXPECT_FALSE(query.IsOpen()) << "the query must close its device again";
    }
    EXPECT_TRUE(player.log.isEmpty()) << "the playing device is not touched";
}

// A file that does not open, a pending stop (which silences the player) and the shutdown
// report nothing.
TEST_F(DeviceFormatTest, NothingIsReportedWithoutAFileOrWhileStopping) {
    DeviceFormatReport report = QueryDeviceFormat("missing.wav", query, player, flags);
    EXPECT_TRUE(report.text.isEmpty());
    EXPECT_FALSE(report.bitsPerSample);
    ASSERT_TRUE(player.Open("playing.wav"));
    ASSERT_TRUE(player.PlayRange(0, 500, PlayRoute::CutScreen));
    flags.stopRequested = true;
    report = QueryDeviceFormat("mono8.wav", query, player, flags);
    EXPECT_TRUE(report.text.isEmpty());
    EXPECT_FALSE(report.eightBit);
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(query.IsOpen());
    // The shutdown sends nothing to the query device.
    flags.shutdownStop = true;
    query.log.clear();
    EXPECT_TRUE(QueryDeviceFormat("stereo.wav", query, player, flags).text.isEmpty());
    EXPECT_TRUE(query.log.filter("open").isEmpty());
}

class CutFileInfoTest : public DeviceFormatTest {
protected:
    QString MakeFile(const QString& name, int bytes) {
        const QString path = QDir(TestHomeDir()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
        file.close();
        // A fixed time, so the date line is known: Wednesday 2024-05-01 13:05:09 local time.
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(QDateTime(QDate(2024, 5, 1), QTime(13, 5, 9)),
                                     QFileDevice::FileModificationTime));
        file.close();
        return path;
    }
};

TEST_F(CutFileInfoTest, BoxText) {
    // The bare C locale writes no separators; the size still gets them.
    const QLocale saved;
    QLocale::setDefault(QLocale::c());
    const QString path = MakeFile("info.wav", 1234567);
    EXPECT_EQ(CutFileInfoText(path, "44100 / 16 / stereo"),
              "CUT_WAVファイル情報：\n\n" + path +
                  "\n総ﾊﾞｲﾄ数　: 1,234,567 Bytes\n日付/属性　: 24/05/01 Wed 13:05:09     \n"
                  "rate/bit/channel : 44100 / 16 / stereo");
    // A small size is padded; read-only and hidden show as attributes.
    const QString hidden = MakeFile(".hidden.wav", 999);
    QFile::setPermissions(hidden, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(
        CutFileInfoText(hidden, "").section('\n', 3),
        "総ﾊﾞｲﾄ数　:     999 Bytes\n日付/属性　: 24/05/01 Wed 13:05:09 r h \nrate/bit/channel : ");
    EXPECT_EQ(CutFileInfoText("/nowhere/x.wav", ""),
              "CUT_WAVファイル情報：\n\n/nowhere/x.wav\n\n\nrate/bit/channel : ");
    QLocale::setDefault(saved);
}

TEST_F(CutFileInfoTest, PlayFileInfoLine) {
    const QString path = MakeFile("line.wav", 12345678);
    const QString gap(10, ' ');
    EXPECT_EQ(PlayFileInfoLine(path, "44100 / 16 / stereo"),
              path + gap + "44100 / 16 / stereo" + gap + "12,345,678  24/05/01 13:05:09 Wed      ");
    const QString hidden = MakeFile(".line.wav", 5);
    QFile::setPermissions(hidden, QFileDevice::ReadOwner);
    EXPECT_EQ(PlayFileInfoLine(hidden, "8000 / 8 / mono"),
              hidden + gap + "8000 / 8 / mono" + gap + "       5  24/05/01 13:05:09 Wed  R H ");
    EXPECT_EQ(PlayFileInfoLine("/nowhere/x.wav", ""), "/nowhere/x.wav" + gap + gap + "    ");
}

TEST_F(CutFileInfoTest, ShowsTheBoxWithTheDeviceFormat) {
    // A recording whose data size was never written: the box says so below the format.
    const QString path = QDir(TestHomeDir()).filePath("shown.wav");
    ASSERT_TRUE(WavBuilder(22050, 1, 8).Silence(10).DataSize(0xFFFFFFFF).Write(path));
    query.files[path] = {1000, {22050, 8, 1}, false};
    FakeMessenger messenger;
    ShowCutFileInfo(path, query, player, flags, messenger);
    ASSERT_EQ(messenger.calls.size(), 1u);
    EXPECT_EQ(messenger.calls[0].kind, FakeMessenger::Kind::Plain);
    EXPECT_TRUE(messenger.calls[0].text.endsWith(
        "rate/bit/channel : 22050 / 8 / mono\nﾃﾞｰﾀｻｲｽﾞ　 : 未記入 (ファイルの終わりまで)"));

    flags.stopRequested = true;
    ShowCutFileInfo(path, query, player, flags, messenger);
    EXPECT_EQ(messenger.calls.size(), 1u) << "no box while a stop is pending";
}

} // namespace veskar::test
