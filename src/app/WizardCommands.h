#pragma once
// The three whole-package commands the wizard starts: saving the skin (button 30024),
// trying it in the player (button 30025) and opening a package (chosen on step 1).
// Each asks and tells the user through the dialog provider, with parent as the owner window.
#include <QList>
#include <QString>

struct SkinProject;
class CWizardPage;
class QWidget;

enum class CommandOutcome {
    Done,      // saved, started or opened
    Cancelled, // the user stopped it, or was asked to change something first
    Failed,    // tried and could not; the user has been told why
};

// Takes the name and thumbnail from the save page, asks for a path and writes the package;
// savedPath, when given, gets the package's path once it is written.
CommandOutcome SaveSkinCommand(QWidget* parent, SkinProject& project, CWizardPage& savePage,
                               QString* savedPath = nullptr);
// Builds the package into the temporary folder and starts the player on it.
CommandOutcome TryNowCommand(QWidget* parent, SkinProject& project, CWizardPage& savePage);
// Reads a package into the project, then shows it on pages, in the order given.
CommandOutcome OpenPackageCommand(QWidget* parent, SkinProject& project, const QString& packagePath,
                                  const QList<CWizardPage*>& pages);
