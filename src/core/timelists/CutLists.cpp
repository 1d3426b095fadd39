#include "core/timelists/CutLists.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/settings/ListFiles.h"
#include "core/settings/TextFile.h"
#include "core/timelists/CutListFiles.h"
#include "core/timelists/RegisteredList.h"

namespace veskar {

namespace {

const QString kFirstCutList = QStringLiteral("CL_000");

QString CutListName(int n) {
    return QStringLiteral("CL_%1").arg(n, 3, 10, QLatin1Char('0'));
}

QString FirstFree(const QStringList& taken) {
    for (int n = 0;; ++n) {
        if (!taken.contains(CutListName(n))) {
            return CutListName(n);
        }
    }
}

// Writes lines to path, or removes path when there are none. Returns the message of a file
// that could not be written.
QStringList WriteOrRemove(const QString& path, const QStringList& lines) {
    if (lines.isEmpty()) {
        QFile::remove(path);
        return {};
    }
    const QString error = WriteListFile(path, lines);
    if (error.isEmpty()) {
        return {};
    }
    return {QString::fromUtf8(kListFileSaveError) + path + "\n" + error};
}

} // namespace

QString CutLists::FilePath(const QString& base, const QString& name, const char* suffix) const {
    return QDir(m_dir).filePath(base + name + QLatin1String(suffix));
}

QString CutLists::FreeName() const {
    return FirstFree(m_names);
}

void CutLists::Refresh(const QString& cutFile) {
    m_base = CutFileBase(cutFile);
    m_names.clear();
    for (const QString& path : CutListFilesOf(m_dir, m_base)) {
        const QString rest = QFileInfo(path).fileName().mid(m_base.size());
        if (rest.startsWith(u"CL_") && rest.endsWith(u".ARS")) {
            m_names.append(rest.left(6));
        }
    }
    std::sort(m_names.begin(), m_names.end());
    const QString olderTimes = FilePath(m_base, {}, ".ARS");
    if (!m_base.isEmpty() && QFileInfo::exists(olderTimes)) {
        const QString name = FirstFree(m_names);
        // A tag file left without its times would be taken for this list's tags; it goes
        // first so the older pair can take the name whole.
        QFile::remove(FilePath(m_base, name, ".STA"));
        if (QFile::rename(olderTimes, FilePath(m_base, name, ".ARS"))) {
            m_names.append(name);
            std::sort(m_names.begin(), m_names.end());
            QFile::rename(FilePath(m_base, {}, ".STA"), FilePath(m_base, name, ".STA"));
        }
    }
    if (m_names.isEmpty()) {
        m_names.append(kFirstCutList);
    }
    m_selected = 0;
}

QStringList CutLists::SelectRemembered(RegisteredList& list) {
    const std::optional<QStringList> index = ReadListFile(FilePath(m_base, {}, ".IND"));
    const qsizetype found = index && !index->isEmpty() ? m_names.indexOf(index->first()) : -1;
    return Change(found < 0 ? 0 : static_cast<int>(found), list);
}

QStringList CutLists::Change(int index, RegisteredList& list) {
    QStringList errors = Save(list);
    if (index >= 0 && index < m_names.size()) {
        m_selected = index;
        errors += Load(list);
    }
    return errors;
}

QStringList CutLists::Save(const RegisteredList& list) {
    if (m_currentBase.isEmpty()) {
        return {};
    }
    return WriteOrRemove(FilePath(m_currentBase, m_currentName, ".ARS"), list.Texts()) +
           WriteOrRemove(FilePath(m_currentBase, m_currentName, ".STA"),
                         list.IsEmpty() ? QStringList() : list.Tags());
}

QStringList CutLists::WriteIndex() {
    const QString path = FilePath(m_currentBase, {}, ".IND");
    const QString error = WriteListFile(path, {m_currentName});
    if (error.isEmpty()) {
        return {};
    }
    return {QString::fromUtf8(kListFileSaveError) + path + "\n" + error};
}

QStringList CutLists::Load(RegisteredList& list) {
    if (m_base.isEmpty()) {
        list.Clear();
        return {};
    }
    m_currentBase = m_base;
    m_currentName = m_names.value(m_selected);
    const QStringList errors = WriteIndex();
    const QStringList times =
        ReadListFile(FilePath(m_currentBase, m_currentName, ".ARS")).value_or(QStringList());
    QStringList tags =
        ReadListFile(FilePath(m_currentBase, m_currentName, ".STA")).value_or(QStringList());
    std::replace(tags.begin(), tags.end(), QStringLiteral("@"), QStringLiteral("1"));
    list.Assign(times, tags);
    return errors;
}

QStringList CutLists::NewList(const RegisteredList& list) {
    QStringList errors = Save(list);
    const QString name = FreeName();
    m_names.append(name);
    m_selected = static_cast<int>(m_names.size()) - 1;
    m_currentBase = m_base;
    m_currentName = name;
    return errors + WriteIndex();
}

QStringList CutLists::DeleteList(RegisteredList& list) {
    if (!m_currentBase.isEmpty()) {
        QFile::remove(FilePath(m_currentBase, m_currentName, ".ARS"));
        QFile::remove(FilePath(m_currentBase, m_currentName, ".STA"));
    }
    if (m_selected >= 0 && m_selected < m_names.size()) {
        m_names.removeAt(m_selected);
    }
    if (m_names.isEmpty()) {
        m_names.append(kFirstCutList);
    }
    m_selected = std::clamp(m_selected, 0, static_cast<int>(m_names.size()) - 1);
    return Load(list);
}

void CutLists::Forget(RegisteredList& list) {
    m_base.clear();
    m_currentBase.clear();
    m_currentName.clear();
    m_names = QStringList{kFirstCutList};
    m_selected = 0;
    list.Clear();
}

} // namespace veskar
