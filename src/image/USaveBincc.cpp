#include "image/USaveBincc.h"

#include "app/Paths.h"
#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "editors/TextValidators.h"
#include "platform/FileReplace.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace cf {

namespace {

// Explicit little-endian stores: the image layout never depends on the host.
void put16(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

void put4(std::uint8_t *p, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    p[0] = a;
    p[1] = b;
    p[2] = c;
    p[3] = d;
}

// One byte per character (the low byte of each UTF-16 unit), at most `limit` of them.
void putText(std::uint8_t *p, const QString &text, qsizetype limit)
{
    const qsizetype n = std::min(text.size(), limit);
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < n; ++i)
        p[i] = std::uint8_t(chars[i].unicode() & 0xFF);
}

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

constexpr qsizetype kStationNameMax = bank::kStationNameSize - 1; // keeps the final zero
constexpr qsizetype kCommunityMax = bank::kRecCommunitySize - 1;

} // namespace

std::uint32_t bank::blockChecksum(const std::uint8_t *block)
{
    std::uint32_t sum = 0;
    for (int i = 0; i < kChecksumOffset; ++i)
        sum += block[i];
    return sum;
}

USaveBincc::USaveBincc()
    : m_image(new std::uint8_t[bank::kBufferSize]())
{
    Init_Parameters();
}

QString USaveBincc::bankPath(const QString &projectDir)
{
    return joinPath(projectDir, QStringLiteral("bin"), QStringLiteral("bank.bin"));
}

void USaveBincc::Init_Parameters()
{
    std::uint8_t *p = Bank_Parameters.data();
    Bank_Parameters.fill(0);
    put32(p + 0, 125000);
    put32(p + 12, 9600);
    put16(p + 16, 8);
    put4(p + bank::kSnmpIp, 192, 168, 2, 205);
    put4(p + bank::kSnmpMask, 255, 255, 255, 0);
    put4(p + bank::kSnmpGateway, 255, 255, 255, 255);
    put16(p + 52, 10000);
    put16(p + 54, 10001);
    put16(p + bank::kEipPort, 10001);
    put32(p + 60, 9600);
    put16(p + 64, 8);
    put32(p + bank::kAddress, bank::kBankAddress);
}

void USaveBincc::Clear_SNMP_Requests()
{
    for (Record &r : m_requests)
        r.fill(0);
}

std::optional<QString> USaveBincc::Read_Par_Gen(const QString &path)
{
    const xml::LoadResult loaded = xml::loadFile(path);
    if (loaded.failed())
        return loaded.error;
    if (!loaded.loaded())
        return std::nullopt;
    const QDomElement root = xml::rootElement(loaded.document);
    const auto text = [&root](const char *name) {
        return xml::plainText(xml::childElement(root, QString::fromLatin1(name)));
    };
    std::uint8_t *p = Bank_Parameters.data();
    // Byte fields keep the low 8 bits of the number; a missing or non-numeric text gives the default.
    const auto readBytes = [&](const char *prefix, int offset, std::array<int, 4> defaults) {
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = QByteArray(prefix) + char('1' + i);
            const auto value = text(name.constData());
            const int number = value ? textToInt(*value, defaults[i]) : defaults[i];
            p[offset + i] = std::uint8_t(number & 0xFF);
        }
    };
    readBytes("SNMP_Manager_IP", bank::kSnmpIp, {192, 168, 0, 10});
    readBytes("SNMP_Manager_SM", bank::kSnmpMask, {255, 255, 255, 0});
    readBytes("SNMP_Manager_GAT", bank::kSnmpGateway, {192, 168, 0, 1});
    // The two sides differ for texts other than "0" and "1": kept as the device expects them.
    const auto snmpGatewayOn = text("SNMP_Manager_EN_GAT");
    if (!snmpGatewayOn || *snmpGatewayOn == u"0")
        put4(p + bank::kSnmpGateway, 255, 255, 255, 255);

    const auto station = text("SNMP_Name_of_Station");
    std::memset(p + bank::kStationName, 0, bank::kStationNameSize);
    putText(p + bank::kStationName, station.value_or(QStringLiteral("devicename1")), kStationNameMax);

    readBytes("EtherNetIP_IP", bank::kEipIp, {192, 168, 0, 5});
    readBytes("EtherNetIP_SM", bank::kEipMask, {255, 255, 255, 0});
    readBytes("EtherNetIP_GAT", bank::kEipGateway, {192, 168, 0, 1});
    const auto eipGatewayOn = text("EtherNetIP_EN_GAT");
    if (!eipGatewayOn || *eipGatewayOn != u"1")
        put4(p + bank::kEipGateway, 255, 255, 255, 255);

    // The device listens on the standard port whatever the file says.
    put16(p + bank::kEipPort, 44818);
    const auto size = [&text](const char *name) {
        const auto value = text(name);
        return value ? textToInt(*value, 496) : 496;
    };
    put32(p + bank::kEipInputs, std::uint32_t(size("EtherNetIP_NB_Input")));
    put32(p + bank::kEipOutputs, std::uint32_t(size("EtherNetIP_NB_Output")));
    return std::nullopt;
}

std::uint8_t USaveBincc::Convert_Code(const QString &text)
{
    const QString code = text.trimmed().toUpper();
    if (code == u"FLOAT")
        return 1;
    if (code == u"FLOAT * 10")
        return 2;
    if (code == u"FLOAT * 100")
        return 3;
    return 0;
}

std::optional<QString> USaveBincc::Read_SNMP_Row(const QXmlStreamAttributes &row, const QString &file,
                                                int rowNumber, std::uint32_t &count)
{
    const auto attr = [&row](const char *name) -> std::optional<QString> {
        const QLatin1StringView key(name);
        if (!row.hasAttribute(key))
            return std::nullopt;
        return row.value(key).toString();
    };
    // A row without Enable is ticked in the editor, so it is a request the user expects.
    const auto enable = attr("Enable");
    if (enable && enable->trimmed().toUpper() != u"Y")
        return std::nullopt;
    if (count == bank::kRecordCount)
        return QStringLiteral("%1, row %2: more than %3 enabled requests; the image holds %3.")
            .arg(file).arg(rowNumber).arg(bank::kRecordCount);

    Record &record = m_requests[count];
    std::uint8_t *r = record.data();
    std::uint8_t flags = 0;

    std::array<int, 4> ip{0, 0, 0, 0};
    Split_IP_Address(attr("IP_Address").value_or(QString()), ip);
    put32(r + bank::kRecIp, (std::uint32_t(ip[0]) << 24) | (std::uint32_t(ip[1]) << 16)
                                | (std::uint32_t(ip[2]) << 8) | std::uint32_t(ip[3]));

    const auto version = attr("Version");
    const int v = version ? textToInt(*version, 1) : 1;
    flags |= v == 1 ? bank::kVersion1 : v == 2 ? bank::kVersion2 : bank::kVersionOther;

    putText(r + bank::kRecCommunity, attr("Community_String").value_or(QString()), kCommunityMax);

    const QString oid = attr("OID").value_or(QString());
    if (oid.size() > bank::kRecOidSize)
        return QStringLiteral("%1, row %2: the OID has %3 characters; the image holds %4: %5")
            .arg(file).arg(rowNumber).arg(oid.size()).arg(bank::kRecOidSize).arg(oid);
    putText(r + bank::kRecOid, oid, bank::kRecOidSize);

    const auto upper = [&attr](const char *name) { return attr(name).value_or(QString()).toUpper(); };
    if (upper("Type") == u"INT")
        flags |= bank::kTypeInt;
    const QString mode = upper("Mode");
    r[bank::kRecMode] = mode == u"GET" ? 0 : mode == u"SET" ? 1 : 2;
    if (upper("On_Change") == u"Y")
        flags |= bank::kOnChange;
    if (upper("On_Command") == u"Y")
        flags |= bank::kOnCommand;
    if (upper("On_Timer") == u"Y")
        flags |= bank::kOnTimer;

    const auto number = [&attr](const char *name, int fallback) {
        const auto value = attr(name);
        return value ? textToInt(*value, fallback) : fallback;
    };
    put32(r + bank::kRecTime, std::uint32_t(number("Time", 1000)));
    put16(r + bank::kRecPosition, std::uint32_t(number("Position", 0)) & 0xFFFF);
    const int bytes = number("Number_Bytes", 1);
    if (bytes < 0 || bytes > 255)
        return QStringLiteral("%1, row %2: Number_Bytes %3 is outside 0 to 255, the range the image holds.")
            .arg(file).arg(rowNumber).arg(bytes);
    r[bank::kRecBytes] = std::uint8_t(bytes);
    r[bank::kRecConvert] = Convert_Code(attr("ConvertFrom").value_or(QString()));
    r[bank::kRecFlags] = flags;
    ++count;
    return std::nullopt;
}

std::optional<QString> USaveBincc::Read_SNMP_Requests(const QString &path)
{
    std::uint8_t *p = Bank_Parameters.data();
    put32(p + bank::kRequestCount, 0);
    put32(p + bank::kAddress, bank::kBankAddress);

    // A full table is read as a stream: building a tree of it would cost more than the rest of the compile.
    const QString file = fileName(path);
    std::uint32_t count = 0;
    int rowNumber = 0;
    std::optional<QString> refusal;
    QString parseError;
    const auto visit = [&](const QXmlStreamAttributes &attributes) -> bool {
        refusal = Read_SNMP_Row(attributes, file, ++rowNumber, count);
        return !refusal;
    };
    const auto status = xml::streamRows(path, visit, &parseError);
    if (status == xml::LoadResult::Status::Malformed || status == xml::LoadResult::Status::Unreadable)
        return parseError;
    if (refusal)
        return refusal;
    put32(p + bank::kRequestCount, count);
    return std::nullopt;
}

void USaveBincc::Put_SNMP_Requests()
{
    std::uint8_t *out = m_image.get();
    for (const Record &r : m_requests) {
        std::memcpy(out, r.data(), r.size());
        out += r.size();
    }
}

void USaveBincc::Put_Parameters()
{
    std::uint8_t *block = m_image.get() + bank::kTableSize;
    std::memcpy(block, Bank_Parameters.data(), bank::kParametersHead);
    std::memset(block + bank::kParametersHead, 0, bank::kGapSize);
    std::memcpy(block + bank::kParametersHead + bank::kGapSize, Bank_Parameters.data() + bank::kParametersHead,
                bank::kParametersSize - bank::kParametersHead);
    put32(block + bank::kChecksumOffset, bank::blockChecksum(block));
}

std::optional<QString> USaveBincc::Compile_Bank(const QString &parGenPath, const QString &snmpManagerPath)
{
    m_imageLength = 0;
    Init_Parameters();
    Clear_SNMP_Requests();
    if (auto error = Read_Par_Gen(parGenPath))
        return error;
    if (auto error = Read_SNMP_Requests(snmpManagerPath))
        return error;
    Put_SNMP_Requests();
    Put_Parameters();
    m_imageLength = bank::kImageSize;
    return std::nullopt;
}

std::optional<QString> USaveBincc::Compile_Project(const QString &projectDir)
{
    return Compile_Bank(joinPath(projectDir, QStringLiteral("ParGen.xml")),
                        joinPath(projectDir, QStringLiteral("SNMP_Manager.xml")));
}

bool USaveBincc::Save_Bank(const QString &path, QString *error) const
{
    if (m_imageLength != bank::kImageSize) {
        if (error)
            *error = cannotWriteMessage(path, QStringLiteral("no image has been compiled"));
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        if (error)
            *error = cannotWriteMessage(path, QStringLiteral("its folder cannot be created"));
        return false;
    }
    return replaceFile(path, image(), error);
}

QByteArray USaveBincc::image() const
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(m_image.get()), qsizetype(m_imageLength));
}

std::uint32_t USaveBincc::requestCount() const
{
    const std::uint8_t *p = Bank_Parameters.data() + bank::kRequestCount;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint32_t USaveBincc::checksum() const
{
    return bank::blockChecksum(m_image.get() + bank::kTableSize);
}

} // namespace cf
