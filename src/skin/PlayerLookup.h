#pragma once
// Finding the installed player, judging whether it can apply skins, and starting it.
//
// The player is a Windows program. It records its installation folder in the registry: key
// SOFTWARE\VDMUSIC of HKEY_LOCAL_MACHINE, value VDMUSIC_HOME. On Windows that is read from the
// registry's 32-bit view (the player is a 32-bit program). Elsewhere the player runs under Wine:
// the key is read from the Wine prefix's system.reg (WINEPREFIX, else ~/.wine) as text, in the
// 32-bit view of a 64-bit prefix (Software\Wow6432Node\VDMUSIC) and then in the native one, and
// the folder is found through the prefix's drives. The folder holds face/vdc.img, a profile file
// whose [Config] Version names the player's version, and the program VdMusic.exe.
#include <QByteArray>
#include <QString>
#include <optional>

// The oldest player version that applies skins.
inline constexpr char kFirstSkinnableVersion[] = "MUSIC_2.6.7.1";

// The player's installation folder as the registry names it; nullopt when the player's key does
// not exist (not installed). A key without a readable VDMUSIC_HOME value gives an empty folder.
std::optional<QString> ReadPlayerHome();

// The installation folder on this machine (the folder itself on Windows; under Wine the prefix's
// local folder, names matched without regard to case); empty when it cannot be found.
QString PlayerFolder(const QString& home);

// "Version" of section "Config" in <folder>/face/vdc.img (names matched without regard to
// case), at most 255 bytes; empty when the file, the section or the key is missing.
QByteArray ReadPlayerVersion(const QString& folder);

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
    QString home;       // installation folder as the registry names it (when a key was found)
    QString folder;     // the same folder on this machine; empty when it was not found
    QByteArray version; // as read from the version file
    // The player's program as Windows names it: <home>\VdMusic.exe.
    QString program() const;
};

// The whole lookup: key, folder, version file, version judgement.
PlayerCheck CheckPlayer();

// The command line the player is started with: its program, then the package's Windows path
// in double quotes.
QString PlayerCommandLine(const PlayerCheck& player, const QString& packageWindowsPath);

// Under Wine the player is started as "wine cmd /c %SKINMAKER_PLAYER_COMMAND%" with the command
// line in this environment variable: Wine quotes an argument only when it holds a space, and the
// player is given its package path in double quotes always.
inline constexpr char kWineCommandVariable[] = "SKINMAKER_PLAYER_COMMAND";

struct StartResult {
    bool ok = false;
    QString error; // why the player could not be started, for the user; empty when it was
};

// Starts the player with the package and does not wait for it. Under Wine the player runs in
// the prefix it was found in, with the package's path as a Windows path; it fails with a message
// when wine is not on PATH or VdMusic.exe is not in the player's folder.
StartResult StartPlayer(const PlayerCheck& player, const QString& packagePath);
