#include "FuzzSupport.h"

#include "services/AppFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {
QtMessageHandler qtHandler = nullptr;

// Qt warns on standard error for every path holding a NUL byte; the readers refuse such a path
// with their own message, and a session or scene run meets one in most inputs (hundreds of
// megabytes of log in a long run). Every other message goes through.
void dropBrokenFileNames(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("Broken filename passed to function"))) return;
    qtHandler(type, context, text);
}
} // namespace

PromptAnswer SilentPrompt::ask(const QString& text, const QString&, PromptButtons buttons,
                               PromptIcon) {
    ++messages;
    lastText = text;
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::Yes
               : PromptAnswer::Ok;
}

Environment::Environment() {
    // The user data folder lives in the temporary folder too: nothing of a run is left behind.
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.path() + QStringLiteral("/user")));
    const QString app = folder.path() + QStringLiteral("/app");
    QDir().mkpath(app);
    const QDir bin(QStringLiteral(QUORVEL_FUZZ_BIN_DIR));
    for (const QString& lib : {QStringLiteral("trajcore.so"), QStringLiteral("quorvelsim.so")}) {
        QFile::link(bin.filePath(lib), app + '/' + lib);
        // Without them every trajectory silently fails and the readers' callers go untested.
        if (!QFileInfo::exists(app + '/' + lib)) fail("a solver library is missing");
    }
    MSmallBallStruct::setAppFolder(app);
    installPrompt(&prompt);
    qtHandler = qInstallMessageHandler(&dropBrokenFileNames);
}

QString Environment::path(const QString& name) const {
    return MSmallBallStruct::appPath(name);
}

QString Environment::write(const QString& name, const uint8_t* data, size_t size) const {
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail("cannot write the input");
    out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return file;
}

Environment& environment() {
    static Environment env;
    return env;
}

void fail(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

} // namespace fuzz
