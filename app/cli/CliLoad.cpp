#include "cli/CliLoad.h"

#include "load/CFileData.h"
#include "load/LoadFile.h"
#include "services/MSmallBallStruct.h"

#include <QFile>
#include <cstdio>

namespace CliLoad {

void startModel(LoadModel& model) {
    model.form = LoadForm::initial();
    model.refreshAllFields();
}

QString openLoad(LoadModel& model, const QString& path) {
    // A file missing at its path is also looked for in the application folder, as in the window.
    QString found = path;
    if (!MSmallBallStruct::FileExists(found))
        return QStringLiteral("cannot open load file '%1': no such file").arg(path);
    QFile probe(found);
    if (!probe.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read load file '%1': %2").arg(found, probe.errorString());
    probe.close();

    CFileData dat;
    dat.filename = found;
    LoadForm next = model.form;
    if (!LoadFile::dataLoad(dat, next))
        return QStringLiteral("cannot read load file '%1'").arg(found);
    model.applyForm(next);
    return QString();
}

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeErrorLine(const QString& text) {
    std::fprintf(stderr, "quorvel: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace CliLoad
