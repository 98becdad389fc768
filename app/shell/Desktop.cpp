#include "shell/Desktop.h"

#include "services/AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace Desktop {

namespace {
constexpr int toolTimeoutMs = 20000;
const QString desktopFileName = QStringLiteral("quorvel.desktop");

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        setError(error, "Path/File access error: " + QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    // The flush is checked before the commit, which would keep a file whose buffer failed.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        setError(error, "Path/File access error: " + path);
        return false;
    }
    return true;
}

QString xmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Runs a desktop tool when it is installed; a missing tool is no failure, a failing one is.
bool runTool(const QString& program, const QStringList& arguments, QString* error) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return true;
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForStarted(toolTimeoutMs)) {
        setError(error, program + " could not be started");
        return false;
    }
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        setError(error, program + " did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString detail = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        setError(error, program + " failed (exit code " + QString::number(process.exitCode()) +
                            (detail.isEmpty() ? QString(")") : "): " + detail));
        return false;
    }
    return true;
}

QByteArray mimePackage(const QString& type, const QString& extension, const QString& docType) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info "
                          "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <glob pattern=\"*%3\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(xmlEscaped(type), xmlEscaped(docType), xmlEscaped(extension))
        .toUtf8();
}

// The same texts as the installed entry, packaging/quorvel.desktop: a per-user entry of the same
// name takes its place in the menu, so it keeps the name, icon and categories.
QByteArray desktopEntry(const QString& type, const QString& command) {
    // Backslashes are escaped once more for the key file format itself.
    QString exec = command;
    exec.replace('\\', QLatin1String("\\\\"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quorvel\n"
                          "GenericName=Ballistics Calculator\n"
                          "Comment=Trajectory tables, graphs and a shooting simulator\n"
                          "Exec=%1\n"
                          "Icon=quorvel\n"
                          "Terminal=false\n"
                          "MimeType=%2;\n"
                          "Categories=Science;Physics;\n")
        .arg(exec, type)
        .toUtf8();
}
} // namespace

QString dataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString mimeTypeFor(const QString& docType) {
    QString name = docType.toLower();
    name.replace('.', '-');
    name.replace(' ', '-');
    return QStringLiteral("application/x-") + name;
}

QString associationCommand() {
    QString program = MSmallBallStruct::appFolder() + QStringLiteral("/quorvel");
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : program)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (needsQuotes) {
        QString quoted;
        for (const QChar c : program) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
            quoted += c;
        }
        program = '"' + quoted + '"';
    }
    return program + QStringLiteral(" %f");
}

bool assocCreate(const QString& extension, const QString& docType, const QString& command,
                 QString* error) {
    const QString type = mimeTypeFor(docType);
    const QString base = dataHome();
    const QString mimeDir = base + QStringLiteral("/mime");
    const QString appsDir = base + QStringLiteral("/applications");
    QString packageName = type;
    packageName.replace('/', '-');
    if (!writeFile(mimeDir + "/packages/" + packageName + ".xml",
                   mimePackage(type, extension, docType), error))
        return false;
    if (!writeFile(appsDir + '/' + desktopFileName, desktopEntry(type, command), error))
        return false;
    return runTool(QStringLiteral("update-mime-database"), {mimeDir}, error) &&
           runTool(QStringLiteral("update-desktop-database"), {appsDir}, error) &&
           runTool(QStringLiteral("xdg-mime"), {QStringLiteral("default"), desktopFileName, type},
                   error);
}

} // namespace Desktop
