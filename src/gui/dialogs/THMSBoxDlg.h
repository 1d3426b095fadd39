#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace veskar {

class THMSBox;

/// The time-range box: a start and an end time in hours, minutes and seconds. Hours run from
/// 0 to MaxH - 1. An end of 00:00:00 means no end; any other end must lie after the start.
class THMSBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(int STH MEMBER m_sth)
    Q_PROPERTY(int STM MEMBER m_stm)
    Q_PROPERTY(int STS MEMBER m_sts)
    Q_PROPERTY(int ENH MEMBER m_enh)
    Q_PROPERTY(int ENM MEMBER m_enm)
    Q_PROPERTY(int ENS MEMBER m_ens)
    Q_PROPERTY(int MaxH MEMBER m_maxH)
public:
    explicit THMSBoxDlg(QObject* parent = nullptr);
    ~THMSBoxDlg() override;

    /// Shows the box modally with the prompt above its fields (none when empty); on
    /// Messenger::Ok the six values hold the range set.
    int Execute(const QString& prompt = {});

    /// The form while Execute runs, null otherwise.
    THMSBox* Form() const { return m_form; }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    void SetStart(int hours, int minutes, int seconds);
    void SetEnd(int hours, int minutes, int seconds);
    int STH() const { return m_sth; }
    int STM() const { return m_stm; }
    int STS() const { return m_sts; }
    int ENH() const { return m_enh; }
    int ENM() const { return m_enm; }
    int ENS() const { return m_ens; }
    int MaxH() const { return m_maxH; }
    void SetMaxH(int hours) { m_maxH = hours; }

signals:
    /// The form has been filled and is about to be shown modally.
    void BoxOpening();

private:
    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    int m_sth = 0;
    int m_stm = 0;
    int m_sts = 0;
    int m_enh = 0;
    int m_enm = 0;
    int m_ens = 0;
    int m_maxH = 24;
    QPointer<THMSBox> m_form;
};

} // namespace veskar
