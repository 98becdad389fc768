// A temporary application folder for one test: the solver libraries are linked in from the build
// folder (so CSmallBall finds them), and the application folder points here until destruction.
#pragma once

#include <QString>
#include <QTemporaryDir>

class TestAppFolder {
public:
    // withSolvers: link trajcore.so, quorvelsim.so and the drag tables into the folder.
    // withAssets: link the picture folders and hello.bmp as well.
    explicit TestAppFolder(bool withSolvers = true, bool withAssets = false);
    ~TestAppFolder();

    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.path() + '/' + name; }
    // Writes bytes to a file in the folder and returns its path.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

    static QString binDir() { return QStringLiteral(QUORVEL_BIN_DIR); }
    static QString dataDir() { return QStringLiteral(QUORVEL_TEST_DATA_DIR); }

private:
    QTemporaryDir dir;
};
