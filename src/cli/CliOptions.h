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

// --decoration CORNER=FILE[@X,Y]; without X,Y the decoration is centred on its corner.
struct CliDecoration {
    QString cornerName; // checked later: a bad corner is an error, not a usage mistake
    QString file;
    std::optional<QPoint> offset;
};

// --control CORNER=FILE[@X,Y[,W,H]]; without W,H the movie's stage size, without X,Y centred.
struct CliControl {
    QString cornerName;
    QString file;
    std::optional<QPoint> position;
    std::optional<QSize> size;
};

// --move-decoration CORNER@X,Y and --move-control MEMBER@X,Y[,W,H] (edit).
struct CliMove {
    QString target; // a corner name, or a control's member name in the opened package
    QPoint position;
    std::optional<QSize> size;
};

// The options of build and edit. Unset optionals leave what the picture's defaults (build) or the
// opened package (edit) give.
struct BuildOptions {
    QString output;
    QString picture; // build
    QString package; // edit: the package opened
    std::optional<QString> name;
    std::optional<SkinRect> crop;    // build
    std::optional<SkinRect> stretch; // build
    std::optional<bool> tile;
    std::optional<ColorRef> color; // 0 = none
    bool autoColor = false;        // --color auto: the first colour the crop suggests
    std::optional<bool> whiteTabs;
    QString thumbnail;
    QList<CliDecoration> decorations;
    QList<CliMove> movedDecorations; // edit
    QStringList removedDecorations;  // edit: corner names
    QList<CliControl> controls;
    QList<CliMove> movedControls; // edit
    QStringList removedControls;  // edit: member names
    bool force = false;
};

struct SuggestOptions {
    QString picture;
    std::optional<SkinRect> crop;
};

struct CliRequest {
    enum class Command {
        Help,
        Version,
        Build,
        Edit,
        Info,
        Extract,
        Suggest,
        Thumbnail,
        Render
    } command = Command::Help;
    BuildOptions build; // build and edit
    SuggestOptions suggest;
    QString package;     // info, extract
    QString destination; // extract; the PNG for thumbnail
    int thumbnailSize = 0;
    QSize renderSize; // render: the window size
};

struct ParseOutcome {
    bool ok = false;
    QString error; // a usage mistake, when not ok
    CliRequest request;
};

// arguments excludes the program name.
ParseOutcome ParseCliArguments(const QStringList& arguments);
QString CliUsageText();
