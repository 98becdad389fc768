#include "services/MSmallBallStruct.h"

#include "services/MNumber.h"
#include "services/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace MSmallBallStruct {

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}

QString executableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}
} // namespace

QString appFolder() {
    if (!folderOverride().isEmpty()) return folderOverride();
    const QString env = qEnvironmentVariable("QUORVEL_APPDIR");
    if (!env.isEmpty()) return QDir::cleanPath(env);
    return executableFolder();
}

void setAppFolder(const QString& folder) {
    folderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString appPath(const QString& name) {
    return appFolder() + '/' + name;
}

void HandleError(const QString& className, const QString& operationName, long number,
                 const QString& description) {
    try {
        const QString text =
            className + ' ' + operationName + ": " + QString::number(number) + " - " + description;
        prompt().ask(text, QString(), PromptButtons::Ok, PromptIcon::None);
    } catch (const std::exception& e) {
        prompt().ask(className + " HandleError: 5 - " + QString::fromLocal8Bit(e.what()), QString(),
                     PromptButtons::Ok, PromptIcon::None);
    }
}

QString whyNotAFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && info.isDir()) return QStringLiteral("is a directory");
    if (info.exists() && !info.isFile()) return QStringLiteral("is not a regular file");
    QString found = path;
    return FileExists(found) ? QString() : QStringLiteral("no such file");
}

void reportNotFound(const QString& path) {
    showMessage(QStringLiteral("The file \"%1\" was not found.").arg(path),
                QStringLiteral("File Not Found"));
}

bool FileExists(QString& path) {
    if (path.isEmpty() || isPathSeparator(path.back())) return false;
    const QFileInfo direct(path);
    if (direct.exists() && direct.isFile()) return true;
    const QString candidate = appPath(shortFilename(path));
    const QFileInfo inApp(candidate);
    if (inApp.exists() && inApp.isFile()) {
        path = candidate;
        return true;
    }
    return false;
}

void fillComboBox(QStringList& list, const QString& pattern, const QString& folder) {
    QDir dir(folder);
    if (!dir.exists()) return;
    const QStringList filters = pattern.split(';', Qt::SkipEmptyParts);
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    list += dir.entryList();
}

QString shortFilename(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isPathSeparator(path[i])) return path.mid(i + 1);
    return path;
}

Verdict textValidate(float lower, float upper, const QString& text, const QString& tooltip) {
    Verdict v;
    const auto value = MNumber::parse(text);
    if (!value) {
        v.reject = true;
        return v;
    }
    const auto single = MNumber::toSingle(*value);
    if (single && lower <= *single && *single <= upper) return v;
    v.reject = true;
    v.message = tooltip;
    v.title = QStringLiteral("Number out of Range");
    return v;
}

bool textValidateAndWarn(float lower, float upper, const QString& text, const QString& tooltip) {
    const Verdict v = textValidate(lower, upper, text, tooltip);
    if (!v.title.isEmpty()) prompt().ask(v.message, v.title, PromptButtons::Ok, PromptIcon::None);
    return v.reject;
}

bool boxRefuses(float lower, float upper, const QString& text, const QString& tooltip) {
    if (!MNumber::isNumeric(text)) {
        prompt().ask(tooltip, QStringLiteral("Not a Number"), PromptButtons::Ok, PromptIcon::None);
        return true;
    }
    return textValidateAndWarn(lower, upper, text, tooltip);
}

bool isEven(int value) {
    return value % 2 == 0;
}

bool isNonZero(float value) {
    return value > 0.0001f || value < -0.0001f;
}

} // namespace MSmallBallStruct
