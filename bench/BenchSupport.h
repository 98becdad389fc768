// What the window benchmarks share: a prompt that never waits for a click, and a private
// application folder so nothing a benchmark writes lands in the build folder.
#pragma once

#include "services/AppFolders.h"
#include "services/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Answers every question No and every message OK.
class SilentPrompt : public Prompt {
public:
    PromptAnswer ask(const QString&, const QString&, PromptButtons buttons, PromptIcon) override {
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
                   ? PromptAnswer::No
                   : PromptAnswer::Ok;
    }
};

// A fresh application folder holding links to the build's solver libraries and, on request,
// copies of its pictures; the program's folder while alive.
class FreshAppFolder {
public:
    explicit FreshAppFolder(bool withPictures = false) {
        const QDir bin(QDir(QCoreApplication::applicationDirPath()).filePath("../bin"));
        for (const char* lib : {"trajcore.so", "quorvelsim.so"})
            QFile::link(bin.absoluteFilePath(lib), dir.filePath(lib));
        if (withPictures) copyPictures(bin);
        MSmallBallStruct::setAppFolder(dir.path());
    }
    ~FreshAppFolder() { MSmallBallStruct::setAppFolder(QString()); }
    FreshAppFolder(const FreshAppFolder&) = delete;
    FreshAppFolder& operator=(const FreshAppFolder&) = delete;

private:
    void copyPictures(const QDir& bin) {
        for (const QString& sub : bin.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDir().mkpath(dir.filePath(sub));
            const QDir from(bin.filePath(sub));
            for (const QString& f : from.entryList(QDir::Files))
                QFile::copy(from.filePath(f), dir.filePath(sub + '/' + f));
        }
        QFile::copy(bin.filePath("hello.bmp"), dir.filePath("hello.bmp"));
    }

    QTemporaryDir dir;
};
