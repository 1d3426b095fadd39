#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace veskar {

class TTMSETBox;

/// The count box: sets a whole number 0..32700 with spin buttons, raises a value below MinCount
/// (except 0) to MinCount and confirms with a timed question before it answers.
class TTmSETBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Msg0 READ Msg0 WRITE SetMsg0)
    Q_PROPERTY(QString Msg1 READ Msg1 WRITE SetMsg1)
    Q_PROPERTY(QString Msg2 READ Msg2 WRITE SetMsg2)
    Q_PROPERTY(int MinCount READ MinCount WRITE SetMinCount)
    Q_PROPERTY(int TCount READ TCount WRITE SetTCount)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(QString HMS READ HMS WRITE SetHMS)
public:
    explicit TTmSETBoxDlg(QObject* parent = nullptr);
    ~TTmSETBoxDlg() override;

    /// Shows the box modally; on Messenger::Ok TCount holds the value set.
    int Execute();

    /// The form while Execute runs, null otherwise.
    TTMSETBox* Form() const { return m_form; }

    QString Msg0() const { return m_msg0; }
    void SetMsg0(const QString& text) { m_msg0 = text; }
    QString Msg1() const { return m_msg1; }
    void SetMsg1(const QString& text) { m_msg1 = text; }
    QString Msg2() const { return m_msg2; }
    void SetMsg2(const QString& text) { m_msg2 = text; }
    int MinCount() const { return m_minCount; }
    void SetMinCount(int count) { m_minCount = count; }
    int TCount() const { return m_tCount; }
    void SetTCount(int count) { m_tCount = count; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    /// The unit shown after the value.
    QString HMS() const { return m_hms; }
    void SetHMS(const QString& unit) { m_hms = unit; }

signals:
    /// The form has been filled and is about to be shown modally.
    void BoxOpening();

private:
    QString m_msg0;
    QString m_msg1;
    QString m_msg2;
    int m_minCount = 0;
    int m_tCount = 0;
    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    QString m_hms;
    QPointer<TTMSETBox> m_form;
};

} // namespace veskar
