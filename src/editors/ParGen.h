#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace cf {

class LanguageTexts;

// The 30 elements of ParGen.xml, in file order.
enum class ParGenItem : int {
    SNMP_Manager_IP1,
    SNMP_Manager_IP2,
    SNMP_Manager_IP3,
    SNMP_Manager_IP4,
    SNMP_Manager_SM1,
    SNMP_Manager_SM2,
    SNMP_Manager_SM3,
    SNMP_Manager_SM4,
    SNMP_Manager_GAT1,
    SNMP_Manager_GAT2,
    SNMP_Manager_GAT3,
    SNMP_Manager_GAT4,
    SNMP_Manager_EN_GAT,
    SNMP_Name_of_Station,
    EtherNetIP_IP1,
    EtherNetIP_IP2,
    EtherNetIP_IP3,
    EtherNetIP_IP4,
    EtherNetIP_SM1,
    EtherNetIP_SM2,
    EtherNetIP_SM3,
    EtherNetIP_SM4,
    EtherNetIP_GAT1,
    EtherNetIP_GAT2,
    EtherNetIP_GAT3,
    EtherNetIP_GAT4,
    EtherNetIP_EN_GAT,
    EtherNetIP_PORT,
    EtherNetIP_NB_Input,
    EtherNetIP_NB_Output,
};

inline constexpr int kParGenItemCount = 30;
inline constexpr int kEtherNetIpPort = 44818;
inline constexpr int kEtherNetIpMaxBytes = 496;
inline constexpr int kStationNameMaxLength = 15;

QString parGenElementName(ParGenItem item);
QString parGenDefault(ParGenItem item);
bool isParGenFlag(ParGenItem item);

// The dialog's values as text, exactly as edited; the two flags hold "1" or "0".
class ParGenData {
public:
    // Every item at its default: the state of a configuration without ParGen.xml.
    ParGenData();

    const QString &operator[](ParGenItem item) const { return m_text[std::size_t(item)]; }
    QString &operator[](ParGenItem item) { return m_text[std::size_t(item)]; }

    bool flag(ParGenItem item) const { return (*this)[item] == QStringLiteral("1"); }
    void setFlag(ParGenItem item, bool on) { (*this)[item] = on ? QStringLiteral("1") : QStringLiteral("0"); }

    bool operator==(const ParGenData &other) const = default;

private:
    std::array<QString, kParGenItemCount> m_text;
};

struct ParGenLoad {
    enum class Status { Missing, Loaded, Failed };
    Status status = Status::Missing;
    ParGenData data;
    // Failed: the parser's message with file, line and column, or why the file cannot be read.
    QString error;

    bool failed() const { return status == Status::Failed; }
};

// Reads ParGen.xml as the dialog's showing does: each element on its own, a missing or
// non-text element gives its default, only "1" sets a flag, the port is always 44818.
ParGenLoad loadParGen(const QString &path);
ParGenLoad parseParGen(const QByteArray &bytes, const QString &nameForMessages);

// Controllo_Dati: the text of the first failing check, nullopt when every check passes.
std::optional<QString> Controllo_Dati(const ParGenData &data, const LanguageTexts &texts);

// The file as written on OK: root Par_Gen, the version comment after it, the 30 elements.
QByteArray parGenBytes(const ParGenData &data);
// Replaces the file as a whole; on failure `error` names the file.
bool saveParGen(const QString &path, const ParGenData &data, QString *error);

// The EtherNet/IP data sizes as the SNMP Manager dialog sees them: app_NB_OUT takes the
// input size and app_NB_IN the output size; 496 for a missing file, element or number.
struct EtherNetIpSizes {
    int app_NB_IN = kEtherNetIpMaxBytes;
    int app_NB_OUT = kEtherNetIpMaxBytes;
};
EtherNetIpSizes etherNetIpSizes(const ParGenData &data);

} // namespace cf
