#include "cli/CliLoad.h"

#include "load/LoadFile.h"
#include "services/AppFolders.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace CliLoad {

void startModel(LoadModel& model) {
    model.form = LoadForm::initial();
    Problems::report(model.refreshAllFields());
}

namespace {
bool fail(const QString& text) {
    writeErrorLine(text);
    return false;
}
} // namespace

bool openLoad(LoadModel& model, const QString& path) {
    // A folder, a pipe or a device is named for what it is, not as a missing file. A file
    // missing at its path is also looked for in the application folder, as in the window.
    if (const QString why = MSmallBallStruct::whyNotAFile(path); !why.isEmpty())
        return fail(QStringLiteral("cannot open load file '%1': %2").arg(path, why));
    QString found = path;
    MSmallBallStruct::FileExists(found);
    QFile probe(found);
    if (!probe.open(QIODevice::ReadOnly))
        return fail(
            QStringLiteral("cannot read load file '%1': %2").arg(found, probe.errorString()));
    probe.close();

    LoadForm next = model.form;
    const LoadFile::ReadReport report = LoadFile::read(found, next);
    if (!report.opened) return fail(QStringLiteral("cannot read load file '%1'").arg(found));
    // A field too long for any has been named by the file layer; other refusals are named here.
    if (report.refused)
        return report.notALoad ? fail(LoadFile::damageMessage(found, report, next)) : false;
    if (!report.whole()) return fail(LoadFile::damageMessage(found, report, next));
    Problems::report(model.applyForm(next));
    return true;
}

std::optional<Units::ShownUnits> takeUnits(QStringList& operands, QString& error) {
    Units::ShownUnits units;
    for (qsizetype i = 0; i < operands.size();) {
        const QString& name = operands[i];
        const bool unitsOption = name == QLatin1String("--units");
        if (!unitsOption && name != QLatin1String("--clicks")) {
            ++i;
            continue;
        }
        if (i + 1 >= operands.size()) {
            error = "option '" + name + "' needs a value";
            return std::nullopt;
        }
        const QString value = operands[i + 1];
        if (unitsOption) {
            if (value != QLatin1String("imperial") && value != QLatin1String("metric")) {
                error = "--units must be imperial or metric, not '" + value + "'";
                return std::nullopt;
            }
            // The units only: the clicks stay a choice of their own.
            const Units::Click click = units.click;
            units = value == QLatin1String("metric") ? Units::ShownUnits::metric()
                                                     : Units::ShownUnits::imperial();
            units.click = click;
        } else {
            const auto click = Units::clickByName(value.toStdString());
            if (!click) {
                QStringList names;
                for (const Units::ClickInfo& c : Units::ClickTable)
                    names << QString::fromLatin1(c.name);
                error = "--clicks must be one of " + names.join(' ') + ", not '" + value + "'";
                return std::nullopt;
            }
            units.click = *click;
        }
        operands.remove(i, 2);
    }
    return units;
}

bool writeOut(const QByteArray& bytes) {
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (written == size_t(bytes.size()) && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const int error = errno;
    std::clearerr(stdout);
    writeErrorLine(QStringLiteral("cannot write to standard output: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(error ? error : EIO))));
    return false;
}

int writeOutStatus(const QByteArray& bytes) {
    return writeOut(bytes) ? ExitOk : ExitFailed;
}

void writeErrorLine(const QString& text) {
    std::fprintf(stderr, "quorvel: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace CliLoad
