#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace cf::fuzz {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(bytes(data, size));
}

// Inputs of two files in one: split at the first NUL byte (the second part may be empty).
inline std::pair<QByteArray, QByteArray> splitAtNul(const QByteArray &input)
{
    const qsizetype at = input.indexOf('\0');
    if (at < 0)
        return {input, QByteArray()};
    return {input.left(at), input.mid(at + 1)};
}

// One folder per process for readers that take a path; files are rewritten on every input.
inline const QString &workDir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

// Writes `content` as `name` in the work folder, or removes the file when `present` is false.
inline QString putFile(const QString &name, const QByteArray &content, bool present = true)
{
    const QString path = QDir(workDir()).filePath(name);
    QFile::remove(path);
    if (present) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            __builtin_trap();
    }
    return path;
}

} // namespace cf::fuzz
