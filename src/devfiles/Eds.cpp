#include "devfiles/Eds.h"

#include "app/Paths.h"
#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "platform/FileReplace.h"

#include <QHash>
#include <QStringList>
#include <array>
#include <algorithm>

namespace cf {

namespace {

const char *const kReceivePrefixes[kMaxPdosPerDirection] = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char *const kTransmitPrefixes[kMaxPdosPerDirection] = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

QString hex(quint32 value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString subName(quint32 index, quint32 sub)
{
    return hex(index, 4) + QStringLiteral("sub") + QString::number(sub, 16).toUpper();
}

// The rows of one section of a CANopen file, as the values of the attributes a reader wants.
struct Section {
    bool present = false;
    QList<std::array<std::optional<QString>, 3>> rows;
};

// Streams the file's sections (a file of many rows costs no tree). Missing: *missing and no
// error; unreadable or not well-formed: the parser's message.
std::optional<QString> readSections(const QString &path, const QStringList &names,
                                    const std::array<QString, 3> &attributes, QList<Section> *sections,
                                    bool *missing)
{
    QByteArray bytes;
    QString error;
    const xml::LoadResult::Status read = xml::readBytes(path, &bytes, &error);
    *missing = read == xml::LoadResult::Status::Missing;
    if (*missing)
        return std::nullopt;
    if (read != xml::LoadResult::Status::Loaded)
        return error;
    *sections = QList<Section>(names.size());
    QList<bool> present;
    const auto status = xml::streamSections(
        bytes, path, names,
        [&](int i, const QXmlStreamAttributes &row) {
            std::array<std::optional<QString>, 3> values;
            for (std::size_t a = 0; a < attributes.size(); ++a)
                if (row.hasAttribute(attributes[a]))
                    values[a] = row.value(attributes[a]).toString();
            (*sections)[i].rows.append(values);
            return true;
        },
        &present, &error);
    if (status != xml::LoadResult::Status::Loaded)
        return error;
    for (qsizetype i = 0; i < names.size(); ++i)
        (*sections)[i].present = present.at(i);
    return std::nullopt;
}

std::optional<QString> readPdoList(const Section &section, const QString &fileName, const QString &listName,
                                   QList<PdoEntry> *list)
{
    if (!section.present)
        return QStringLiteral("%1: the element %2 is missing; no EDS file was written.").arg(fileName, listName);
    if (section.rows.size() > kMaxPdosPerDirection)
        return QStringLiteral("%1: %2 holds %3 PDOs, but an EDS file describes at most %4; no EDS file was written.")
            .arg(fileName, listName)
            .arg(section.rows.size())
            .arg(kMaxPdosPerDirection);
    int row = 0;
    for (const auto &values : section.rows) {
        ++row;
        PdoEntry entry;
        entry.cobId = quint32(textToInt(values[0].value_or(QString()), 0));
        entry.dimension = textToInt(values[1].value_or(QString()), 8);
        // A PDO carries 1 to 8 data bytes; anything else cannot be described.
        if (entry.dimension < 1 || entry.dimension > 8)
            return QStringLiteral("%1: row %2 of %3 has Dimension %4, which must be between 1 and 8; "
                                  "no EDS file was written.")
                .arg(fileName)
                .arg(row)
                .arg(listName)
                .arg(entry.dimension);
        list->append(entry);
    }
    return std::nullopt;
}

std::optional<QString> readPdoFile(const QString &path, EdsInput *input)
{
    const QStringList names = {QStringLiteral("Receive_PDO"), QStringLiteral("Transmit_PDO")};
    QList<Section> sections;
    bool missing = false;
    if (auto error = readSections(path, names, {QStringLiteral("COB-ID"), QStringLiteral("Dimension"), QString()},
                                  &sections, &missing))
        return error;
    if (missing)
        return std::nullopt;
    const QString name = QStringLiteral("PDO_CANopen.xml");
    if (auto error = readPdoList(sections[0], name, names[0], &input->receive))
        return error;
    return readPdoList(sections[1], name, names[1], &input->transmit);
}

std::optional<QString> readSdoList(const Section &section, const QString &listName, bool readonly,
                                   QList<SDO_Index> *list, QHash<quint16, qsizetype> *positions)
{
    const QString fileName = QStringLiteral("SDO_Server_CANopen.xml");
    if (!section.present)
        return QStringLiteral("%1: the element %2 is missing; no EDS file was written.").arg(fileName, listName);
    static const QString names[3] = {QStringLiteral("Index"), QStringLiteral("SubIndex"), QStringLiteral("NByte")};
    int row = 0;
    for (const auto &texts : section.rows) {
        ++row;
        int values[3] = {};
        for (int i = 0; i < 3; ++i) {
            const std::optional<int> value = texts[i] ? parseInt(*texts[i]) : std::nullopt;
            if (!value)
                return QStringLiteral("%1: row %2 of %3: the attribute %4 is missing or not an integer; "
                                      "no EDS file was written.")
                    .arg(fileName)
                    .arg(row)
                    .arg(listName, names[i]);
            values[i] = *value;
        }
        const quint16 index = quint16(values[0] & 0xFFFF);
        const SDO_Sub_Type sub{quint8(values[1] & 0xFF), quint8(values[2] & 0xFF), readonly, QString()};
        // Indices keep the order of their first row.
        const auto found = positions->constFind(index);
        if (found == positions->constEnd()) {
            positions->insert(index, list->size());
            list->append(SDO_Index{index, {sub}});
        } else {
            (*list)[*found].Sub_Indexs.append(sub);
        }
    }
    return std::nullopt;
}

std::optional<QString> readSdoFile(const QString &path, EdsInput *input)
{
    const QStringList names = {QStringLiteral("SDO_Read"), QStringLiteral("SDO_Write")};
    QList<Section> sections;
    bool missing = false;
    if (auto error = readSections(path, names,
                                  {QStringLiteral("Index"), QStringLiteral("SubIndex"), QStringLiteral("NByte")},
                                  &sections, &missing))
        return error;
    if (missing)
        return std::nullopt;
    QHash<quint16, qsizetype> positions;
    if (auto error = readSdoList(sections[0], names[0], true, &input->sdo, &positions))
        return error;
    if (auto error = readSdoList(sections[1], names[1], false, &input->sdo, &positions))
        return error;
    // Stable, so a sub-index listed twice keeps its file order.
    for (SDO_Index &entry : input->sdo)
        std::stable_sort(entry.Sub_Indexs.begin(), entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type &a, const SDO_Sub_Type &b) { return a.Sub < b.Sub; });
    return std::nullopt;
}

// Collects the lines of the file; every section is followed by an empty line unless told.
class EdsLines {
public:
    void line(const QString &text) { m_lines.append(text); }
    void empty() { m_lines.append(QString()); }
    void section(const QString &name) { m_lines.append(QLatin1Char('[') + name + QLatin1Char(']')); }
    void header(const QString &name, int subNumber, const QString &parameterName, const QString &objectType)
    {
        section(name);
        line(QStringLiteral("SubNumber=") + QString::number(subNumber));
        line(QStringLiteral("ParameterName=") + parameterName);
        line(QStringLiteral("ObjectType=") + objectType);
        empty();
    }
    // A variable with the two-digit object type 0x07.
    void variable(const QString &name, const QString &parameterName, const char *dataType, const char *access,
                  const char *defaultValue, const char *pdoMapping = "0", bool emptyAfter = true)
    {
        variable(name, parameterName, QString::fromLatin1(dataType), QString::fromLatin1(access),
                 defaultValue ? std::optional<QString>(QString::fromLatin1(defaultValue)) : std::nullopt,
                 QString::fromLatin1(pdoMapping), emptyAfter);
    }
    void variable(const QString &name, const QString &parameterName, const QString &dataType, const QString &access,
                  const std::optional<QString> &defaultValue, const QString &pdoMapping, bool emptyAfter = true)
    {
        section(name);
        line(QStringLiteral("ParameterName=") + parameterName);
        line(QStringLiteral("ObjectType=0x07"));
        line(QStringLiteral("DataType=") + dataType);
        line(QStringLiteral("AccessType=") + access);
        if (defaultValue)
            line(QStringLiteral("DefaultValue=") + *defaultValue);
        line(QStringLiteral("PDOMapping=") + pdoMapping);
        if (emptyAfter)
            empty();
    }
    QByteArray bytes() const
    {
        QByteArray out;
        for (const QString &l : m_lines) {
            out += l.toLatin1();
            out += "\r\n";
        }
        return out;
    }

private:
    QStringList m_lines;
};

void writeFixedObjects(EdsLines &e)
{
    e.variable(QStringLiteral("1000"), QStringLiteral("Device Type"), "0x0007", "const", "0x000101A4");
    e.variable(QStringLiteral("1001"), QStringLiteral("Error Register"), "0x0005", "ro", "0x00");
    e.variable(QStringLiteral("1005"), QStringLiteral("COB-ID SYNC"), "0x0007", "rw", "0x80000080");
    e.variable(QStringLiteral("1006"), QStringLiteral("Communication Cycle Period"), "0x0007", "rw", "0x00000000");
    e.variable(QStringLiteral("1008"), QStringLiteral("Manufacturer Device Name"), "0x0009", "const", "s1");
    e.variable(QStringLiteral("1014"), QStringLiteral("COB-ID EMCY"), "0x0007", "ro", "$NODEID+0x80");
    e.header(QStringLiteral("1016"), 3, QStringLiteral("Heartbeat Consumer Entries"), QStringLiteral("0x08"));
    e.variable(QStringLiteral("1016sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", "0x02");
    e.variable(QStringLiteral("1016sub1"), QStringLiteral("Consumer Heartbeat Time 1"), "0x0007", "rw", "0x00000000");
    e.variable(QStringLiteral("1016sub2"), QStringLiteral("Consumer Heartbeat Time 2"), "0x0007", "rw", "0x00000000");
    e.variable(QStringLiteral("1017"), QStringLiteral("Producer Heartbeat Time"), "0x0006", "rw", "0x000003E8");
    e.header(QStringLiteral("1018"), 5, QStringLiteral("Identity Object"), QStringLiteral("0x09"));
    e.variable(QStringLiteral("1018sub0"), QStringLiteral("number of entries"), "0x0005", "ro", "0x4");
    e.variable(QStringLiteral("1018sub1"), QStringLiteral("Vendor Id"), "0x0007", "ro", nullptr);
    e.variable(QStringLiteral("1018sub2"), QStringLiteral("Product Code"), "0x0007", "ro", nullptr);
    e.variable(QStringLiteral("1018sub3"), QStringLiteral("Revision number"), "0x0007", "ro", nullptr);
    e.variable(QStringLiteral("1018sub4"), QStringLiteral("Serial number"), "0x0007", "ro", nullptr);
    e.header(QStringLiteral("1029"), 2, QStringLiteral("Error Behaviour"), QStringLiteral("0x08"));
    e.variable(QStringLiteral("1029sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", "1");
    e.variable(QStringLiteral("1029sub1"), QStringLiteral("Communication Error"), "0x0005", "rw", "0x0");
    e.header(QStringLiteral("1280"), 4, QStringLiteral("Client SDO Parameter 1"), QStringLiteral("0x09"));
    e.variable(QStringLiteral("1280sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", "0x03");
    e.variable(QStringLiteral("1280sub1"), QStringLiteral("COB-ID Client -> Server"), "0x0007", "rw", nullptr);
    e.variable(QStringLiteral("1280sub2"), QStringLiteral("COB-ID Server -> Client"), "0x0007", "rw", nullptr);
    // The generated objects follow this one directly, without an empty line.
    e.variable(QStringLiteral("1280sub3"), QStringLiteral("Node ID of the SDO Server"), "0x0005", "rw", nullptr,
               "0", false);
}

void writeCommunication(EdsLines &e, quint32 index, const QString &parameterName, quint32 cobId)
{
    const QString name = hex(index, 4);
    e.header(name, 4, parameterName, QStringLiteral("0x09"));
    e.variable(name + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", "0x03");
    e.variable(name + QStringLiteral("sub1"), QStringLiteral("COB-ID"), QStringLiteral("0x0007"), QStringLiteral("rw"),
               QStringLiteral("0x") + hex(cobId, 8), QStringLiteral("0"));
    e.variable(name + QStringLiteral("sub2"), QStringLiteral("Transmission Type"), "0x0005", "rw", "0xFE");
    e.variable(name + QStringLiteral("sub3"), QStringLiteral("Inhibit Time"), "0x0006", "rw", "0x0");
}

void writeMapping(EdsLines &e, quint32 index, const QString &parameterName, quint32 dataIndex, int dimension)
{
    const QString name = hex(index, 4);
    e.header(name, dimension + 1, parameterName, QStringLiteral("0x09"));
    e.variable(name + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"),
               QStringLiteral("ro"), QStringLiteral("0x") + hex(quint32(dimension), 2), QStringLiteral("0"));
    for (int j = 1; j <= dimension; ++j)
        e.variable(subName(index, quint32(j)), QStringLiteral("Mapping Entry ") + QString::number(j),
                   QStringLiteral("0x0007"), QStringLiteral("ro"),
                   QStringLiteral("0x") + hex(dataIndex, 4) + hex(quint32(j), 2) + QStringLiteral("08"),
                   QStringLiteral("0"));
}

void writeData(EdsLines &e, quint32 index, const QString &parameterName, const QString &sub0Access,
               const char *prefix, const QString &access, int dimension)
{
    const QString name = hex(index, 4);
    e.header(name, dimension + 1, parameterName, QStringLiteral("0x08"));
    e.variable(name + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"),
               sub0Access, QStringLiteral("0x") + hex(quint32(dimension), 2), QStringLiteral("0"));
    for (int j = 1; j <= dimension; ++j)
        e.variable(subName(index, quint32(j)), QString::fromLatin1(prefix) + QString::number(j),
                   QStringLiteral("0x0005"), access, QStringLiteral("0x00"), QStringLiteral("1"));
}

void writeApplicationObject(EdsLines &e, const SDO_Index &entry)
{
    const QList<SDO_Sub_Type> &subs = entry.Sub_Indexs;
    const bool generateSub0 = subs.first().Sub != 0;
    const QString name = hex(entry.Index, 4);
    e.header(name, int(subs.size()) + (generateSub0 ? 1 : 0), QStringLiteral("App Vars"), QStringLiteral("0x9"));
    if (generateSub0) {
        e.section(name + QStringLiteral("sub0"));
        e.line(QStringLiteral("ParameterName=Largest Sub-Index supported"));
        e.line(QStringLiteral("ObjectType=0x7"));
        e.line(QStringLiteral("DataType=0x0005"));
        e.line(QStringLiteral("AccessType=ro"));
        e.line(QStringLiteral("DefaultValue=0x") + hex(subs.last().Sub, 2));
        e.line(QStringLiteral("PDOMapping=0"));
        e.empty();
    }
    for (const SDO_Sub_Type &sub : subs) {
        e.section(subName(entry.Index, sub.Sub));
        e.line(QStringLiteral("ParameterName=Application Variable"));
        e.line(QStringLiteral("ObjectType=0x7"));
        if (sub.Quantity == 1) {
            e.line(QStringLiteral("DataType=0x0005"));
            e.line(QStringLiteral("LowLimit=0x00"));
            e.line(QStringLiteral("HighLimit=0xFF"));
            e.line(QStringLiteral("DefaultValue=0x00"));
        } else if (sub.Quantity == 2) {
            e.line(QStringLiteral("DataType=0x0006"));
            e.line(QStringLiteral("LowLimit=0x0000"));
            e.line(QStringLiteral("HighLimit=0xFFFF"));
            e.line(QStringLiteral("DefaultValue=0x0000"));
        } else {
            e.line(QStringLiteral("DataType=0x0007"));
            e.line(QStringLiteral("LowLimit=0x00000000"));
            e.line(QStringLiteral("HighLimit=0xFFFFFFFF"));
            e.line(QStringLiteral("DefaultValue=0x00000000"));
        }
        e.line(sub.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw"));
        e.line(QStringLiteral("PDOMapping=0"));
        e.empty();
    }
}

} // namespace

std::optional<QString> readEdsInput(const QString &projectDir, EdsInput *input)
{
    *input = EdsInput();
    if (auto error = readPdoFile(joinPath(projectDir, QStringLiteral("PDO_CANopen.xml")), input))
        return error;
    return readSdoFile(joinPath(projectDir, QStringLiteral("SDO_Server_CANopen.xml")), input);
}

QString edsTimeText(const QTime &time)
{
    const int hour = time.hour();
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:%2%3")
        .arg(shown, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString edsDateText(const QDate &date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QByteArray buildEdsText(const EdsInput &input, const QDateTime &at)
{
    const QString time = edsTimeText(at.time());
    const QString date = edsDateText(at.date());
    const int rx = int(input.receive.size());
    const int tx = int(input.transmit.size());
    EdsLines e;

    e.section(QStringLiteral("FileInfo"));
    e.line(QStringLiteral("FileName=CANopen_SNMP_Manager.eds"));
    e.line(QStringLiteral("FileVersion=1"));
    e.line(QStringLiteral("FileRevision=0"));
    e.line(QStringLiteral("EDSVersion=4.0"));
    e.line(QStringLiteral("Description=Converter CANopen / SNMP Manager"));
    e.line(QStringLiteral("CreationTime=") + time);
    e.line(QStringLiteral("CreationDate=") + date);
    e.line(QStringLiteral("CreatedBy=Velmora"));
    e.line(QStringLiteral("ModificationTime=") + time);
    e.line(QStringLiteral("ModificationDate=") + date);
    e.line(QStringLiteral("ModifiedBy=Velmora"));
    e.empty();

    e.section(QStringLiteral("DeviceInfo"));
    for (const char *l : {"VendorName=Velmora", "VendorNumber=0x00", "ProductName=Converter CANopen / SNMP Manager",
                          "ProductNumber=208", "RevisionNumber=0x0", "OrderCode=GW40208", "BaudRate_10=1",
                          "BaudRate_20=1", "BaudRate_50=1", "BaudRate_125=1", "BaudRate_250=1", "BaudRate_500=1",
                          "BaudRate_800=0", "BaudRate_1000=1", "DynamicChannelsSupported=0", "GroupMessaging=0",
                          "LSS_Supported=0", "Granularity=0", "SimpleBootUpSlave=1", "SimpleBootUpMaster=0"})
        e.line(QString::fromLatin1(l));
    e.line(QStringLiteral("NrOfRXPDO=") + QString::number(rx));
    e.line(QStringLiteral("NrOfTXPDO=") + QString::number(tx));
    e.empty();

    e.section(QStringLiteral("Comments"));
    e.line(QStringLiteral("Lines=0"));
    e.empty();

    e.section(QStringLiteral("DummyUsage"));
    for (int i = 1; i <= 7; ++i)
        e.line(QStringLiteral("Dummy%1=0").arg(i, 4, 10, QLatin1Char('0')));
    e.empty();

    e.section(QStringLiteral("MandatoryObjects"));
    e.line(QStringLiteral("SupportedObjects=3"));
    e.line(QStringLiteral("1=0x1000"));
    e.line(QStringLiteral("2=0x1001"));
    e.line(QStringLiteral("3=0x1018"));
    e.empty();

    e.section(QStringLiteral("OptionalObjects"));
    e.line(QStringLiteral("SupportedObjects=") + QString::number(3 * rx + 3 * tx + 8));
    int k = 0;
    auto entry = [&](quint32 index) { e.line(QString::number(++k) + QStringLiteral("=0x") + hex(index, 4)); };
    for (quint32 index : {0x1005u, 0x1006u, 0x1008u, 0x1014u, 0x1016u, 0x1017u, 0x1029u, 0x1280u})
        entry(index);
    const struct { quint32 base; int count; } groups[] = {
        {0x1400, rx}, {0x1600, rx}, {0x1800, tx}, {0x1A00, tx}, {0x7000, rx}, {0x7050, tx}};
    for (const auto &g : groups)
        for (int n = 0; n < g.count; ++n)
            entry(g.base + quint32(n));
    e.empty();

    e.section(QStringLiteral("ManufacturerObjects"));
    e.line(QStringLiteral("SupportedObjects=") + QString::number(input.sdo.size()));
    for (int i = 0; i < input.sdo.size(); ++i)
        e.line(QString::number(i + 1) + QStringLiteral("=0x") + hex(input.sdo[i].Index, 4));
    e.empty();

    writeFixedObjects(e);

    for (int n = 0; n < rx; ++n)
        writeCommunication(e, 0x1400 + quint32(n),
                           QStringLiteral("Receive PDO Communication Parameter ") + QString::number(n + 1),
                           input.receive[n].cobId);
    for (int n = 0; n < rx; ++n)
        writeMapping(e, 0x1600 + quint32(n), QStringLiteral("Receive PDO Mapping Parameter"), 0x7000 + quint32(n),
                     input.receive[n].dimension);
    for (int n = 0; n < tx; ++n)
        writeCommunication(e, 0x1800 + quint32(n),
                           QStringLiteral("Transmit PDO Communication Parameter ") + QString::number(n + 1),
                           input.transmit[n].cobId);
    for (int n = 0; n < tx; ++n)
        writeMapping(e, 0x1A00 + quint32(n),
                     QStringLiteral("Transmit PDO Mapping Parameter ") + QString::number(n + 1), 0x7050 + quint32(n),
                     input.transmit[n].dimension);
    for (int n = 0; n < rx; ++n)
        writeData(e, 0x7000 + quint32(n), QStringLiteral("RPDO") + QString::number(n + 1), QStringLiteral("ro"),
                  kReceivePrefixes[n], QStringLiteral("rww"), input.receive[n].dimension);
    for (int n = 0; n < tx; ++n)
        writeData(e, 0x7050 + quint32(n), QStringLiteral("TPDO") + QString::number(n + 1), QStringLiteral("rw"),
                  kTransmitPrefixes[n], QStringLiteral("rwr"), input.transmit[n].dimension);
    for (const SDO_Index &sdo : input.sdo)
        if (!sdo.Sub_Indexs.isEmpty())
            writeApplicationObject(e, sdo);

    e.empty();
    return e.bytes();
}

std::optional<QString> Write_EDS_File(const QString &projectDir, const QString &path, const QDateTime &at)
{
    EdsInput input;
    if (auto error = readEdsInput(projectDir, &input))
        return error;
    QString error;
    if (!replaceFile(path, buildEdsText(input, at), &error))
        return error;
    return std::nullopt;
}

} // namespace cf
