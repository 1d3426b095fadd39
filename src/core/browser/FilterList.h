#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

class Messenger;

/// The extension filter entries (`FilterList`, ComboBox_KAKU) and their edit panel. Entry 0 is
/// always "*.WAV" and entry 1 "ALL (*.*)"; user masks follow. The two basic entries cannot be
/// changed or deleted.

/// Btn_KAKU_HENKO: a user entry takes text and stays selected; a basic entry is refused with
/// the timed message "ALLまでの基本設定は、変更出来ません・・・". True when the entry changed.
bool ChangeFilterEntry(QStringList& filters, int index, const QString& text, Messenger& messenger);

/// Btn_KAKU_NEW: appends a copy of entry 0 and returns its index, to be selected and edited.
int AddFilterEntry(QStringList& filters);

/// Btn_KAKU_DEL: deletes a user entry; index moves to the entry now in its place, or the last
/// one. A basic entry is refused with "ALLまでの基本設定は、削除出来ません・・・". True when an
/// entry was deleted.
bool DeleteFilterEntry(QStringList& filters, int& index, Messenger& messenger);

} // namespace veskar
