// The load data document without the window: New, Open, Save, Save As and the unsaved-changes
// question, with scripted dialogs and answers.
#include "UserDataHome.h"
#include "WindowFixture.h"
#include "load/LoadDocument.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"

#include <QFileInfo>
#include <QTest>

using namespace WindowFixture;

class LoadDocumentTest : public QObject {
    Q_OBJECT

    struct Setup {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        LoadModel model;
        LoadDocument doc{model};
        QStringList mru;
        int loads = 0;

        Setup() {
            doc.addToMru = [this](const QString& path) { mru << path; };
            doc.loaded = [this] { ++loads; };
        }
        // A current file holding exactly what the model shows.
        QString openSaved(const QString& name, const LoadForm& form) {
            const QString path = writeLoad(folder, name, form);
            doc.filename = path;
            doc.dataLoad();
            prompts.clear();
            mru.clear();
            return path;
        }
    };

private slots:
    void unchangedDataAsksNothing() {
        Setup s;
        s.openSaved("308.qvt", sampleForm("308 Win"));
        QVERIFY(s.doc.queryUnsaved());
        QVERIFY(s.prompts.messages.isEmpty());
        // The scratch file is written beside the program and kept.
        QVERIFY(QFileInfo::exists(s.folder.file("temp.tmp")));
    }

    void changedDataNamesTheCurrentFile() {
        Setup s;
        s.openSaved("308.qvt", sampleForm("308 Win"));
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::Cancel};
        QVERIFY(!s.doc.queryUnsaved());
        QCOMPARE(s.prompts.messages.size(), 1);
        const RecordedMessage& m = s.prompts.messages.first();
        QCOMPARE(m.text, QStringLiteral("Do you want to Save changes to 308.qvt ?"));
        QCOMPARE(m.title, QStringLiteral("Unsaved Changes to Load Data"));
        QCOMPARE(m.buttons, PromptButtons::YesNoCancel);
        QCOMPARE(m.icon, PromptIcon::Question);
    }

    // A load refused at start-up (a field longer than any field) is not the document: Save asks
    // for a name instead of writing the form over the file that could not be read.
    void aFileRefusedAtStartUpIsNotSavedOver() {
        Setup s;
        const QString good = writeLoad(s.folder, "good.qvt", sampleForm("308 Win"));
        QByteArray bytes;
        {
            QFile f(good);
            QVERIFY(f.open(QIODevice::ReadOnly));
            bytes = f.readAll();
        }
        bytes.replace("308 Win", QByteArray(40000, 'x'));
        const QString bad = s.folder.write(QStringLiteral("bad.qvt"), bytes);
        s.doc.filename = bad;
        QVERIFY(!s.doc.startUp());
        QCOMPARE(s.prompts.messages.size(), 1); // the field too long, once
        QVERIFY(s.doc.filename.isEmpty());
        s.chooser.files = {QString()}; // Save As cancelled
        QVERIFY(!s.doc.save());
        QCOMPARE(s.chooser.requests.size(), 1);
        QFile f(bad);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
    }

    void openCancelKeepsDataAndFile() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        const QString second = writeLoad(s.folder, "243.qvt", sampleForm("243 Win", "95"));
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::Cancel};
        s.chooser.files = {second};
        QVERIFY(!s.doc.open());
        QCOMPARE(s.doc.filename, first);
        QCOMPARE(s.model.form.fields[1], QStringLiteral("150"));
        QVERIFY(s.chooser.requests.isEmpty()); // the dialog never showed
        QCOMPARE(bytesOf(first), bytesOf(s.folder.file("308.qvt")));
    }

    void openNoDiscardsAndOpens() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        const QByteArray before = bytesOf(first);
        const QString second = writeLoad(s.folder, "243.qvt", sampleForm("243 Win", "95"));
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::No};
        s.chooser.files = {second};
        QVERIFY(s.doc.open());
        QCOMPARE(s.doc.filename, second);
        QCOMPARE(s.model.form.fields[0], QStringLiteral("243 Win"));
        QCOMPARE(s.model.values.in1.ibweight, int16_t(95));
        QCOMPARE(bytesOf(first), before); // not saved
        QCOMPARE(s.mru, QStringList{second});
        const auto& request = s.chooser.requests.first();
        QVERIFY(request.open);
        QCOMPARE(request.request.title, QStringLiteral("Open File"));
        QCOMPARE(request.request.filter,
                 QStringLiteral("Quorvel Table Files (*.qvt)|*.qvt|All Files (*.*)|*.*"));
    }

    void openYesSavesFirst() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        const QString second = writeLoad(s.folder, "243.qvt", sampleForm("243 Win", "95"));
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::Yes};
        s.chooser.files = {second};
        QVERIFY(s.doc.open());
        LoadForm reread = LoadForm::initial();
        QString datFile;
        datFile = first;
        QVERIFY(LoadFile::dataLoad(datFile, reread));
        QCOMPARE(reread.fields[1], QStringLiteral("150"));
        QCOMPARE(s.doc.filename, second);
    }

    void openCancelledDialogChangesNothing() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        QVERIFY(!s.doc.open());
        QCOMPARE(s.doc.filename, first);
        QVERIFY(s.prompts.messages.isEmpty());
        QVERIFY(s.mru.isEmpty());
    }

    void openMissingFileIsIgnored() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        s.chooser.files = {s.folder.file("nowhere/none.qvt")};
        QVERIFY(!s.doc.open());
        QCOMPARE(s.doc.filename, first);
    }

    void saveAsAddsTheDefaultExtension() {
        Setup s;
        s.openSaved("308.qvt", sampleForm("308 Win"));
        s.chooser.files = {s.folder.file("test")};
        QVERIFY(s.doc.saveAs());
        QCOMPARE(s.doc.filename, s.folder.file("test.qvt"));
        QVERIFY(QFileInfo::exists(s.folder.file("test.qvt")));
        QCOMPARE(s.mru, QStringList{s.folder.file("test.qvt")});
        const auto& request = s.chooser.requests.first();
        QVERIFY(!request.open);
        QCOMPARE(request.request.title, QStringLiteral("Save As"));
        QCOMPARE(request.request.filter,
                 QStringLiteral("Quorvel Tables Files (*.qvt)|*.qvt|All Files (*.*)|*.*"));
    }

    void saveAsAsksBeforeReplacing() {
        Setup s;
        s.openSaved("308.qvt", sampleForm("308 Win"));
        const QString other = writeLoad(s.folder, "other.qvt", sampleForm("Other"));
        const QByteArray before = bytesOf(other);
        // No: the dialog comes back; the second choice is cancelled.
        s.chooser.files = {other};
        s.prompts.answers = {PromptAnswer::No};
        QVERIFY(!s.doc.saveAs());
        QCOMPARE(s.chooser.requests.size(), 2);
        QCOMPARE(bytesOf(other), before);
        QCOMPARE(s.prompts.messages.first().text,
                 QStringLiteral("other.qvt already exists.\nDo you want to replace it?"));
        // Yes: replaced.
        s.chooser.files = {other};
        s.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(s.doc.saveAs());
        QCOMPARE(s.doc.filename, other);
        QVERIFY(bytesOf(other) != before);
    }

    void newAsksThenSaveWritesTheFileThatWasCurrent() {
        Setup s;
        const QString first = s.openSaved("308.qvt", sampleForm("308 Win"));
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::Cancel};
        s.doc.newDocument();
        QCOMPARE(s.model.form.fields[0], QStringLiteral("308 Win")); // cancelled
        s.prompts.answers = {PromptAnswer::No};
        s.doc.newDocument();
        QCOMPARE(s.model.form.fields[0], QStringLiteral("New"));
        QCOMPARE(s.model.form.fields[1], QStringLiteral("100"));
        QCOMPARE(s.doc.filename, first);
        QVERIFY(s.doc.save());
        LoadForm reread = LoadForm::initial();
        QString datFile;
        datFile = first;
        QVERIFY(LoadFile::dataLoad(datFile, reread));
        QCOMPARE(reread.fields[0], QStringLiteral("New"));
    }

    void unsavedLoadWithoutFileGoesThroughSaveAs() {
        Setup s; // no current file: the designed defaults count as changed
        s.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(!s.doc.queryUnsaved()); // Save As cancelled: the whole command is cancelled
        QCOMPARE(s.chooser.requests.size(), 1);
        QCOMPARE(s.prompts.messages.first().text,
                 QStringLiteral("Do you want to Save changes to Untitled ?"));

        s.prompts.answers = {PromptAnswer::Yes};
        s.chooser.files = {s.folder.file("fresh.qvt")};
        QVERIFY(s.doc.queryUnsaved());
        QCOMPARE(s.doc.filename, s.folder.file("fresh.qvt"));
        QVERIFY(QFileInfo::exists(s.folder.file("fresh.qvt")));
    }

    void saveWithoutFileIsSaveAs() {
        Setup s;
        QVERIFY(!s.doc.save());
        QCOMPARE(s.chooser.requests.size(), 1);
        QVERIFY(s.doc.filename.isEmpty());
        QVERIFY(s.mru.isEmpty());
    }

    void failedSaveIsReportedAndNotASuccess() {
        Setup s;
        s.doc.filename = s.folder.file("missing-folder/load.qvt");
        QVERIFY(!s.doc.save());
        QVERIFY(s.mru.isEmpty());
        QCOMPARE(s.prompts.messages.size(), 1); // one report, not two
        QVERIFY(s.prompts.lastText().contains(QStringLiteral("access error")));

        // Save As into a folder that does not exist keeps the current file name.
        s.prompts.clear();
        const QString before = s.doc.filename;
        s.chooser.files = {s.folder.file("also-missing/x.qvt")};
        QVERIFY(!s.doc.saveAs());
        QCOMPARE(s.doc.filename, before);
        QCOMPARE(s.prompts.messages.size(), 1);
    }

    void startUpKeepsTheFilesTemperatureAndPressure() {
        Setup s;
        LoadForm form = sampleForm("Hot day");
        form.fields[8] = QStringLiteral("5000");
        form.fields[9] = QStringLiteral("95");
        form.fields[18] = QStringLiteral("25.5");
        s.doc.filename = writeLoad(s.folder, "hot.qvt", form);
        QVERIFY(s.doc.startUp());
        QCOMPARE(s.model.form.fields[9], QStringLiteral("95"));
        QCOMPARE(s.model.form.fields[18], QStringLiteral("25.5"));
        QCOMPARE(s.model.values.in1.temp, 95.0f);
        QCOMPARE(s.model.values.pressure, 25.5f);
        QCOMPARE(s.model.values.in1.alt, 5000.0f);
    }

    void startUpWithoutFileTakesTheStandardAtmosphere() {
        Setup s;
        s.doc.filename = s.folder.file("gone.qvt");
        QVERIFY(!s.doc.startUp());
        // The designed altitude of 5000 ft gives the standard 41.17 degrees.
        QCOMPARE(s.model.form.fields[9], QStringLiteral("41.17"));
        QCOMPARE(s.model.values.in1.temp, 41.17f);
        QVERIFY(s.model.values.pressure > 24 && s.model.values.pressure < 25);
    }

    void aReadOnlyProgramFolderKeepsTheScratchFileBesideTheUser() {
        Setup s;
        UserDataHome user;
        MSmallBallStruct::setAppFolder(UserDataHome::unwritableAppFolder());

        s.doc.filename.clear();
        QVERIFY(!s.doc.startUp());
        QVERIFY(s.doc.queryUnsaved()); // nothing typed: nothing to ask
        s.model.setFieldText(1, "150");
        s.prompts.answers = {PromptAnswer::No};
        QVERIFY(s.doc.queryUnsaved());
        QCOMPARE(s.prompts.messages.size(), 1); // only the question, no write failure
        QVERIFY(QFileInfo::exists(user.quorvel("temp.tmp")));
    }

    void dialogFiltersAndDefaultExtension() {
        QCOMPARE(FileDialogs::qtFilter("Quorvel Table Files (*.qvt)|*.qvt|All Files (*.*)|*.*"),
                 QStringLiteral("Quorvel Table Files (*.qvt);;All Files (*)"));
        QCOMPARE(FileDialogs::qtFilter("Pictures|*.bmp;*.jpg"),
                 QStringLiteral("Pictures (*.bmp *.jpg)"));
        QCOMPARE(FileDialogs::withDefaultExtension("/tmp/test", "txt"),
                 QStringLiteral("/tmp/test.txt"));
        QCOMPARE(FileDialogs::withDefaultExtension("/tmp/a.b/test", "txt"),
                 QStringLiteral("/tmp/a.b/test.txt"));
        QCOMPARE(FileDialogs::withDefaultExtension("C:\\loads.old\\test", "txt"),
                 QStringLiteral("C:\\loads.old\\test.txt"));
        QCOMPARE(FileDialogs::withDefaultExtension("/tmp/308.qvt", "txt"),
                 QStringLiteral("/tmp/308.qvt"));
        QCOMPARE(FileDialogs::withDefaultExtension(QString(), "txt"), QString());
    }

    void captionText() {
        QCOMPARE(LoadDocument::caption("308 Win"),
                 QStringLiteral("Quorvel Tables -     Load: 308 Win"));
    }
};

QTEST_MAIN(LoadDocumentTest)
#include "tst_loaddocument.moc"
