#include "shell/HelpViewer.h"

#include "services/AppFolders.h"
#include "services/Problem.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <chm_lib.h>

namespace {
const QString kScheme = QStringLiteral("chm");

QString objectPathOf(const QString& path) {
    return path.startsWith('/') ? path : QLatin1Char('/') + path;
}

int collectFile(chmFile*, chmUnitInfo* ui, void* context) {
    auto* names = static_cast<QStringList*>(context);
    names->append(QString::fromUtf8(ui->path));
    return CHM_ENUMERATOR_CONTINUE;
}
} // namespace

// --- ChmArchive ---------------------------------------------------------------------------------

ChmArchive::ChmArchive() = default;

ChmArchive::~ChmArchive() {
    if (handle) chm_close(handle);
}

bool ChmArchive::open(const QString& path) {
    if (handle) chm_close(handle);
    handle = nullptr;
    if (!QFile::exists(path)) return false;
    handle = chm_open(QFile::encodeName(path).constData());
    return handle != nullptr;
}

bool ChmArchive::contains(const QString& objectPath) const {
    if (!handle) return false;
    chmUnitInfo ui{};
    return chm_resolve_object(handle, objectPathOf(objectPath).toUtf8().constData(), &ui) ==
           CHM_RESOLVE_SUCCESS;
}

QByteArray ChmArchive::read(const QString& objectPath) const {
    if (!handle) return {};
    chmUnitInfo ui{};
    if (chm_resolve_object(handle, objectPathOf(objectPath).toUtf8().constData(), &ui) !=
        CHM_RESOLVE_SUCCESS)
        return {};
    constexpr LONGUINT64 maxObject = 64ull * 1024 * 1024; // a help page is never this large
    if (ui.length == 0 || ui.length > maxObject) return {};
    QByteArray bytes(static_cast<qsizetype>(ui.length), Qt::Uninitialized);
    const LONGINT64 got =
        chm_retrieve_object(handle, &ui, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            static_cast<LONGINT64>(ui.length));
    if (got <= 0) return {};
    bytes.truncate(static_cast<qsizetype>(got));
    return bytes;
}

QStringList ChmArchive::files() const {
    QStringList names;
    if (handle)
        chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile, &names);
    return names;
}

QList<ChmArchive::Topic> ChmArchive::contents() const {
    for (const QString& name : files())
        if (name.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive))
            return parseContents(QString::fromUtf8(read(name)));
    return {};
}

QList<ChmArchive::Topic> ChmArchive::parseContents(const QString& sitemap) {
    // Each entry is an <OBJECT type="text/sitemap"> with "Name" and "Local" parameters.
    static const QRegularExpression object(
        QStringLiteral(R"re(<object[^>]*type\s*=\s*"text/sitemap"[^>]*>(.*?)</object>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(
        QStringLiteral(R"re(<param\s+name\s*=\s*"([^"]*)"\s+value\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    QList<Topic> topics;
    for (auto it = object.globalMatch(sitemap); it.hasNext();) {
        const QString body = it.next().captured(1);
        Topic topic;
        for (auto p = param.globalMatch(body); p.hasNext();) {
            const QRegularExpressionMatch m = p.next();
            const QString key = m.captured(1).toLower();
            if (key == QLatin1String("name")) topic.name = m.captured(2);
            if (key == QLatin1String("local")) topic.local = m.captured(2);
        }
        if (topic.local.startsWith('/')) topic.local.remove(0, 1);
        if (!topic.name.isEmpty() && !topic.local.isEmpty()) topics.append(topic);
    }
    return topics;
}

// --- HelpBrowser --------------------------------------------------------------------------------

HelpBrowser::HelpBrowser(const ChmArchive& archive, QWidget* parent)
    : QTextBrowser(parent), archive(archive) {
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

QUrl HelpBrowser::urlFor(const QString& local) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(objectPathOf(local));
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != kScheme && !name.isRelative())
        return QTextBrowser::loadResource(type, name);
    const QByteArray bytes = archive.read(name.path());
    if (bytes.isEmpty()) return {};
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(bytes);
    return bytes;
}

// --- HelpViewer ---------------------------------------------------------------------------------

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quorvel Help"));
    lstContents = new QListWidget;
    lstContents->setObjectName(QStringLiteral("lstContents"));
    txtPage = new HelpBrowser(archive);
    txtPage->setObjectName(QStringLiteral("txtPage"));

    auto* cmdBack = new QPushButton(QStringLiteral("&Back"));
    auto* cmdForward = new QPushButton(QStringLiteral("&Forward"));
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch();

    auto* splitter = new QSplitter;
    splitter->addWidget(lstContents);
    splitter->addWidget(txtPage);
    splitter->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(820, 560);
    // Esc closes the help, as it closes the program's dialogs.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    connect(cmdBack, &QPushButton::clicked, txtPage, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtPage, &QTextBrowser::forward);
    connect(txtPage, &QTextBrowser::backwardAvailable, cmdBack, &QWidget::setEnabled);
    connect(txtPage, &QTextBrowser::forwardAvailable, cmdForward, &QWidget::setEnabled);
    connect(txtPage, &QTextBrowser::sourceChanged, this, &HelpViewer::selectTopicOf);
    connect(lstContents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < topics.size()) showTopic(topics.at(row).local);
    });
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::openFile(const QString& path) {
    if (!archive.open(path)) return false;
    topics = archive.contents();
    if (topics.isEmpty()) {
        // No contents file: list the pages themselves.
        for (const QString& name : archive.files())
            if (name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
                name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
                topics.append({name.mid(1), name.mid(1)});
    }
    if (topics.isEmpty()) return false;
    const QSignalBlocker block(lstContents);
    lstContents->clear();
    for (const ChmArchive::Topic& topic : topics)
        lstContents->addItem(topic.name);
    txtPage->clearHistory();
    showTopic(topics.first().local);
    return true;
}

void HelpViewer::showTopic(const QString& local) {
    const QUrl url = HelpBrowser::urlFor(local);
    if (txtPage->source() != url) txtPage->setSource(url);
}

void HelpViewer::selectTopicOf(const QUrl& url) {
    const QString local = url.path().mid(1);
    for (int i = 0; i < topics.size(); ++i) {
        if (topics.at(i).local.compare(local, Qt::CaseInsensitive) == 0) {
            const QSignalBlocker block(lstContents);
            lstContents->setCurrentRow(i);
            return;
        }
    }
}

QString HelpViewer::helpFilePath() {
    return MSmallBallStruct::appPath(QStringLiteral("quorvel.chm"));
}

HelpViewer* HelpViewer::showContents(QWidget* owner) {
    static QPointer<HelpViewer> open; // one help window for the program
    const QString path = helpFilePath();
    if (!open || open->parentWidget() != owner) {
        auto* viewer = new HelpViewer(owner);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        if (!viewer->openFile(path)) {
            delete viewer;
            Problems::report(Problem::failure(QStringLiteral("ui"),
                                              QStringLiteral("mnuContents_Click"), 53,
                                              "File not found: " + path));
            return nullptr;
        }
        if (open) open->close();
        open = viewer;
        // Over the window it was asked from, not where the window manager happens to put it.
        if (owner && owner->isVisible()) {
            QRect place = viewer->frameGeometry();
            place.moveCenter(owner->window()->frameGeometry().center());
            viewer->move(place.topLeft());
        }
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
