// What every main-window test needs: a temporary application folder with the solver libraries,
// recorded messages, scripted file dialogs, settings kept away from the user's own, and small
// helpers to write load files.
#pragma once

#include "PromptRecorder.h"
#include "ScriptedFileChooser.h"
#include "TestAppFolder.h"
#include "load/LoadFile.h"
#include "load/LoadForm.h"
#include "services/CFileData.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

namespace WindowFixture {

// Settings of the test run go to a folder of their own.
inline void isolateSettings(const QTemporaryDir& dir) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
}

// A load form with the given cartridge and a few values of its own.
inline LoadForm sampleForm(const QString& cartridge,
                           const QString& weight = QStringLiteral("168")) {
    LoadForm form = LoadForm::initial();
    form.fields[0] = cartridge;
    form.fields[1] = weight;
    form.fields[2] = QStringLiteral("2650");
    form.fields[8] = QStringLiteral("0");
    form.fields[9] = QStringLiteral("59");
    form.fields[18] = QStringLiteral("29.92");
    form.dragIndex = 0;
    form.notes = QStringLiteral("sample");
    return form;
}

inline QString writeLoad(const TestAppFolder& folder, const QString& name, const LoadForm& form) {
    QString datFile;
    datFile = folder.file(name);
    LoadFile::dataSaveTable(datFile, form);
    return datFile;
}

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// All recorded messages on one line, for failure output.
inline QByteArray messagesText(const PromptRecorder& prompts) {
    QStringList lines;
    for (const RecordedMessage& m : prompts.messages)
        lines << m.title + QStringLiteral(": ") + m.text;
    return lines.join(QStringLiteral(" | ")).toUtf8();
}

} // namespace WindowFixture
