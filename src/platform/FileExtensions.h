#pragma once
// File kinds by extension. Extensions compare without regard to case: "UPPER.VSF" is a package like
// "lower.vsf".
#include <QString>

inline bool HasExtension(const QString& path, QLatin1StringView extension)
{
    return path.size() > extension.size() && path.endsWith(extension, Qt::CaseInsensitive) &&
           path[path.size() - extension.size() - 1] == QLatin1Char('.');
}
inline bool IsPackageFileName(const QString& path)
{
    return HasExtension(path, QLatin1StringView("vsf"));
}
