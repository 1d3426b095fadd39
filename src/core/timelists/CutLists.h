#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

class RegisteredList;

/// The named registered-time lists of the cut file (`ComboBox_CL`) and the one loaded into the
/// registered list. Files live in dir: base + name + ".ARS" (the times) and ".STA" (their
/// tags), base + ".IND" (the name last chosen). A list without times has no files.
class CutLists {
public:
    explicit CutLists(QString dir) : m_dir(std::move(dir)) {}

    /// `RefreshCutLists`: the names of cutFile's lists, sorted, at least "CL_000". A pair
    /// base.ARS / base.STA of the older single-list form is renamed to the first free name on
    /// the way. Selects the first entry.
    void Refresh(const QString& cutFile);
    /// `SelectRememberedCutList`: selects the name kept in the ".IND" file (the first entry
    /// when it names none of them), then `CutListChanged` into list. Returns the messages of
    /// files that could not be written.
    QStringList SelectRemembered(RegisteredList& list);
    /// `CutListChanged`: saves the list loaded so far, then loads entry index.
    QStringList Change(int index, RegisteredList& list);
    /// `SaveCutList`: writes list under the base and name it was loaded from (nothing when none
    /// was loaded yet); an empty list deletes its files.
    QStringList Save(const RegisteredList& list);
    /// `LoadCutList`: loads the selected entry into list and remembers it in the ".IND" file.
    /// The older start marker "@" becomes blue ("1").
    QStringList Load(RegisteredList& list);
    /// `NewCutList`: saves, then adds and selects the first free name. The registered times on
    /// screen stay and become the new list's at the next save.
    QStringList NewList(const RegisteredList& list);
    /// `DeleteCutList`: deletes the loaded list's files and entry and loads the entry that
    /// takes its place (a fresh "CL_000" when none is left).
    QStringList DeleteList(RegisteredList& list);
    /// Drops the cut file and empties list without writing anything: its recording and its
    /// files were deleted, and no later save may bring them back.
    void Forget(RegisteredList& list);

    const QStringList& Names() const { return m_names; }
    int SelectedIndex() const { return m_selected; }
    /// The list now in the registered list: `CurrentCutListBase`, `CurrentCutListName`.
    const QString& CurrentBase() const { return m_currentBase; }
    const QString& CurrentName() const { return m_currentName; }

private:
    QString FilePath(const QString& base, const QString& name, const char* suffix) const;
    QString FreeName() const;
    QStringList WriteIndex();

    QString m_dir;
    QString m_base; ///< `CutFileBase` of the cut file
    QStringList m_names;
    int m_selected = -1;
    QString m_currentBase;
    QString m_currentName;
};

} // namespace veskar
