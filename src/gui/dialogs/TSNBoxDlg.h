#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace veskar {

class TSNBox;

/// The input box: a one-line text prompt that remembers earlier answers (used to name new
/// folders and to rename recordings). The history SN is kept most recent first without
/// duplicates of the answers it has seen.
class TSNBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(QStringList SN READ SN WRITE SetSN)
    Q_PROPERTY(bool StandardColor READ StandardColor WRITE SetStandardColor)
    Q_PROPERTY(QString SNText READ SNText WRITE SetSNText)
public:
    explicit TSNBoxDlg(QObject* parent = nullptr);
    ~TSNBoxDlg() override;

    /// Shows the box modally and returns the modal result: Messenger::Ok with the answer in
    /// SNText, Messenger::Abort for "中止", Messenger::Cancel when the window was closed.
    int Execute(const QString& prompt);

    /// The form while Execute runs, null otherwise.
    TSNBox* Form() const { return m_form; }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    QStringList SN() const { return m_sn; }
    void SetSN(const QStringList& history) { m_sn = history; }
    bool StandardColor() const { return m_standardColor; }
    void SetStandardColor(bool standard) { m_standardColor = standard; }
    QString SNText() const { return m_snText; }
    void SetSNText(const QString& text) { m_snText = text; }

signals:
    /// The form has been filled and is about to be shown modally.
    void BoxOpening();

private:
    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    QStringList m_sn;
    bool m_standardColor = true;
    QString m_snText;
    QPointer<TSNBox> m_form;
};

} // namespace veskar
