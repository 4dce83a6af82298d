#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace cf::test {

// A temporary folder standing in for the executable's folder.
class TempExeDir {
public:
    TempExeDir();
    QString path() const { return m_dir.path(); }
    // Path of a file below the folder, with the platform's separator.
    QString file(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;
    void makeDir(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// configurator-cli run in-process.
struct CliRun {
    int code = -1;
    QByteArray outBytes;
    QString out;
    QString err;
};
CliRun runCli(const QStringList &args);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
// Path of a checked-in fixture below tests/fixtures.
QString fixture(const QString &relative);
// Path of a helper program built for the tests.
QString testProgram(const QString &name);

} // namespace cf::test
