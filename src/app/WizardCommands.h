#pragma once
// The three whole-package commands the wizard starts: saving the skin (button 30024),
// trying it in the player (button 30025) and opening a package (chosen on step 1).
// Each asks and tells the user through the dialog provider, with parent as the owner window.
#include <QString>

class SkinDocument;
class QWidget;

enum class CommandOutcome {
    Done,      // saved, started or opened
    Cancelled, // the user stopped it, or was asked to change something first
    Failed,    // tried and could not; the user has been told why
};

// Asks for a path and writes the package; the document is then unmodified. savedPath, when
// given, gets the package's path once it is written.
CommandOutcome SaveSkinCommand(QWidget* parent, SkinDocument& document, QString* savedPath = nullptr);
// Builds the package into the temporary folder and starts the player on it.
CommandOutcome TryNowCommand(QWidget* parent, const SkinDocument& document);
// Reads a package into the document. Controls that are no movies and decorations that are no
// pictures are left out (the user is told of the controls), controls play at their movie's
// size, and the user is told of controls the package declares but does not give.
CommandOutcome OpenPackageCommand(QWidget* parent, SkinDocument& document, const QString& packagePath);
