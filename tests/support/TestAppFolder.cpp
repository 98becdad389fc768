#include "TestAppFolder.h"

#include "services/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The user's own data folder holds what a real run left there (a lastfile.dat naming a real
// load); a test must not find it. Unless a test has pointed the variables elsewhere itself,
// they point into a folder of this test process.
void keepOutOfTheUsersFolders() {
    static const QString sandbox = QDir::temp().filePath(
        QStringLiteral("quorvel-test-%1").arg(QCoreApplication::applicationPid()));
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
        if (qEnvironmentVariableIsEmpty(variable))
            qputenv(variable, QFile::encodeName(sandbox + '/' + QLatin1String(variable)));
    }
}
} // namespace

TestAppFolder::TestAppFolder(bool withSolvers, bool withAssets) {
    keepOutOfTheUsersFolders();
    const QDir bin(binDir());
    if (withSolvers) {
        for (const QString& lib : {QStringLiteral("trajcore.so"), QStringLiteral("quorvelsim.so")})
            QFile::link(bin.filePath(lib), file(lib));
        // The precision model's standard drag tables, read like the solvers.
        QFile::link(bin.filePath(QStringLiteral("drag")), file(QStringLiteral("drag")));
    }
    if (withAssets) {
        for (const QString& entry : bin.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFileInfo(file(entry)).isSymLink()) continue; // linked with the solvers
            QDir().mkpath(file(entry)); // real folders, so generated masks stay in this folder
        }
        for (const QString& entry : bin.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFileInfo(file(entry)).isSymLink()) continue;
            const QDir sub(bin.filePath(entry));
            for (const QString& f : sub.entryList(QDir::Files))
                QFile::copy(sub.filePath(f), file(entry + '/' + f));
        }
        for (const QString& f : bin.entryList({"*.bmp", "*.chm"}, QDir::Files))
            QFile::copy(bin.filePath(f), file(f));
    }
    MSmallBallStruct::setAppFolder(dir.path());
}

TestAppFolder::~TestAppFolder() {
    MSmallBallStruct::setAppFolder(QString());
}

QString TestAppFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return f.fileName();
}

QByteArray TestAppFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
