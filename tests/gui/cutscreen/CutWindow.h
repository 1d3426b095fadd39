#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "core/host/Messenger.h"
#include "core/settings/Paths.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/DialogDriver.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/FakeTextViewer.h"
#include "support/QtPrint.h"
#include "support/WavFiles.h"

namespace veskar::test {

/// Answers every box of the window's message box as it opens, from a script of answers (Ok,
/// Yes, No, Abort); once the script is used up each box gets its default button. Keeps every
/// text shown.
class BoxAnswerer {
public:
    explicit BoxAnswerer(TMKBoxDlg& boxes) : m_boxes(boxes) {
        QObject::connect(&boxes, &TMKBoxDlg::BoxOpening, &boxes, [this](int slot) {
            QTimer::singleShot(0, &m_boxes, [this, slot] { Answer(slot); });
        });
    }
    std::deque<int> answers;
    QStringList shown;

private:
    void Answer(int slot) {
        TMKBox* box = m_boxes.Form(slot);
        if (!box) {
            return;
        }
        shown << box->MemoMsg->toPlainText();
        QPushButton* button = box->DefaultButton();
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            button = answer == Messenger::Yes     ? box->Btn_Yes
                     : answer == Messenger::No    ? box->Btn_No
                     : answer == Messenger::Abort ? box->Btn_Abort
                                                  : box->Btn_OK;
        }
        button->click();
    }
    TMKBoxDlg& m_boxes;
};

/// The main window on its cut screen with a generated recording as cut file, a fresh save
/// folder, a record viewer that only takes note, and every message box answered.
class CutWindowTest : public testing::Test {
protected:
    CutWindowTest() {
        QDir(DizeziDir()).removeRecursively();
        cut.SetTextViewer(&viewer);
        cut.SetFolderChooser([this](const QString& title, const QString& start) {
            chooserCalls << title + "|" + start;
            return chooserAnswer;
        });
        window.ShowCutScreen();
        window.show();
        saveDir = out.path() + "/";
        cut.SetSaveDir(saveDir);
    }
    void TearDown() override { CloseAllDialogs(); }

    /// 16-bit stereo at 44.1 kHz: 176,400 bytes a second.
    QString MakeSource(const QString& name, int seconds) {
        WavBuilder builder(44100, 2, 16);
        builder.Frames(int64_t{44100} * seconds, [](int64_t frame, int channel) {
            return static_cast<int32_t>((frame / 441) % 200 * 100 - 10000 + channel);
        });
        return files.Write(name, builder);
    }
    void UseSource(const QString& name, int seconds) {
        source = MakeSource(name, seconds);
        screen.SetCutFile(source, seconds * 1000);
    }
    /// Registers these times (ms) with their tags.
    void Register(const std::vector<TimeMs>& times, const QStringList& tags = {}) {
        QStringList texts;
        for (const TimeMs ms : times) {
            texts << lists.format.FormatTime(ms);
        }
        QStringList allTags = tags;
        while (allTags.size() < texts.size()) {
            allTags << QString();
        }
        lists.registered.Assign(texts, allTags);
        screen.RefreshLists();
    }
    /// Selects rows of a box as a user would, through the view.
    static void SelectRows(TimeListBox* box, std::initializer_list<int> rows) {
        box->clearSelection();
        for (const int row : rows) {
            box->selectionModel()->select(box->model()->index(row, 0), QItemSelectionModel::Select);
        }
    }
    /// Opens the cut menu with the cut button and chooses item from it.
    void CutFromButton(QAction* item) {
        cut.Btn_CUT->click();
        ASSERT_TRUE(screen.PopupMenu1->isVisible());
        ASSERT_EQ(screen.PopupTargetList(), TimeListId::Registered);
        item->trigger();
        screen.PopupMenu1->hide();
    }
    void WaitForRunEnd(int limitMs = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (cut.Run().Busy() && clock.elapsed() < limitMs) {
            RunEventsFor(5);
        }
        ASSERT_FALSE(cut.Run().Busy()) << "the run did not end";
    }
    /// Names of everything in the save folder, hidden files included.
    QStringList SavedNames() const {
        return QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static qint64 SegmentBytes(int ms) { return 46 + int64_t{ms} * 176400 / 1000; }
    QString RecordPath() const { return WorkDir() + "CUT$$$$.TXT"; }
    QStringList RecordFileLines() const {
        QFile file(RecordPath());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split("\r\n");
    }

    TKOTAN_VESKAR window;
    CutCommands& cut = window.Cut();
    CutScreen& screen = *window.cutScreen;
    TimeLists& lists = window.timeLists;
    FakeTextViewer viewer;
    BoxAnswerer boxes{window.MKBoxDlg1};
    QStringList chooserCalls;
    std::optional<QString> chooserAnswer;
    WavFiles files;
    QTemporaryDir out;
    QString saveDir;
    QString source;
};

} // namespace veskar::test
