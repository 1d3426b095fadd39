#include "gui/main/HelpWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/text/Captions.h"

namespace veskar {

namespace {

constexpr char kHelpFileName[] = "pirvan-cutter.qch";

// Pages come out of the help engine; the browser itself knows nothing of qthelp addresses.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), m_engine(engine) {
        setOpenLinks(false);
    }
    QVariant loadResource(int type, const QUrl& url) override {
        if (url.scheme() == QLatin1String("qthelp")) {
            return m_engine.fileData(url);
        }
        return QTextBrowser::loadResource(type, url);
    }

private:
    QHelpEngine& m_engine;
};

} // namespace

QString HelpWindow::HelpFile() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        programDir + '/' + kHelpFileName,
        programDir + QStringLiteral("/../share/pirvan-cutter/") + kHelpFileName,
#ifdef PIRVAN_BUILT_HELP_FILE
        QStringLiteral(PIRVAN_BUILT_HELP_FILE),
#endif
    };
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            return QFileInfo(path).canonicalFilePath();
        }
    }
    return {};
}

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(kAppTitle + QStringLiteral(" ヘルプ"));
    resize(960, 680);

    // The collection lives in the user's cache: the program's own folder may not be writable,
    // and the search index is built beside it.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    engine = new QHelpEngine(cache + QStringLiteral("/pirvan-cutter.qhc"), this);
    engine->setReadOnly(false);
    m_ready = engine->setupData();
    m_namespace = QHelpEngineCore::namespaceName(helpFile);
    if (m_ready && !m_namespace.isEmpty()) {
        // A newer build or another installation replaces what was registered before.
        if (engine->registeredDocumentations().contains(m_namespace) &&
            engine->documentationFileName(m_namespace) != helpFile) {
            engine->unregisterDocumentation(m_namespace);
        }
        if (!engine->registeredDocumentations().contains(m_namespace)) {
            engine->registerDocumentation(helpFile);
        }
    }
    m_ready = m_ready && engine->registeredDocumentations().contains(m_namespace);

    browser = new HelpBrowser(*engine, this);
    browser->setObjectName("HelpBrowser");
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpWindow::ShowPage);

    tabs = new QTabWidget(this);
    tabs->setObjectName("HelpTabs");
    QHelpContentWidget* contents = engine->contentWidget();
    contents->setObjectName("HelpContents");
    tabs->addTab(contents, QStringLiteral("目次"));

    auto* indexPage = new QWidget(tabs);
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* keyword = new QLineEdit(indexPage);
    keyword->setObjectName("HelpKeyword");
    keyword->setPlaceholderText(QStringLiteral("キーワードを入力"));
    QHelpIndexWidget* index = engine->indexWidget();
    index->setObjectName("HelpIndex");
    indexLayout->addWidget(keyword);
    indexLayout->addWidget(index, 1);
    tabs->addTab(indexPage, QStringLiteral("索引"));
    connect(keyword, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(keyword, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);

    auto* searchPage = new QWidget(tabs);
    auto* searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchEngine* search = engine->searchEngine();
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    tabs->addTab(searchPage, QStringLiteral("検索"));
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search,
            [search] { search->search(search->queryWidget()->searchInput()); });

    // The contents are read in the background; shown whole, they fit the window.
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            &QTreeView::expandAll);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::ShowPage);
    // A contents entry opens on a single click, as the entries of a page's own contents do.
    connect(contents, &QTreeView::clicked, this, [this](const QModelIndex& entry) {
        if (QHelpContentItem* item = engine->contentModel()->contentItemAt(entry)) {
            ShowPage(item->url());
        }
    });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link) { ShowPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links) {
                if (!links.isEmpty()) {
                    ShowPage(links.constFirst().url);
                }
            });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &HelpWindow::ShowPage);
    // The full-text index is built once, in the background, the first time it is missing.
    connect(engine, &QHelpEngineCore::setupFinished, search,
            &QHelpSearchEngine::scheduleIndexDocumentation);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 680});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    if (!m_ready) {
        browser->setPlainText(QStringLiteral("ヘルプファイルを読めませんでした☆\n") + helpFile);
    }
}

QUrl HelpWindow::PageUrl(const QString& fileName) const {
    return QUrl(QStringLiteral("qthelp://%1/help/%2").arg(m_namespace, fileName));
}

void HelpWindow::ShowPage(const QUrl& url) {
    if (url.scheme() == QLatin1String("qthelp") || url.isRelative()) {
        browser->setSource(browser->source().resolved(url));
    } else {
        QDesktopServices::openUrl(url);
    }
}

void HelpWindow::Open(Start start) {
    tabs->setCurrentIndex(start == Start::Contents ? 0 : 1);
    if (m_ready) {
        ShowPage(PageUrl(QStringLiteral("index.html")));
    }
    show();
    raise();
    activateWindow();
}

} // namespace veskar
