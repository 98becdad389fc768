#include "shell/dlgHitProbability.h"

#include "controls/LeaveCheck.h"
#include "controls/NumberBox.h"
#include "load/HitUnits.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "services/Prompt.h"
#include "shell/CGraph.h"
#include "shell/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

const QString Title = QStringLiteral("Hit Probability");

enum Column { RangeCol, HitCol, SigmaVCol, SigmaHCol, BudgetCol };

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

const QStringList& dlgHitProbability::headings() {
    static const QStringList names = [] {
        QStringList h{QStringLiteral("Range"), QStringLiteral("Hit %"),
                      QStringLiteral("Vert. \u03C3 in"), QStringLiteral("Horiz. \u03C3 in")};
        for (int s = 0; s < HitTable::SourceCount; ++s) {
            QString name = HitTable::sourceName(HitTable::Source(s));
            name[0] = name[0].toUpper();
            h << name + QStringLiteral(" %");
        }
        return h;
    }();
    return names;
}

dlgHitProbability::dlgHitProbability(LoadModel& model, QWidget* parent)
    : QDialog(parent), model(model) {
    setObjectName(QStringLiteral("dlgHitProbability"));
    setModal(true);
    setWindowTitle(Title);
    metric = model.form.isMetric();
    units = model.fieldUnits();
    for (int i = 0; i < HitFields::Count; ++i)
        limits[size_t(i)] = HitUnits::limit(units, i);
    build();
    const HitInputs start = model.form.hit.value_or(HitInputs());
    showInputs(start);
    // The linear method: the load flown once and each error moved either way, about ten
    // tables' worth of flights, done before the dialog shows.
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    table = HitTable::compute(snapshot, start);
    graph->graphShow({}, {}, {}, {}, 3, model.form.fields[InputFields::Cartridge], QString(),
                     QStringLiteral("First-shot hit %"),
                     QStringLiteral("Range (%1)").arg(HitUnits::rangeSymbol(units)));
    recompute();
    for (QLineEdit* box : txtHit)
        connect(box, &QLineEdit::textChanged, this, &dlgHitProbability::recompute);
}

void dlgHitProbability::build() {
    auto* form = new QFormLayout;
    for (int i = 0; i < HitFields::Count; ++i) {
        // Each box in the shooter's unit, checked against its limit in that unit.
        QLineEdit* box =
            NumberBox::input(this, HitFields::field(i).name, limits[size_t(i)].message);
        LeaveCheck::attach(box, [this, i] { return refuses(i); });
        txtHit[size_t(i)] = box;
        auto* caption = new QLabel(HitUnits::caption(units, i), this);
        caption->setBuddy(box);
        form->addRow(caption, box);
    }

    tblHits = new QTableWidget(0, int(headings().size()), this);
    tblHits->setObjectName(QStringLiteral("tblHits"));
    QStringList names = headings();
    names[RangeCol] += QStringLiteral(" (%1)").arg(HitUnits::rangeSymbol(units));
    names[SigmaVCol] = HitUnits::sigmaHeading(units, true);
    names[SigmaHCol] = HitUnits::sigmaHeading(units, false);
    tblHits->setHorizontalHeaderLabels(names);
    tblHits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblHits->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblHits->setSelectionMode(QAbstractItemView::SingleSelection);
    tblHits->verticalHeader()->setVisible(false);
    tblHits->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(tblHits, &QTableWidget::currentCellChanged, this, [this](int row) { showBudget(row); });

    graph = new CGraph(this);
    graph->setObjectName(QStringLiteral("graph"));

    lblBudget = new QLabel(this);
    lblBudget->setObjectName(QStringLiteral("lblBudget"));
    lblBudget->setWordWrap(true);
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setStyleSheet(QStringLiteral("color: #a00000"));

    buttons = DialogButtons::okCancel(this, OKButton, CancelButton);
    LeaveCheck::clickWithoutFocus(CancelButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgHitProbability::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    DialogButtons::followLayout(txtHit.back(), buttons);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(tblHits, 1);
    right->addWidget(lblBudget);
    right->addWidget(lblProblem);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(graph, 2);
    layout->addWidget(buttons);
    resize(980, 760);
}

void dlgHitProbability::showInputs(const HitInputs& in) {
    shown = in;
    for (int i = 0; i < HitFields::Count; ++i) {
        shownTexts[size_t(i)] = HitUnits::shownText(units, i, in.*HitFields::field(i).member);
        txtHit[size_t(i)]->setText(shownTexts[size_t(i)]);
    }
}

bool dlgHitProbability::refuses(int index) const {
    const UnitText::ShownLimit& limit = limits[size_t(index)];
    return MSmallBallStruct::boxRefuses(limit.lower, limit.upper, txtHit[size_t(index)]->text(),
                                        limit.message);
}

std::optional<HitInputs> dlgHitProbability::inputs() const {
    // Each box within its limit as shown, as its message says; kept in the file's unit.
    HitInputs in;
    for (int i = 0; i < HitFields::Count; ++i) {
        const auto value = MNumber::parse(txtHit[size_t(i)]->text());
        if (!value || !std::isfinite(*value)) return std::nullopt;
        const UnitText::ShownLimit& limit = limits[size_t(i)];
        if (!(float(*value) >= limit.lower && float(*value) <= limit.upper)) return std::nullopt;
        // A box as it was shown keeps the load's value, which its text rounds in another unit.
        const auto member = HitFields::field(i).member;
        in.*member = txtHit[size_t(i)]->text() == shownTexts[size_t(i)]
                         ? shown.*member
                         : HitUnits::storedValue(units, i, *value);
    }
    return in;
}

void dlgHitProbability::recompute() {
    const std::optional<HitInputs> in = inputs();
    if (in && table.ok()) HitTable::propagate(table, *in, metric);
    showRows();
}

void dlgHitProbability::showRows() {
    const bool ok = table.ok() && inputs().has_value();
    lblProblem->setText(table.ok() ? QString() : table.problem);
    lblProblem->setVisible(!table.ok());
    const int current = tblHits->currentRow();
    tblHits->setRowCount(ok ? int(table.rows.size()) : 0);
    QList<QPointF> points;
    if (ok) {
        for (size_t i = 0; i < table.rows.size(); ++i) {
            const HitTable::Row& row = table.rows[i];
            const double range = HitUnits::shownRange(units, row.range);
            QStringList cells{fixed(range, 0), fixed(row.hitPct, 1),
                              HitUnits::sigmaText(units, row.sigmaVIn),
                              HitUnits::sigmaText(units, row.sigmaHIn)};
            for (double share : row.budgetPct)
                cells << fixed(share, 0);
            for (int c = 0; c < int(cells.size()); ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (c == HitCol && row.monteCarlo) {
                    // Shown apart: the linear method does not hold at this row.
                    QFont italic = item->font();
                    italic.setItalic(true);
                    item->setFont(italic);
                    item->setToolTip(QStringLiteral("By Monte Carlo: the errors here are too "
                                                    "large, or the bullet too near the speed "
                                                    "of sound, for the linear method."));
                }
                tblHits->setItem(int(i), c, item);
            }
            points.append(QPointF(range, row.hitPct));
        }
    }
    graph->series1()->replace(points);
    if (!points.isEmpty()) graph->axisX()->setRange(0, std::max(1.0, points.back().x()));
    graph->axisX()->applyNiceNumbers();
    graph->axisY()->setRange(0, 100);
    // Every 20 %: at the dialog's height eleven labels would overlap and be cut to "…".
    graph->axisY()->setTickCount(6);
    OKButton->setEnabled(inputs().has_value());
    // The row the shooter looks at: the one he chose, else the first one below 50 %.
    int chosen = current;
    if (chosen < 0 || chosen >= tblHits->rowCount()) {
        chosen = tblHits->rowCount() - 1;
        for (int i = 0; ok && i < int(table.rows.size()); ++i)
            if (table.rows[size_t(i)].hitPct < 50) {
                chosen = i;
                break;
            }
    }
    if (chosen >= 0) tblHits->setCurrentCell(chosen, 0);
    showBudget(chosen);
}

void dlgHitProbability::showBudget(int row) {
    if (row < 0 || size_t(row) >= table.rows.size() || tblHits->rowCount() == 0) {
        lblBudget->clear();
        return;
    }
    const HitTable::Row& r = table.rows[size_t(row)];
    std::array<int, HitTable::SourceCount> order{};
    for (int s = 0; s < HitTable::SourceCount; ++s)
        order[size_t(s)] = s;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return r.budgetPct[size_t(a)] > r.budgetPct[size_t(b)]; });
    QStringList shares;
    for (int s : order)
        shares << QStringLiteral("%1 %2 %").arg(HitTable::sourceName(HitTable::Source(s)),
                                                fixed(r.budgetPct[size_t(s)], 0));
    lblBudget->setText(QStringLiteral("At %1 %2 the first shot hits %3 % of the time. The miss "
                                      "comes from: %4.")
                           .arg(fixed(HitUnits::shownRange(units, r.range), 0),
                                HitUnits::rangeSymbol(units), fixed(r.hitPct, 0),
                                shares.join(QStringLiteral(", "))));
}

void dlgHitProbability::accept() {
    for (int i = 0; i < HitFields::Count; ++i)
        if (refuses(i)) return;
    const std::optional<HitInputs> in = inputs();
    if (!in) return;
    model.form.hit = *in;
    QDialog::accept();
}
