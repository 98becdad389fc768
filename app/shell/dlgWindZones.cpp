#include "shell/dlgWindZones.h"

#include "load/PrecisionUnits.h"
#include "precision/WindZones.h"
#include "services/Prompt.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Wind Zones");
}

dlgWindZones::dlgWindZones(const QString& zones, bool metric, QWidget* parent)
    : dlgWindZones(zones, InputUnits::FieldUnits{{}, metric}, parent) {}

dlgWindZones::dlgWindZones(const QString& zones, const InputUnits::FieldUnits& units,
                           QWidget* parent)
    : QDialog(parent), units(units) {
    setObjectName(QStringLiteral("dlgWindZones"));
    setModal(true);
    setWindowTitle(Title);
    table = new QTableWidget(int(precision::mostWindZones), 3, this);
    table->setObjectName(QStringLiteral("tblZones"));
    table->setHorizontalHeaderLabels(PrecisionUnits::zoneHeaders(units));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const QStringList rows =
        PrecisionUnits::shownZones(units, zones).split(';', Qt::SkipEmptyParts);
    for (int r = 0; r < rows.size() && r < table->rowCount(); ++r) {
        const QStringList cells = rows[r].simplified().split(' ');
        for (int c = 0; c < cells.size() && c < 3; ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    auto* intro = new QLabel(
        QStringLiteral("Each zone's wind blows from the previous zone's end (the muzzle for the "
                       "first) to its own; the last one blows on past its end.\nAngle as the "
                       "crosswind's: 0 from behind, 90 from the left. Leave the rows empty for "
                       "the load's one wind."),
        this);
    intro->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgWindZones::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(420, 260);
}

QString dlgWindZones::zonesText() const {
    return PrecisionUnits::storedZones(units, shownText());
}

QString dlgWindZones::shownText() const {
    QStringList zones;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 3; ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            const QString text = item ? item->text().trimmed() : QString();
            if (!text.isEmpty()) cells << text;
        }
        if (cells.isEmpty()) break;
        // An incomplete row stays as typed so its check names it.
        zones << cells.join(' ');
    }
    return zones.join(QStringLiteral("; "));
}

void dlgWindZones::accept() {
    if (const QString problem = PrecisionUnits::zonesProblem(units, shownText());
        !problem.isEmpty()) {
        showMessage(problem, Title);
        return;
    }
    QDialog::accept();
}
