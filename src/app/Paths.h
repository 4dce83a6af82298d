#pragma once

#include <QDir>
#include <QString>

namespace cf {

// Joins path parts with the platform's separator.
inline QString joinPath(const QString &dir, const QString &name)
{
    if (dir.isEmpty())
        return name;
    QString result = QDir::toNativeSeparators(dir);
    if (!result.endsWith(QDir::separator()))
        result += QDir::separator();
    return result + QDir::toNativeSeparators(name);
}

template<typename... Rest>
QString joinPath(const QString &dir, const QString &name, const Rest &...rest)
{
    return joinPath(joinPath(dir, name), rest...);
}

} // namespace cf
