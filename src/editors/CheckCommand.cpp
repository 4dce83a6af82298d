#include "editors/FileCheck.h"

#include "app/Paths.h"
#include "editors/ParGenCheck.h"
#include "editors/SnmpManagerTable.h"
#include "editors/CanopenTables.h"
#include "lang/LanguageTexts.h"

#include <QFileInfo>
#include <QStringList>

namespace cf {

const CheckedFile kCheckedFiles[5] = {
    {"ParGen.xml", checkParGenFile},
    {"SNMP_Manager.xml", &snmp::checkFile},
    {"SDO_Server_CANopen.xml", checkSdoServerFile},
    {"SDO_Client_CANopen.xml", checkSdoClientFile},
    {"PDO_CANopen.xml", checkPdoFile},
};

int runCheckCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) {
        err << "usage: configurator-cli check PROJECT_DIR" << Qt::endl;
        return 2;
    }
    const QString dir = args.first();
    if (!QFileInfo(dir).isDir()) {
        err << "configurator-cli: not a folder: " << dir << Qt::endl;
        return 2;
    }
    const LanguageTexts texts;
    int exitCode = 0;
    for (const CheckedFile &entry : kCheckedFiles) {
        const QString name = QString::fromLatin1(entry.fileName);
        const QString path = joinPath(dir, name);
        if (!entry.check || !QFileInfo(path).isFile())
            continue;
        const FileCheck result = entry.check(dir, path, texts);
        switch (result.status) {
        case FileCheck::Status::Ok:
            out << name << ": OK\n";
            break;
        case FileCheck::Status::Failed:
            out << name << ": " << result.message << "\n";
            exitCode = std::max(exitCode, 1);
            break;
        case FileCheck::Status::Malformed:
            err << result.message << Qt::endl;
            exitCode = 2;
            break;
        }
    }
    out.flush();
    return exitCode;
}

} // namespace cf
