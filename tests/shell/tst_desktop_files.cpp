#include "TestAppFolder.h"
#include "shell/Desktop.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The desktop files installed with the program (packaging/) and the ones File > Associate writes
// for a copy run from a folder describe one program and one file type: a per-user entry of the
// same name takes the installed entry's place in the menu, so the two must not drift apart.
class DesktopFilesTest : public QObject {
    Q_OBJECT

private:
    using Entry = QMap<QString, QString>;
    struct MimeType {
        QString comment;
        QStringList globs;
    };
    using MimePackage = QMap<QString, MimeType>;

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The [Desktop Entry] group's keys and values.
    static Entry parseEntry(const QByteArray& text) {
        Entry entry;
        for (const QByteArray& line : text.split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0 && !line.startsWith('#'))
                entry.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
        }
        return entry;
    }

    static MimePackage parseMime(const QByteArray& xml) {
        MimePackage types;
        QXmlStreamReader reader(xml);
        QString current;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement) continue;
            const auto name = reader.name();
            if (name == QLatin1String("mime-type")) {
                current = reader.attributes().value(QLatin1String("type")).toString();
                types.insert(current, {});
            } else if (name == QLatin1String("comment")) {
                types[current].comment = reader.readElementText();
            } else if (name == QLatin1String("glob")) {
                types[current].globs
                    << reader.attributes().value(QLatin1String("pattern")).toString();
            }
        }
        if (reader.hasError()) qWarning() << reader.errorString();
        return types;
    }

    static QStringList typesOf(const Entry& entry) {
        return entry.value(QStringLiteral("MimeType")).split(';', Qt::SkipEmptyParts);
    }

    const QString installed = QStringLiteral(QUORVEL_PACKAGING_DIR);

private slots:
    void theAssociationAgreesWithTheInstalledFiles() {
        TestAppFolder app(false);
        QTemporaryDir xdg;
        qputenv("XDG_DATA_HOME", xdg.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", xdg.filePath(QStringLiteral("config")).toLocal8Bit());
        QString error;
        const bool made =
            Desktop::assocCreate(QStringLiteral(".qvt"), QStringLiteral("Quorvel.Document"),
                                 Desktop::associationCommand(), &error);
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY2(made, qPrintable(error));

        const Entry user =
            parseEntry(bytesOf(xdg.filePath(QStringLiteral("data/applications/quorvel.desktop"))));
        const Entry system = parseEntry(bytesOf(installed + QStringLiteral("/quorvel.desktop")));
        QVERIFY(!user.isEmpty());
        QVERIFY(!system.isEmpty());
        // Everything but the program's path and the file types is the same text.
        for (auto it = user.cbegin(); it != user.cend(); ++it) {
            if (it.key() == QLatin1String("Exec") || it.key() == QLatin1String("MimeType"))
                continue;
            QVERIFY2(system.value(it.key()) == it.value(), qPrintable(it.key()));
        }
        QCOMPARE(system.value(QStringLiteral("Exec")), QStringLiteral("quorvel %f"));
        QVERIFY(user.value(QStringLiteral("Exec")).endsWith(QStringLiteral("/quorvel %f")));
        for (const QString& type : typesOf(user))
            QVERIFY2(typesOf(system).contains(type), qPrintable(type));

        // The per-user file type is defined the same way by the installed package.
        const MimePackage userTypes = parseMime(bytesOf(
            xdg.filePath(QStringLiteral("data/mime/packages/application-x-quorvel-document.xml"))));
        const MimePackage systemTypes =
            parseMime(bytesOf(installed + QStringLiteral("/quorvel-mime.xml")));
        QCOMPARE(userTypes.size(), 1);
        for (auto it = userTypes.cbegin(); it != userTypes.cend(); ++it) {
            QVERIFY2(systemTypes.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(systemTypes.value(it.key()).comment, it.value().comment);
            QCOMPARE(systemTypes.value(it.key()).globs, it.value().globs);
        }
    }

    void theInstalledEntryOpensOnlyTypesThePackageDefines() {
        const Entry system = parseEntry(bytesOf(installed + QStringLiteral("/quorvel.desktop")));
        const MimePackage systemTypes =
            parseMime(bytesOf(installed + QStringLiteral("/quorvel-mime.xml")));
        QCOMPARE(typesOf(system), systemTypes.keys());
        QCOMPARE(systemTypes.value(QStringLiteral("application/x-quorvel-session")).globs,
                 QStringList{QStringLiteral("*.ssn")});
        QCOMPARE(Desktop::mimeTypeFor(QStringLiteral("Quorvel.Session")),
                 QStringLiteral("application/x-quorvel-session"));
    }
};

QTEST_GUILESS_MAIN(DesktopFilesTest)
#include "tst_desktop_files.moc"
