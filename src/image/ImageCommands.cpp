#include "image/USaveBincc.h"

#include <QFile>
#include <QFileInfo>

namespace cf {

namespace {

std::uint32_t get16(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t get32(const std::uint8_t *p)
{
    return get16(p) | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

QString address(const std::uint8_t *p)
{
    return QStringLiteral("%1.%2.%3.%4").arg(p[0]).arg(p[1]).arg(p[2]).arg(p[3]);
}

// A zero-filled text field, shown quoted; a field without its zero says so.
QString text(const std::uint8_t *p, int size)
{
    int n = 0;
    while (n < size && p[n] != 0)
        ++n;
    QString s;
    s.reserve(n);
    for (int i = 0; i < n; ++i)
        s += QChar(char16_t(p[i]));
    return QLatin1Char('"') + s + QLatin1Char('"') + (n == size ? QStringLiteral(" (no final zero)") : QString());
}

QString modeName(int code)
{
    switch (code) {
    case 0: return QStringLiteral("GET");
    case 1: return QStringLiteral("SET");
    case 2: return QStringLiteral("TRAP");
    default: return QStringLiteral("unknown");
    }
}

QString conversionName(int code)
{
    switch (code) {
    case 0: return QStringLiteral("None");
    case 1: return QStringLiteral("FLOAT");
    case 2: return QStringLiteral("FLOAT * 10");
    case 3: return QStringLiteral("FLOAT * 100");
    default: return QStringLiteral("unknown");
    }
}

QString flagNames(std::uint8_t flags)
{
    static const struct { std::uint8_t mask; const char *name; } names[] = {
        {bank::kOnChange, "On_Change"}, {bank::kOnCommand, "On_Command"}, {bank::kOnTimer, "On_Timer"},
        {bank::kTypeInt, "INT"},        {bank::kVersion1, "Version_1"},   {bank::kVersion2, "Version_2"},
        {bank::kVersionOther, "Version_3"}, {0x80, "bit_7"}};
    QStringList parts;
    for (const auto &n : names) {
        if (flags & n.mask)
            parts << QString::fromLatin1(n.name);
    }
    return QStringLiteral("0x%1 %2").arg(flags, 2, 16, QLatin1Char('0')).arg(parts.isEmpty() ? QStringLiteral("(none)") : parts.join(u'|'));
}

struct Field {
    int offset;
    enum Kind { U16, U32, Address, Text } kind;
    const char *name;
};

constexpr Field kFields[] = {
    {0, Field::U32, "Fixed_0"},
    {12, Field::U32, "Fixed_12"},
    {16, Field::U16, "Fixed_16"},
    {bank::kSnmpIp, Field::Address, "SNMP_Manager_IP"},
    {bank::kSnmpMask, Field::Address, "SNMP_Manager_SM"},
    {bank::kSnmpGateway, Field::Address, "SNMP_Manager_GAT"},
    {52, Field::U16, "Fixed_52"},
    {54, Field::U16, "Fixed_54"},
    {bank::kEipPort, Field::U16, "EtherNetIP_PORT"},
    {60, Field::U32, "Fixed_60"},
    {64, Field::U16, "Fixed_64"},
    {bank::kStationName, Field::Text, "SNMP_Name_of_Station"},
    {bank::kEipInputs, Field::U32, "EtherNetIP_NB_Input"},
    {bank::kEipOutputs, Field::U32, "EtherNetIP_NB_Output"},
    {bank::kEipIp, Field::Address, "EtherNetIP_IP"},
    {bank::kEipMask, Field::Address, "EtherNetIP_SM"},
    {bank::kEipGateway, Field::Address, "EtherNetIP_GAT"},
    {bank::kRequestCount, Field::U32, "Number_of_Requests"},
    {bank::kAddress, Field::U32, "Bank_Address"},
};

QString fieldValue(const Field &f, const std::uint8_t *block)
{
    const std::uint8_t *p = block + f.offset;
    switch (f.kind) {
    case Field::U16: return QString::number(get16(p));
    case Field::U32: return QString::number(get32(p));
    case Field::Address: return address(p);
    case Field::Text: return text(p, bank::kStationNameSize);
    }
    return {};
}

} // namespace

QString dumpImage(const QByteArray &image)
{
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(image.constData());
    const std::uint8_t *block = bytes + bank::kTableSize;
    QString out;
    QTextStream s(&out);
    s << "Parameter block (image offset " << bank::kTableSize << ")\n";
    for (const Field &f : kFields) {
        s << QStringLiteral("  %1  %2 %3\n")
                 .arg(f.offset, 4)
                 .arg(QString::fromLatin1(f.name) + QLatin1Char(':'), -22)
                 .arg(fieldValue(f, block));
    }
    const std::uint32_t stored = get32(block + bank::kChecksumOffset);
    const std::uint32_t computed = bank::blockChecksum(block);
    s << QStringLiteral("  %1  %2 %3 (computed %4)\n")
             .arg(bank::kChecksumOffset, 4)
             .arg(QStringLiteral("Checksum:"), -22)
             .arg(stored)
             .arg(computed);

    const std::uint32_t count = get32(block + bank::kRequestCount);
    s << "Requests in use: " << count << "\n";
    const std::uint32_t shown = std::min<std::uint32_t>(count, bank::kRecordCount);
    for (std::uint32_t n = 0; n < shown; ++n) {
        const std::uint8_t *r = bytes + n * bank::kRecordSize;
        const std::uint32_t ip = get32(r + bank::kRecIp);
        const std::uint8_t agent[4] = {std::uint8_t(ip >> 24), std::uint8_t(ip >> 16), std::uint8_t(ip >> 8),
                                       std::uint8_t(ip)};
        s << "Record " << n << " (image offset " << n * bank::kRecordSize << ")\n"
          << "  Position:     " << get16(r + bank::kRecPosition) << "\n"
          << "  Time:         " << get32(r + bank::kRecTime) << " ms\n"
          << "  Community:    " << text(r + bank::kRecCommunity, bank::kRecCommunitySize) << "\n"
          << "  OID:          " << text(r + bank::kRecOid, bank::kRecOidSize) << "\n"
          << "  Agent:        " << address(agent) << "\n"
          << "  Mode:         " << int(r[bank::kRecMode]) << " " << modeName(r[bank::kRecMode]) << "\n"
          << "  Conversion:   " << int(r[bank::kRecConvert]) << " " << conversionName(r[bank::kRecConvert]) << "\n"
          << "  Number_Bytes: " << int(r[bank::kRecBytes]) << "\n"
          << "  Flags:        " << flagNames(r[bank::kRecFlags]) << "\n";
    }
    s.flush();
    return out;
}

int runCompileCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto usage = [&err] {
        err << "usage: configurator-cli compile PROJECT_DIR [-o FILE]" << Qt::endl;
        return 2;
    };
    QString dir;
    QString target;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"-o") {
            if (i + 1 >= args.size() || !target.isEmpty())
                return usage();
            target = args[++i];
        } else if (dir.isEmpty()) {
            dir = args[i];
        } else {
            return usage();
        }
    }
    if (dir.isEmpty())
        return usage();
    if (!QFileInfo(dir).isDir()) {
        err << "configurator-cli: not a folder: " << dir << Qt::endl;
        return 2;
    }
    if (target.isEmpty())
        target = USaveBincc::bankPath(dir);

    static USaveBincc compiler;
    if (const auto error = compiler.Compile_Project(dir)) {
        err << *error << Qt::endl;
        return 1;
    }
    QString writeError;
    if (!compiler.Save_Bank(target, &writeError)) {
        err << writeError << Qt::endl;
        return 1;
    }
    out << target << ": " << compiler.imageLength() << " bytes, " << compiler.requestCount()
        << " requests, checksum " << compiler.checksum() << Qt::endl;
    return 0;
}

int runDumpCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) {
        err << "usage: configurator-cli dump FILE" << Qt::endl;
        return 2;
    }
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly)) {
        err << "configurator-cli: cannot read " << args.first() << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const QByteArray image = file.readAll();
    if (image.size() != bank::kImageSize) {
        err << "configurator-cli: " << args.first() << " holds " << image.size() << " bytes, not "
            << bank::kImageSize << Qt::endl;
        return 1;
    }
    out << dumpImage(image);
    out.flush();
    const auto *block = reinterpret_cast<const std::uint8_t *>(image.constData()) + bank::kTableSize;
    const std::uint32_t stored = get32(block + bank::kChecksumOffset);
    const std::uint32_t computed = bank::blockChecksum(block);
    if (stored != computed) {
        err << "configurator-cli: " << args.first() << ": checksum mismatch: stored " << stored << ", computed "
            << computed << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace cf
