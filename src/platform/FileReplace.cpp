#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace cf {

namespace {
FileReplacer g_default;
FileReplacer *g_current = &g_default;
constexpr qint64 kPiece = 64 * 1024;
} // namespace

QString cannotWriteMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write the file \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

qint64 FileReplacer::writePiece(QSaveFile &file, const char *data, qint64 size)
{
    return file.write(data, size);
}

bool FileReplacer::replace(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    auto fail = [&](const QString &reason) {
        file.cancelWriting();
        if (error)
            *error = cannotWriteMessage(path, reason);
        return false;
    };
    // The rename would replace a file its owner made read-only; ask the file itself first.
    QFile existing(path);
    if (existing.exists() && !existing.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return fail(existing.errorString());
    existing.close();
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    for (qint64 offset = 0; offset < data.size();) {
        const qint64 size = std::min(kPiece, data.size() - offset);
        const qint64 written = writePiece(file, data.constData() + offset, size);
        if (written <= 0)
            return fail(file.errorString().isEmpty() ? QStringLiteral("write failed")
                                                     : file.errorString());
        offset += written;
    }
    if (!file.commit()) {
        if (error)
            *error = cannotWriteMessage(path, file.errorString());
        return false;
    }
    return true;
}

FileReplacer &fileReplacer()
{
    return *g_current;
}

FileReplacer *setFileReplacer(FileReplacer *replacer)
{
    FileReplacer *previous = g_current;
    g_current = replacer ? replacer : &g_default;
    return previous;
}

} // namespace cf
