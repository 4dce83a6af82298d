#include "app/Cli.h"

#include "devfiles/DevFilesCommand.h"
#include "editors/FileCheck.h"
#include "image/USaveBincc.h"
#include "lang/LanguageTexts.h"

#include <QFileInfo>

namespace cf::cli {

QString usage()
{
    return QStringLiteral(
        "usage: configurator-cli COMMAND ...\n"
        "  texts [--language-file FILE]   print the effective texts as a language file\n"
        "  check PROJECT_DIR              validate the configuration's editor files\n"
        "  eds PROJECT_DIR FILE [--at \"YYYY-MM-DD HH:MM\"]  write the CANopen EDS file\n"
        "  gsd PROJECT_DIR FILE           write the PROFIBUS GSD file\n"
        "  compile PROJECT_DIR [-o FILE]  compile the configuration image (default PROJECT_DIR/bin/bank.bin)\n"
        "  dump FILE                      list the fields and requests of a configuration image\n");
}

int runTexts(const QStringList &args, QTextStream &out, QTextStream &err)
{
    LanguageTexts texts;
    if (args.size() == 2 && args[0] == QStringLiteral("--language-file")) {
        if (!QFileInfo(args[1]).isFile() || !texts.Load_Lang_File(args[1])) {
            err << "configurator-cli: cannot read the language file " << args[1] << Qt::endl;
            return 2;
        }
    } else if (!args.isEmpty()) {
        err << usage();
        return 2;
    }
    out.flush();
    QIODevice *device = out.device();
    const QByteArray bytes = texts.toLanguageFile();
    if (device)
        device->write(bytes);
    else
        out << QString::fromUtf8(bytes);
    return 0;
}

int run(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        err << usage();
        return 2;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QStringLiteral("texts"))
        return runTexts(rest, out, err);
    if (command == QStringLiteral("check"))
        return runCheckCommand(rest, out, err);
    if (command == QStringLiteral("eds"))
        return runEdsCommand(rest, out, err);
    if (command == QStringLiteral("gsd"))
        return runGsdCommand(rest, out, err);
    if (command == QStringLiteral("compile"))
        return runCompileCommand(rest, out, err);
    if (command == QStringLiteral("dump"))
        return runDumpCommand(rest, out, err);
    err << "configurator-cli: unknown command " << command << "\n" << usage();
    return 2;
}

} // namespace cf::cli
