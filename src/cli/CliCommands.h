#pragma once
// The commands of skinmaker-cli. Each returns the process exit code (0, or 1 for an error,
// whose message it has written to stderr).
#include "cli/CliOptions.h"

int RunBuild(const BuildOptions& options);
// Opens options.package as the wizard does, applies the options and saves it as options.output.
int RunEdit(const BuildOptions& options);
int RunInfo(const QString& packagePath);
int RunExtract(const QString& packagePath, const QString& destination);
int RunSuggest(const SuggestOptions& options);
// Writes the package's thumbnail, scaled to fit size x size, as a PNG.
// Draws the player wearing the package at the window size into a PNG.
int RunRender(const QString& packagePath, const QString& pngPath, QSize window);
int RunThumbnail(const QString& packagePath, const QString& pngPath, int size);
