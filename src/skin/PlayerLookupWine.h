#pragma once
// What the player lookup needs from a Wine prefix, read from its files without starting Wine:
// the registry file system.reg (HKEY_LOCAL_MACHINE) as text, the drives under dosdevices/, and
// the Windows path under which Wine programs see a file of this machine.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// WINEPREFIX when it is set and not empty, else ~/.wine.
QString WinePrefix();

// Decodes the escaped text of a Wine registry file from text[pos] up to the first unescaped
// end character and leaves pos after it: \\, \", \] and the other C escapes, \xNNNN (one to four
// hex digits: one UTF-16 unit) and \NNN (octal); other bytes stand for themselves, as Wine reads
// them. nullopt when the end character is missing.
std::optional<QString> DecodeWineText(QByteArrayView text, qsizetype& pos, char end);

// The string value (REG_SZ or REG_EXPAND_SZ) named name of the first of keys that exists in a
// registry file's text. Key paths are relative to the file's root with backslashes between their
// parts; key and value names match without regard to case; a key exists when it or one of its
// subkeys has a section. nullopt when none of the keys exists; an empty text when the key has no
// such value or the value is not a string.
std::optional<QString> ReadWineRegistryString(QByteArrayView text, const QStringList& keys,
                                              const QString& name);

// The entry of folder whose name equals name without regard to case, as Windows matches names
// (an exact match first); empty when there is none.
QString FindNameIgnoringCase(const QString& folder, const QString& name);

// The local path of an absolute Windows path ("C:\Program Files\...") in the prefix: the drive
// through the prefix's dosdevices/ link, then every part matched without regard to case ("." and
// ".." as Windows treats them). Empty when the path has no drive letter, the drive is not mapped
// or a part does not exist.
QString WineLocalPath(const QString& prefix, const QString& windowsPath);

// The Windows path under which Wine programs see a local file: Z: (Wine's drive for "/") and
// the absolute path with backslashes.
QString WineWindowsPath(const QString& localPath);
