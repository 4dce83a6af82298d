#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QXmlStreamAttributes>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace cf {

// Layout of the configuration image: 512 request records, then the parameter block.
namespace bank {
inline constexpr int kRecordCount = 512;
inline constexpr int kRecordSize = 128;
inline constexpr int kTableSize = kRecordCount * kRecordSize; // 65536
inline constexpr int kBlockSize = 2048;
inline constexpr int kImageSize = kTableSize + kBlockSize;    // 67584
inline constexpr int kBufferSize = 262144;
inline constexpr int kParametersSize = 568;
inline constexpr int kParametersHead = 436;                   // before the gap
inline constexpr int kGapSize = 1476;
inline constexpr int kChecksumOffset = 2044;
inline constexpr std::uint32_t kBankAddress = 0x58000;

// Parameter-block offsets.
inline constexpr int kSnmpIp = 40, kSnmpMask = 44, kSnmpGateway = 48;
inline constexpr int kEipPort = 56;
inline constexpr int kStationName = 80, kStationNameSize = 16;
inline constexpr int kEipInputs = 116, kEipOutputs = 120;
inline constexpr int kEipIp = 304, kEipMask = 308, kEipGateway = 312;
inline constexpr int kRequestCount = 364, kAddress = 368;

// Request-record offsets.
inline constexpr int kRecPosition = 0, kRecTime = 4, kRecCommunity = 8, kRecCommunitySize = 16;
inline constexpr int kRecOid = 24, kRecOidSize = 96, kRecIp = 120;
inline constexpr int kRecConvert = 124, kRecMode = 125, kRecBytes = 126, kRecFlags = 127;

// Flags byte of a request record.
inline constexpr std::uint8_t kOnChange = 0x01, kOnCommand = 0x02, kOnTimer = 0x04, kTypeInt = 0x08;
inline constexpr std::uint8_t kVersion1 = 0x10, kVersion2 = 0x20, kVersionOther = 0x40;

// Sum of the parameter block's bytes 0..2043, as stored at 2044.
std::uint32_t blockChecksum(const std::uint8_t *block);
} // namespace bank

// The configuration image compiler. Every area is allocated once, with the object,
// and rebuilt from scratch by each compile.
class USaveBincc {
public:
    using Record = std::array<std::uint8_t, bank::kRecordSize>;

    USaveBincc();
    USaveBincc(const USaveBincc &) = delete;
    USaveBincc &operator=(const USaveBincc &) = delete;

    // Rebuilds the image from the two files (either may be missing). Returns the parser's
    // message or a refusal naming the row and the value; the image is then not usable.
    std::optional<QString> Compile_Bank(const QString &parGenPath, const QString &snmpManagerPath);
    // Compiles ParGen.xml and SNMP_Manager.xml of a configuration folder.
    std::optional<QString> Compile_Project(const QString &projectDir);

    // Writes the compiled image in one piece, replacing the file; creates its folder when
    // missing. On failure returns false with a sentence naming the file.
    bool Save_Bank(const QString &path, QString *error) const;

    // The compiled image (image-length bytes), without a copy.
    QByteArray image() const;
    std::uint32_t imageLength() const { return m_imageLength; }
    std::uint32_t requestCount() const;
    std::uint32_t checksum() const;

    void Init_Parameters();
    void Clear_SNMP_Requests();
    std::optional<QString> Read_Par_Gen(const QString &path);
    std::optional<QString> Read_SNMP_Requests(const QString &path);
    // One row of SNMP_Manager.xml into the next free record; the refusal text when it cannot be carried.
    std::optional<QString> Read_SNMP_Row(const QXmlStreamAttributes &row, const QString &file, int rowNumber,
                                         std::uint32_t &count);
    void Put_SNMP_Requests();
    void Put_Parameters();

    static std::uint8_t Convert_Code(const QString &text);

    // bin/bank.bin of a configuration folder.
    static QString bankPath(const QString &projectDir);

private:
    std::array<std::uint8_t, bank::kParametersSize> Bank_Parameters{};
    std::array<Record, bank::kRecordCount> m_requests{};
    std::unique_ptr<std::uint8_t[]> m_image;
    std::uint32_t m_imageLength = 0;
};

// configurator-cli compile PROJECT_DIR [-o FILE]: 0 written; 1 malformed file, refusal or
// failed write (FILE untouched); 2 bad usage.
int runCompileCommand(const QStringList &args, QTextStream &out, QTextStream &err);
// configurator-cli dump FILE: 0 listed; 1 unreadable, wrong size or checksum mismatch; 2 bad usage.
int runDumpCommand(const QStringList &args, QTextStream &out, QTextStream &err);
// The readable listing of an image of kImageSize bytes.
QString dumpImage(const QByteArray &image);

} // namespace cf
