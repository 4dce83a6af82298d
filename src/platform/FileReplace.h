#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace cf {

// Every output file goes through here: written to a temporary file beside the
// target and renamed over it, so a failed write leaves the old file whole.
class FileReplacer {
public:
    virtual ~FileReplacer() = default;
    // On failure returns false and sets error to a sentence naming the file and the reason.
    virtual bool replace(const QString &path, const QByteArray &data, QString *error);

protected:
    // Writes one piece; tests override it to fail part-way.
    virtual qint64 writePiece(QSaveFile &file, const char *data, qint64 size);
};

FileReplacer &fileReplacer();
// Installs a replacer for tests; nullptr restores the default. Returns the previous one.
FileReplacer *setFileReplacer(FileReplacer *replacer);

inline bool replaceFile(const QString &path, const QByteArray &data, QString *error)
{
    return fileReplacer().replace(path, data, error);
}

// The text shown when a file cannot be written.
QString cannotWriteMessage(const QString &path, const QString &reason);

} // namespace cf
