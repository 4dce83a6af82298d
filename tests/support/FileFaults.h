#pragma once

#include "platform/FileReplace.h"

namespace cf::test {

// Lets the first piece reach the temporary file half-written, then fails every write,
// as a disk that fills up during a save would.
class PartWayReplacer : public FileReplacer {
protected:
    qint64 writePiece(QSaveFile &file, const char *data, qint64 size) override;

private:
    bool m_wroteOnce = false;
};

// Installs a replacer for the lifetime of the object.
class ScopedReplacer {
public:
    explicit ScopedReplacer(FileReplacer *replacer) : m_previous(setFileReplacer(replacer)) {}
    ~ScopedReplacer() { setFileReplacer(m_previous); }
    ScopedReplacer(const ScopedReplacer &) = delete;
    ScopedReplacer &operator=(const ScopedReplacer &) = delete;

private:
    FileReplacer *m_previous;
};

// Makes file permissions bind this thread even when it runs as root (CI does), by leaving
// out the capabilities that override them; restored on destruction.
class ObeyPermissions {
public:
    ObeyPermissions();
    ~ObeyPermissions();
    ObeyPermissions(const ObeyPermissions &) = delete;
    ObeyPermissions &operator=(const ObeyPermissions &) = delete;
    // False when the capabilities could not be dropped (permissions may then not bind).
    bool active() const;

private:
    bool m_dropped = false;
    unsigned m_savedEffective = 0;
};

// chmod on a path; the previous mode comes back on destruction.
class ScopedMode {
public:
    ScopedMode(const QString &path, unsigned mode);
    ~ScopedMode();
    ScopedMode(const ScopedMode &) = delete;
    ScopedMode &operator=(const ScopedMode &) = delete;

private:
    QByteArray m_path;
    unsigned m_previous = 0;
    bool m_changed = false;
};

} // namespace cf::test
