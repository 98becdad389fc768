// The main window's screen font, chosen with the options dialog's "Screen Font" button and kept
// until the program ends (never stored).
//
// How the window uses it: keep one ScreenFont; the options dialog's Screen Font button calls
// `screenFont.FormFont(mainWindow)`, which asks through fileChooser().chooseFont, then applies
// the choice to every control of the window (FormSetFont) and redraws it. Controls tagged
// "noresize" (property "tag"), their children, charts, menus and dialogs keep their fonts.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

class ScreenFont {
public:
    QString fontName;   // empty until a font was chosen
    float fontSize = 0; // points; 0 until a size was chosen

    static constexpr const char* defaultName = "Arial";
    static constexpr float defaultSize = 10;

    // Asks for a font (no name preselected, the stored size preselected) and applies it.
    // A cancelled dialog clears the name and keeps the size, so "Arial" at that size results.
    void FormFont(QWidget* window);
    // Applies the stored name (or "Arial") and size (or 10) to every eligible control.
    void FormSetFont(QWidget* window) const;

    // False for the window itself, menus, dialogs, charts and "noresize" controls with
    // everything inside them.
    static bool takesPart(const QWidget* control, const QWidget* window);

    // `font` when its letters are all as wide, else a monospace face at its size: a desktop
    // whose "fixed" font is proportional would leave the table's columns ragged.
    static QFont fixedPitchOr(const QFont& font);
};
