// The notes box: what goes in comes out, however long its paragraphs, and editing across the
// pieces of a long paragraph edits the notes as the user sees them.
#include "shell/NotesBox.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

class NotesBoxTest : public QObject {
    Q_OBJECT

    static QString words(qsizetype length) {
        QString text;
        for (int i = 0; text.size() < length; ++i)
            text += QStringLiteral("shot %1 at 2650 fps; ").arg(i);
        return text.left(length);
    }

private slots:
    void whatGoesInComesOut_data() {
        QTest::addColumn<QString>("notes");
        QTest::newRow("empty") << QString();
        QTest::newRow("one line") << QStringLiteral("Zeroed at 100");
        QTest::newRow("lines") << QStringLiteral("a\r\n\r\nb, c\r\n");
        QTest::newRow("one long word") << QString(3 * NotesBox::PieceLength + 17, 'x');
        QTest::newRow("long paragraph") << words(5 * NotesBox::PieceLength);
        QTest::newRow("mixed") << "x\r\n" + words(2 * NotesBox::PieceLength + 1) + "\r\nend";
        QTest::newRow("piece boundary") << QString(NotesBox::PieceLength, 'y');
    }
    void whatGoesInComesOut() {
        QFETCH(QString, notes);
        QPlainTextEdit box;
        NotesBox::configure(&box);
        NotesBox::show(&box, notes);
        QCOMPARE(NotesBox::read(&box), notes);
        // No paragraph of the box is longer than a piece (and its mark).
        for (QTextBlock b = box.document()->firstBlock(); b.isValid(); b = b.next())
            QVERIFY(b.length() - 1 <= NotesBox::PieceLength + 1);
    }

    // Lone CR or LF, as another program may leave them, become the notes' CR LF.
    void anyLineBreakReadsBackAsCrLf() {
        QPlainTextEdit box;
        NotesBox::show(&box, QStringLiteral("a\nb\rc"));
        QCOMPARE(NotesBox::read(&box), QStringLiteral("a\r\nb\r\nc"));
    }

    void editingAcrossPiecesEditsTheText() {
        const QString notes = QString(2 * NotesBox::PieceLength, 'z');
        QPlainTextEdit box;
        NotesBox::show(&box, notes);
        QCOMPARE(box.document()->blockCount(), 2);

        // A line break typed at the start of the second piece is a line break of the notes.
        QTextCursor cursor(box.document()->findBlockByNumber(1));
        cursor.insertBlock();
        QString expected = notes;
        expected.insert(NotesBox::PieceLength, QStringLiteral("\r\n"));
        QCOMPARE(NotesBox::read(&box), expected);

        // Deleting that break joins the notes again.
        cursor.deletePreviousChar();
        QCOMPARE(NotesBox::read(&box), notes);

        // So does a line break typed at the end of the first piece, and its deletion.
        cursor.setPosition(NotesBox::PieceLength + 1);
        cursor.insertBlock();
        QCOMPARE(NotesBox::read(&box), expected);
        cursor.deletePreviousChar();
        QCOMPARE(NotesBox::read(&box), notes);

        // Deleting across the boundary of two pieces takes out just the letters selected (the
        // invisible mark and the break between the pieces with them).
        cursor.setPosition(NotesBox::PieceLength - 1);
        cursor.setPosition(NotesBox::PieceLength + 3, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QCOMPARE(NotesBox::read(&box), QString(2 * NotesBox::PieceLength - 2, 'z'));

        // Typing text at the end of the last piece appends to the notes.
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("!"));
        QVERIFY(NotesBox::read(&box).endsWith(QStringLiteral("z!")));
    }
};

QTEST_MAIN(NotesBoxTest)
#include "tst_notesbox.moc"
