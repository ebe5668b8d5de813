#pragma once
// Finding the installed player and judging whether it can apply skins.
//
// The player records its installation folder machine-wide: on Windows in the registry
// (HKEY_LOCAL_MACHINE\SOFTWARE\VDMUSIC, value VDMUSIC_HOME, in the 32-bit view: the player is a
// 32-bit program); elsewhere in an INI file with
// section [VDMUSIC] and key VDMUSIC_HOME, /etc/vdmusic/registry.ini unless the environment
// variable VDMUSIC_REGISTRY names another file. The folder holds face/vdc.img, a profile file
// whose [Config] Version names the player's version, and the program VdMusic.exe.
#include <QByteArray>
#include <QString>
#include <optional>

// The oldest player version that applies skins.
inline constexpr char kFirstSkinnableVersion[] = "MUSIC_2.6.7.1";

// The file that stands in for the registry key on systems without a registry.
QString PlayerRegistryFile();

// The player's installation folder; nullopt when the player's key does not exist (not
// installed). A key without a readable VDMUSIC_HOME value gives an empty folder.
std::optional<QString> ReadPlayerHome();

// "Version" of section "Config" in <home>/face/vdc.img, at most 255 bytes; empty when the
// file, the section or the key is missing.
QByteArray ReadPlayerVersion(const QString& home);

// Byte-wise comparison as unsigned characters; a prefix sorts before the longer text.
// Negative, zero or positive like strcmp.
int CompareVersionText(const QByteArray& a, const QByteArray& b);

// True when a player of this version applies skins (not older than kFirstSkinnableVersion).
bool SupportsSkins(const QByteArray& version);

enum class PlayerStatus {
    NotInstalled, // no key, or no version text
    TooOld,       // cannot apply skins
    Ready,
};

struct PlayerCheck {
    PlayerStatus status = PlayerStatus::NotInstalled;
    QString home;       // installation folder (when a key was found)
    QByteArray version; // as read from the version file
    QString program() const { return home + QStringLiteral("/VdMusic.exe"); }
};

// The whole lookup: key, version file, version judgement.
PlayerCheck CheckPlayer();

// Starts the player with the package and does not wait for it. On Windows the player's command
// line is the package path in double quotes, exactly; elsewhere the path is its one argument.
bool StartPlayer(const PlayerCheck& player, const QString& packagePath);
