#include "TestSupport.h"

#include "app/Cli.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace cf::test {

TempExeDir::TempExeDir()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempExeDir::file(const QString &relative) const
{
    return QDir::toNativeSeparators(m_dir.filePath(relative));
}

void TempExeDir::write(const QString &relative, const QByteArray &bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, bytes);
}

QByteArray TempExeDir::read(const QString &relative) const
{
    return readFile(file(relative));
}

bool TempExeDir::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempExeDir::makeDir(const QString &relative) const
{
    QDir().mkpath(file(relative));
}

CliRun runCli(const QStringList &args)
{
    QBuffer outBuffer;
    QBuffer errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    CliRun r;
    {
        QTextStream out(&outBuffer);
        QTextStream err(&errBuffer);
        r.code = cf::cli::run(args, out, err);
    }
    r.outBytes = outBuffer.data();
    r.out = QString::fromUtf8(r.outBytes);
    r.err = QString::fromUtf8(errBuffer.data());
    return r;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

QString fixture(const QString &relative)
{
    return QDir(QStringLiteral(CF_FIXTURES_DIR)).filePath(relative);
}

QString testProgram(const QString &name)
{
    return QDir(QStringLiteral(CF_TEST_PROGRAMS_DIR)).filePath(name);
}

} // namespace cf::test
