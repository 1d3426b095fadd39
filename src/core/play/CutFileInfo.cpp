#include "core/play/CutFileInfo.h"

#include <QDateTime>
#include <QFileInfo>

#include "core/browser/FolderListing.h"
#include "core/play/DeviceFormat.h"
#include "core/text/NumberFormat.h"
#include "core/wav/WavReader.h"

namespace veskar {

namespace {

// The attributes of a DOS file, as far as they exist here: read-only is a file its owner may
// not write, hidden a name beginning with a dot; system and archive are never set.
bool ReadOnly(const QFileInfo& info) {
    return !info.permission(QFileDevice::WriteOwner);
}
bool Hidden(const QFileInfo& info) {
    return info.fileName().startsWith('.');
}

} // namespace

QString PlayFileInfoLine(const QString& path, const QString& formatText) {
    FileRow row;
    row.name = QFileInfo(path).fileName();
    RefreshFileRow(path, row);
    const QString gap(10, ' ');
    return path + gap + formatText + gap + row.sizeText + "  " + row.dateText + "  " +
           row.attributeText;
}

QString CutFileInfoText(const QString& path, const QString& formatText, const QStringList& notes) {
    QString sizeText;
    QString dateText;
    const QFileInfo info(path);
    if (info.exists()) {
        sizeText =
            QString::fromUtf8("総ﾊﾞｲﾄ数　: ") + GroupedNumberField(info.size(), 7) + " Bytes";
        const QDateTime time = info.lastModified();
        dateText = QString::fromUtf8("日付/属性　:") + " " + MakeDateText(time) + " " +
                   (ReadOnly(info) ? "r" : " ") + " " + (Hidden(info) ? "h" : " ") + " ";
    }
    return QString::fromUtf8("CUT_WAVファイル情報：\n\n") + path + "\n" + sizeText + "\n" +
           dateText + "\n" + "rate/bit/channel : " + formatText +
           (notes.isEmpty() ? QString() : "\n" + notes.join('\n'));
}

void ShowCutFileInfo(const QString& path, WaveDevice& query, WaveDevice& player,
                     const SharedFlags& flags, Messenger& messenger) {
    const QString formatText = QueryDeviceFormat(path, query, player, flags).text;
    if (flags.stopRequested || flags.shutdownStop || flags.closing) {
        return;
    }
    WavInfo info;
    const QStringList notes =
        ReadWavInfo(path, info).isEmpty() ? WavInfoNotes(info) : QStringList();
    messenger.ShowMessage(CutFileInfoText(path, formatText, notes));
}

} // namespace veskar
