#pragma once

#include <QWidget>

class QHelpEngine;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace veskar {

/// The help window: the program's help pages with their contents, keyword index and full-text
/// search, from the compiled help file. The pages open inside the window; links to other sites
/// go to the user's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    enum class Start { Contents, Keywords };

    /// The compiled help file beside the program, in its share folder, or where the build put
    /// it; empty when there is none.
    static QString HelpFile();

    /// helpFile is the compiled help; its collection is kept in the user's cache folder.
    explicit HelpWindow(const QString& helpFile, QWidget* parent = nullptr);

    /// False when the help file could not be registered (the window then shows nothing).
    bool Ready() const { return m_ready; }
    /// Shows the window at its contents page, with the contents or the keyword index beside it.
    void Open(Start start);
    /// Shows a page: a help page by its address ("qthelp://…"), or a page of another site in the
    /// user's browser.
    void ShowPage(const QUrl& url);
    /// The address of a help page by its file name ("index.html").
    QUrl PageUrl(const QString& fileName) const;

    QHelpEngine* engine = nullptr;
    QTabWidget* tabs = nullptr;
    QTextBrowser* browser = nullptr;

private:
    QString m_namespace;
    bool m_ready = false;
};

} // namespace veskar
