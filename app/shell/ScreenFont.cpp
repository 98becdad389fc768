#include "shell/ScreenFont.h"
#include "services/ErrorNumbers.h"

#include "controls/WidgetTags.h"
#include "services/FileChooser.h"
#include "services/Problem.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QWidget>
#include <exception>

namespace {
// Measured rather than asked: the font database's fixed-pitch flag is not reliable for every
// family, while equal advances of a narrow and a wide letter are what keeps columns aligned.
bool isFixedPitch(const QFont& font) {
    const QFontMetricsF metrics(font);
    return qFuzzyCompare(metrics.horizontalAdvance(QLatin1Char('i')),
                         metrics.horizontalAdvance(QLatin1Char('W')));
}
} // namespace

void ScreenFont::FormFont(QWidget* window) {
    try {
        fontName.clear();
        QFont initial;
        initial.setFamily(QString());
        if (fontSize > 0) initial.setPointSizeF(fontSize);
        if (QFont chosen; fileChooser().chooseFont(initial, chosen)) {
            fontName = chosen.family();
            if (chosen.pointSizeF() > 0) fontSize = static_cast<float>(chosen.pointSizeF());
        }
        FormSetFont(window);
        if (window) window->update();
    } catch (const std::exception& e) {
        Problems::report(Problem::failure(QStringLiteral("ui"), QStringLiteral("FormFont"),
                                          ErrorNumbers::InvalidCall,
                                          QString::fromLocal8Bit(e.what())));
    }
}

void ScreenFont::FormSetFont(QWidget* window) const {
    if (!window) return;
    const QString name = fontName.isEmpty() ? QString::fromLatin1(defaultName) : fontName;
    const qreal size = fontSize > 0 ? fontSize : defaultSize;
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    // A control that keeps its font must not inherit the new one from its parent: pin it first.
    for (QWidget* control : controls)
        if (WidgetTags::isExcluded(control, window)) WidgetTags::pinFont(control);
    QFont chosen;
    chosen.setFamily(name);
    chosen.setPointSizeF(size);
    // Boxes whose text lines up in columns keep a fixed-pitch face: the chosen one when it is,
    // else the system's, at the chosen size.
    QFont fixed = isFixedPitch(chosen)
                      ? chosen
                      : fixedPitchOr(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fixed.setPointSizeF(size);
    for (QWidget* control : controls) {
        if (!takesPart(control, window)) continue;
        QFont f = control->font();
        if (WidgetTags::wantsFixedPitch(control)) {
            f = fixed;
        } else {
            f.setFamily(name);
            f.setPointSizeF(size);
        }
        control->setFont(f);
    }
}

QFont ScreenFont::fixedPitchOr(const QFont& font) {
    if (isFixedPitch(font)) return font;
    QFont mono = font;
    mono.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("Noto Sans Mono"), QStringLiteral("Courier New"),
                      QStringLiteral("monospace")});
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    if (isFixedPitch(mono)) return mono;
    // None of the usual faces: any installed one that measures fixed.
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family)) continue;
        mono.setFamilies({family});
        if (isFixedPitch(mono)) return mono;
    }
    return font;
}

bool ScreenFont::takesPart(const QWidget* control, const QWidget* window) {
    return WidgetTags::isScalable(control, window) && !WidgetTags::isChart(control);
}
