#include "devfiles/DevFilesCommand.h"

#include "app/Paths.h"
#include "devfiles/Eds.h"
#include "devfiles/Gsd.h"
#include "lang/LanguageTexts.h"

#include <QDateTime>
#include <QFileInfo>

namespace cf {

namespace {

bool checkFolder(const QString &dir, QTextStream &err)
{
    if (QFileInfo(dir).isDir())
        return true;
    err << "configurator-cli: not a folder: " << dir << Qt::endl;
    return false;
}

} // namespace

int runEdsCommand(const QStringList &args, QTextStream &, QTextStream &err)
{
    const QString usage = QStringLiteral("usage: configurator-cli eds PROJECT_DIR FILE [--at \"YYYY-MM-DD HH:MM\"]");
    QDateTime at = QDateTime::currentDateTime();
    if (args.size() == 4 && args[2] == QStringLiteral("--at")) {
        // Taken as written, without a time zone: a local time that a clock change skips is still valid.
        const QStringList parts = args[3].split(QLatin1Char(' '));
        const QDate date = parts.size() == 2 ? QDate::fromString(parts[0], QStringLiteral("yyyy-MM-dd")) : QDate();
        const QTime time = parts.size() == 2 ? QTime::fromString(parts[1], QStringLiteral("HH:mm")) : QTime();
        at = QDateTime(date, time, Qt::UTC);
        if (!date.isValid() || !time.isValid()) {
            err << "configurator-cli: not a date and time (YYYY-MM-DD HH:MM): " << args[3] << Qt::endl;
            return 2;
        }
    } else if (args.size() != 2) {
        err << usage << Qt::endl;
        return 2;
    }
    if (!checkFolder(args[0], err))
        return 2;
    if (auto error = Write_EDS_File(args[0], args[1], at)) {
        err << *error << Qt::endl;
        return 1;
    }
    return 0;
}

int runGsdCommand(const QStringList &args, QTextStream &, QTextStream &err)
{
    if (args.size() != 2) {
        err << "usage: configurator-cli gsd PROJECT_DIR FILE" << Qt::endl;
        return 2;
    }
    if (!checkFolder(args[0], err))
        return 2;
    const LanguageTexts texts;
    const GsdInput input = readGsdSizes(joinPath(args[0], QStringLiteral("ParGen.xml")), texts);
    if (input.status != GsdInput::Status::Ok) {
        err << input.message << Qt::endl;
        return 1;
    }
    if (auto error = Write_GSD_File(args[1], input.sizes, texts)) {
        err << *error << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace cf
