#include "gui/cutscreen/CutPointCommands.h"

#include <QFileInfo>
#include <QMenu>

#include "core/host/Messenger.h"
#include "core/timelists/CutPointFiles.h"
#include "core/timelists/TimeLists.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/dialogs/TDIR2OPENDLG.h"

namespace veskar {

namespace {

const QString kFilter =
    QStringLiteral("ラベル (*.txt)|*.txt|キューシート (*.cue)|*.cue|ALL files (*.*)|*.*");
const QString kNoCutFile = QStringLiteral("WAVファイルを開いて下さい・・・");
const QString kNoPoints = QStringLiteral("カットポイントがありません・・・");

} // namespace

CutPointCommands::CutPointCommands(CutScreen& screen, TimeLists& lists, Messenger& messenger,
                                   QMenu* fileMenu, QWidget* window)
    : QObject(fileMenu), m_screen(screen), m_lists(lists), m_messenger(messenger) {
    auto* dialog = new TDIR2OPENDLG(messenger, this);
    dialog->setObjectName("DIR2OPENDLG_CP");
    dialog->SetFilter(kFilter);
    dialog->SetDefaultExt(QStringLiteral("txt"));
    pickFile = [dialog, window](const QString& title, const QString& suggested, bool save) {
        dialog->SetSourceHandle(window);
        dialog->SetFilename(suggested);
        // Reading replaces nothing; writing asks before it replaces a file.
        dialog->SetOverwriteQuestion(save);
        return dialog->ExecuteFile("　" + title) == Messenger::Ok ? dialog->Filename() : QString();
    };

    fileMenu->addSeparator();
    MF_CP_OUT0 =
        fileMenu->addMenu(QStringLiteral("カットポイント書き出し (ラベル／キューシート)(&E)"));
    MF_CP_OUT0->setObjectName("MF_CP_OUT0");
    const auto addExport = [this](const QString& caption, CutCommand command) {
        QAction* item = MF_CP_OUT0->addAction(caption);
        connect(item, &QAction::triggered, this, [this, command] { ExportClick(command); });
    };
    addExport(QStringLiteral("ALL (&K)"), CutCommand::WAV_CUT_ALL);
    addExport(QStringLiteral("選択のみ (&J)"), CutCommand::WAV_CUT);
    for (int code = 0; code < kStartColorCount; ++code) {
        addExport(ContinuousTargetItemCaption(code), ColorCutCommand(code));
    }
    MF_CP_IN =
        fileMenu->addAction(QStringLiteral("カットポイント読み込み (ラベル／キューシート)(&I)..."));
    MF_CP_IN->setObjectName("MF_CP_IN");
    connect(MF_CP_IN, &QAction::triggered, this, &CutPointCommands::ImportClick);
}

void CutPointCommands::ExportClick(CutCommand command) {
    const QString cutFile = m_screen.CutFile();
    if (cutFile.isEmpty()) {
        m_messenger.ShowTimedMessage(kNoCutFile, Messenger::Ok);
        return;
    }
    const std::vector<CutPoint> points =
        ChosenCutPoints(m_lists.registered, command, m_lists.startColors.startTimesEnabled,
                        m_lists.format.FileLengthMs(), m_lists.startColors.colorTagNames);
    if (points.empty()) {
        m_messenger.ShowTimedMessage(kNoPoints, Messenger::Ok);
        return;
    }
    const QFileInfo source(cutFile);
    const QString path =
        pickFile(QStringLiteral("カットポイントの書き出し"),
                 source.absolutePath() + "/" + source.completeBaseName() + ".txt", true);
    if (path.isEmpty()) {
        return;
    }
    const bool cue = QFileInfo(path).suffix().compare("cue", Qt::CaseInsensitive) == 0;
    const QString failure = SaveCutPointFile(path, cue ? WriteCueSheet(points, source.fileName())
                                                       : WriteLabelTrack(points));
    if (!failure.isEmpty()) {
        m_messenger.ShowError(failure, Messenger::Ok);
        return;
    }
    m_messenger.ShowTimedMessage(CutPointFileWritten(path, static_cast<int>(points.size())),
                                 Messenger::Ok);
}

void CutPointCommands::ImportClick() {
    const QString cutFile = m_screen.CutFile();
    if (cutFile.isEmpty()) {
        m_messenger.ShowTimedMessage(kNoCutFile, Messenger::Ok);
        return;
    }
    const QString path = pickFile(QStringLiteral("カットポイントの読み込み"),
                                  QFileInfo(cutFile).absolutePath() + "/", false);
    if (path.isEmpty()) {
        return;
    }
    CutPointRead read;
    QString failure = LoadCutPointFile(path, read);
    if (failure.isEmpty()) {
        const QString refusal =
            ImportCutPoints(read.points, m_lists.format.FileLengthMs(), m_lists.format,
                            m_lists.startColors.colorTagNames,
                            m_lists.startColors.startTimesEnabled, m_lists.registered);
        failure = refusal.isEmpty() ? refusal : CutPointFileRefused(path, refusal);
    }
    if (!failure.isEmpty()) {
        m_messenger.ShowError(failure, Messenger::Ok);
        return;
    }
    m_screen.ShowRegisteredList();
}

} // namespace veskar
