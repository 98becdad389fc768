#pragma once
// The per-user data folder of one test: while alive, XDG_DATA_HOME points into a temporary
// folder, so files the program moves out of a read-only application folder land there.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class UserDataHome {
public:
    UserDataHome() : previous(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    }
    ~UserDataHome() {
        if (previous.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previous);
    }
    UserDataHome(const UserDataHome&) = delete;
    UserDataHome& operator=(const UserDataHome&) = delete;

    // Where the program keeps `name` for this user.
    QString quorvel(const QString& name) const { return home.path() + "/quorvel/" + name; }

    // An application folder no process can write, root included: a folder of /proc.
    static QString unwritableAppFolder() { return QStringLiteral("/proc/quorvel-installed"); }

private:
    QTemporaryDir home;
    QByteArray previous;
};
