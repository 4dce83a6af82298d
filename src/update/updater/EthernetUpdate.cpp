// Carries out no transfer: checks Ethernet_Update.xml beside itself and reports,
// on the console and in Ethernet_Update.log, what each operation would send.

#include "app/Paths.h"
#include "app/XmlFile.h"
#include "update/BankCheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace {

using cf::xml::childElement;
using cf::xml::childElements;
using cf::xml::plainText;

const QStringList kHeadElements = {
    QStringLiteral("Version"),          QStringLiteral("Title"),
    QStringLiteral("IP_Address_Dev"),   QStringLiteral("Application_Port"),
    QStringLiteral("Boot_Port"),        QStringLiteral("Boot_Port_Sec"),
    QStringLiteral("Address_Protection"),
};

const QStringList kOperationElements = {
    QStringLiteral("Ope_Protection_Enabled"), QStringLiteral("Ope_GoToBoot_Before"),
    QStringLiteral("Ope_GoToApp_Before"),     QStringLiteral("Ope_IP_Address"),
    QStringLiteral("Ope_Port"),               QStringLiteral("Ope_Port_Sec"),
    QStringLiteral("Ope_Erase_Memory"),       QStringLiteral("Ope_FileName"),
    QStringLiteral("Ope_Start_Address"),      QStringLiteral("Ope_Memory_Type"),
    QStringLiteral("Ope_Bank_Type"),          QStringLiteral("Ope_Read_Back"),
    QStringLiteral("Ope_Write_CSS"),          QStringLiteral("Ope_Address_CSS"),
    QStringLiteral("Ope_Command_CSS"),        QStringLiteral("Ope_GoToApp_After"),
};

struct JobCheck {
    QStringList report; // one line per operation
    QString error;      // empty when the job is good
};

std::optional<QString> textOf(const QDomElement &parent, const QString &name, QString *error)
{
    const std::optional<QString> text = plainText(childElement(parent, name));
    if (!text)
        *error = QStringLiteral("element %1 missing in %2").arg(name, parent.tagName());
    return text;
}

JobCheck checkJob(const QString &jobPath)
{
    JobCheck check;
    const cf::xml::LoadResult loaded = cf::xml::loadFile(jobPath);
    if (!loaded.loaded()) {
        check.error = loaded.status == cf::xml::LoadResult::Status::Missing
                          ? QStringLiteral("job file %1 not found").arg(jobPath)
                          : loaded.error;
        return check;
    }
    const QDomElement root = cf::xml::rootElement(loaded.document);
    if (root.tagName() != QStringLiteral("Ethernet_Update")) {
        check.error = QStringLiteral("root element Ethernet_Update missing");
        return check;
    }
    QString device;
    for (const QString &name : kHeadElements) {
        const std::optional<QString> text = textOf(root, name, &check.error);
        if (!text)
            return check;
        if (name == QStringLiteral("IP_Address_Dev"))
            device = *text;
    }
    if (!plainText(childElement(childElement(root, QStringLiteral("Protections")),
                                QStringLiteral("Protection")))) {
        check.error = QStringLiteral("element Protections/Protection missing");
        return check;
    }
    const QDomElement operations = childElement(root, QStringLiteral("Operations"));
    const QList<QDomElement> list = childElements(operations);
    if (operations.isNull() || list.isEmpty()) {
        check.error = QStringLiteral("no Operation in Operations");
        return check;
    }
    check.report << QStringLiteral("device %1: %2 operation(s)").arg(device).arg(list.size());
    int number = 0;
    for (const QDomElement &op : list) {
        ++number;
        if (op.tagName() != QStringLiteral("Operation")) {
            check.error = QStringLiteral("unexpected element %1 in Operations").arg(op.tagName());
            return check;
        }
        QStringList values;
        for (const QString &name : kOperationElements) {
            const std::optional<QString> text = textOf(op, name, &check.error);
            if (!text) {
                check.error += QStringLiteral(" %1").arg(number);
                return check;
            }
            values << *text;
        }
        const QString file = values.at(kOperationElements.indexOf(QStringLiteral("Ope_FileName")));
        const QString bankType = values.at(kOperationElements.indexOf(QStringLiteral("Ope_Bank_Type")));
        const QFileInfo info(file);
        if (file.isEmpty() || !info.isFile()) {
            check.error = QStringLiteral("operation %1: file %2 not found").arg(number).arg(file);
            return check;
        }
        if (bankType == QStringLiteral("2")) { // the configuration bank
            QFile bank(file);
            if (!bank.open(QIODevice::ReadOnly)) {
                check.error = QStringLiteral("operation %1: cannot read %2").arg(number).arg(file);
                return check;
            }
            const QByteArray image = bank.readAll();
            if (image.size() != cf::update::kBankImageBytes) {
                check.error = QStringLiteral("operation %1: %2 has %3 bytes, expected %4")
                                  .arg(number).arg(file).arg(image.size())
                                  .arg(cf::update::kBankImageBytes);
                return check;
            }
            if (!cf::update::bankChecksumHolds(image)) {
                check.error = QStringLiteral("operation %1: checksum of %2 does not hold")
                                  .arg(number).arg(file);
                return check;
            }
        }
        check.report << QStringLiteral("operation %1: file %2, %3 bytes, start address %4, "
                                       "bank type %5, read back %6")
                            .arg(number)
                            .arg(file)
                            .arg(info.size())
                            .arg(values.at(kOperationElements.indexOf(QStringLiteral("Ope_Start_Address"))),
                                 bankType,
                                 values.at(kOperationElements.indexOf(QStringLiteral("Ope_Read_Back"))));
    }
    return check;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const QString jobPath = cf::joinPath(dir, QStringLiteral("Ethernet_Update.xml"));
    const JobCheck check = checkJob(jobPath);

    QStringList lines;
    lines << QStringLiteral("%1 job %2").arg(QDateTime::currentDateTime().toString(Qt::ISODate), jobPath);
    lines << check.report;
    if (!check.error.isEmpty())
        lines << QStringLiteral("bad job: %1").arg(check.error);
    else
        lines << QStringLiteral("job checked, nothing sent (stand-in updater)");

    QTextStream out(check.error.isEmpty() ? stdout : stderr);
    for (const QString &line : lines)
        out << line << Qt::endl;

    QFile log(cf::joinPath(dir, QStringLiteral("Ethernet_Update.log")));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        QTextStream(stderr) << "cannot write " << log.fileName() << ": " << log.errorString() << Qt::endl;
        return 2;
    }
    QTextStream logStream(&log);
    for (const QString &line : lines)
        logStream << line << '\n';
    logStream.flush();
    return check.error.isEmpty() ? 0 : 1;
}
