#pragma once
// The command line of skinmaker-cli: its commands and their options.
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

struct CliDecoration {
    QString cornerName; // checked later: a bad corner is an error, not a usage mistake
    QString file;
    QPoint offset;
};

struct CliControl {
    QString cornerName;
    QString file;
    QPoint position;
    QSize size;
};

struct BuildOptions {
    QString output;
    QString picture;
    QString name;
    bool hasName = false;
    std::optional<SkinRect> crop;
    std::optional<SkinRect> stretch;
    bool tile = false;
    ColorRef color = 0;
    bool autoColor = false; // --color auto: the first colour the crop suggests
    bool whiteTabs = false;
    QString thumbnail;
    QList<CliDecoration> decorations;
    QList<CliControl> controls;
    bool force = false;
};

struct SuggestOptions {
    QString picture;
    std::optional<SkinRect> crop;
};

struct CliRequest {
    enum class Command { Help, Version, Build, Info, Extract, Suggest, Thumbnail } command = Command::Help;
    BuildOptions build;
    SuggestOptions suggest;
    QString package;     // info, extract
    QString destination; // extract; the PNG for thumbnail
    int thumbnailSize = 0;
};

struct ParseOutcome {
    bool ok = false;
    QString error; // a usage mistake, when not ok
    CliRequest request;
};

// arguments excludes the program name.
ParseOutcome ParseCliArguments(const QStringList& arguments);
QString CliUsageText();
// Corner index 0..3 of "lefttop", "righttop", "leftbottom", "rightbottom"; -1 otherwise.
int CornerFromName(const QString& name);
