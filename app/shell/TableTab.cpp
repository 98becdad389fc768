#include "shell/TableTab.h"

#include "controls/WidgetTags.h"
#include "load/TableRefresh.h"
#include "shell/ScreenFont.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TableTab::TableTab(CTextOutput& txt, QWidget* parent) : QWidget(parent), txt(txt) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    txtOutput = new QPlainTextEdit(this);
    txtOutput->setAccessibleName(QStringLiteral("Ballistics table"));
    txtOutput->setObjectName(QStringLiteral("txtOutput"));
    txtOutput->setReadOnly(true);
    txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtOutput->setWordWrapMode(QTextOption::NoWrap);
    txtOutput->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font = ScreenFont::fixedPitchOr(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(std::max(font.pointSizeF(), 10.0));
    txtOutput->setFont(font);
    txtOutput->setProperty(WidgetTags::fixedPitchProperty, true);
    layout->addWidget(txtOutput);
}

void TableTab::setTableText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.remove('\r');
    // Same text: keep the reader's scroll position and selection.
    if (shown == txtOutput->toPlainText()) return;
    txtOutput->setPlainText(shown);
}

void TableTab::tabShown(int tab, int ownIndex, const LoadSnapshot& snapshot) {
    if (tab != ownIndex) return;
    const TableResult result = TableRefresh::table(snapshot, txt);
    Problems::report(result.problems());
    setTableText(TableRefresh::shownText(result));
    if (result.ok()) emit coefficientHanded(result.handedBc);
}

QString TableTab::tableText() const {
    return txtOutput->toPlainText();
}
