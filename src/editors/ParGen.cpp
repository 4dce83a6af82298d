#include "editors/ParGen.h"

#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"

#include <QDomComment>

namespace cf {

namespace {

struct ItemInfo {
    const char *element;
    const char16_t *defaultText;
};

constexpr ItemInfo kItems[kParGenItemCount] = {
    {"SNMP_Manager_IP1", u"192"},     {"SNMP_Manager_IP2", u"168"},
    {"SNMP_Manager_IP3", u"0"},       {"SNMP_Manager_IP4", u"10"},
    {"SNMP_Manager_SM1", u"255"},     {"SNMP_Manager_SM2", u"255"},
    {"SNMP_Manager_SM3", u"255"},     {"SNMP_Manager_SM4", u"0"},
    {"SNMP_Manager_GAT1", u"192"},    {"SNMP_Manager_GAT2", u"168"},
    {"SNMP_Manager_GAT3", u"0"},      {"SNMP_Manager_GAT4", u"1"},
    {"SNMP_Manager_EN_GAT", u"0"},    {"SNMP_Name_of_Station", u"devicename1"},
    {"EtherNetIP_IP1", u"192"},       {"EtherNetIP_IP2", u"168"},
    {"EtherNetIP_IP3", u"0"},         {"EtherNetIP_IP4", u"5"},
    {"EtherNetIP_SM1", u"255"},       {"EtherNetIP_SM2", u"255"},
    {"EtherNetIP_SM3", u"255"},       {"EtherNetIP_SM4", u"0"},
    {"EtherNetIP_GAT1", u"192"},      {"EtherNetIP_GAT2", u"168"},
    {"EtherNetIP_GAT3", u"0"},        {"EtherNetIP_GAT4", u"1"},
    {"EtherNetIP_EN_GAT", u"0"},      {"EtherNetIP_PORT", u"44818"},
    {"EtherNetIP_NB_Input", u"496"},  {"EtherNetIP_NB_Output", u"496"},
};

ParGenItem itemAt(int index)
{
    return static_cast<ParGenItem>(index);
}

bool inRange(const QString &text, int low, int high)
{
    // Text that is not a number counts as -1 and so fails every range.
    const int value = textToInt(text, -1);
    return value >= low && value <= high;
}

// Byte groups in check order: first item, first message index, gated by a flag or not.
struct ByteCheck {
    ParGenItem first;
    int firstMessage;
    std::optional<ParGenItem> enabledBy;
};

constexpr ByteCheck kByteChecks[] = {
    {ParGenItem::SNMP_Manager_IP1, 444, std::nullopt},
    {ParGenItem::SNMP_Manager_SM1, 448, std::nullopt},
    {ParGenItem::SNMP_Manager_GAT1, 452, ParGenItem::SNMP_Manager_EN_GAT},
    {ParGenItem::EtherNetIP_IP1, 536, std::nullopt},
    {ParGenItem::EtherNetIP_SM1, 540, std::nullopt},
    {ParGenItem::EtherNetIP_GAT1, 544, ParGenItem::EtherNetIP_EN_GAT},
};

// The parser drops text made only of blanks, so such a value goes into a CDATA
// section, which it keeps; everything else is plain escaped text.
void appendValue(QDomDocument &document, QDomElement &root, const QString &name, const QString &text)
{
    if (!text.isEmpty() && text.trimmed().isEmpty() && !text.contains(QStringLiteral("]]>"))) {
        QDomElement e = document.createElement(name);
        e.appendChild(document.createCDATASection(text));
        root.appendChild(e);
        return;
    }
    xml::appendTextElement(document, root, name, text);
}

ParGenLoad fromDocument(const xml::LoadResult &file)
{
    ParGenLoad result;
    if (file.status == xml::LoadResult::Status::Missing)
        return result;
    if (file.failed()) {
        result.status = ParGenLoad::Status::Failed;
        result.error = file.error;
        return result;
    }
    result.status = ParGenLoad::Status::Loaded;
    const QDomElement root = xml::rootElement(file.document);
    for (int i = 0; i < kParGenItemCount; ++i) {
        const ParGenItem item = itemAt(i);
        const std::optional<QString> text =
            xml::plainText(xml::childElement(root, parGenElementName(item)));
        if (!text)
            continue; // keeps the default
        if (isParGenFlag(item))
            result.data.setFlag(item, *text == QStringLiteral("1"));
        else
            result.data[item] = *text;
    }
    // The port is fixed: a stored value is looked up but never shown.
    result.data[ParGenItem::EtherNetIP_PORT] = QString::number(kEtherNetIpPort);
    return result;
}

} // namespace

QString parGenElementName(ParGenItem item)
{
    return QString::fromLatin1(kItems[int(item)].element);
}

QString parGenDefault(ParGenItem item)
{
    return QString::fromUtf16(kItems[int(item)].defaultText);
}

bool isParGenFlag(ParGenItem item)
{
    return item == ParGenItem::SNMP_Manager_EN_GAT || item == ParGenItem::EtherNetIP_EN_GAT;
}

ParGenData::ParGenData()
{
    for (int i = 0; i < kParGenItemCount; ++i)
        m_text[std::size_t(i)] = parGenDefault(itemAt(i));
}

ParGenLoad loadParGen(const QString &path)
{
    return fromDocument(xml::loadFile(path));
}

ParGenLoad parseParGen(const QByteArray &bytes, const QString &nameForMessages)
{
    return fromDocument(xml::parse(bytes, nameForMessages));
}

std::optional<QString> Controllo_Dati(const ParGenData &data, const LanguageTexts &texts)
{
    for (const ByteCheck &check : kByteChecks) {
        if (check.enabledBy && !data.flag(*check.enabledBy))
            continue; // a gateway that is not enabled is saved as it stands
        for (int b = 0; b < 4; ++b) {
            if (!inRange(data[itemAt(int(check.first) + b)], 0, 255))
                return texts[check.firstMessage + b];
        }
    }
    if (textToInt(data[ParGenItem::EtherNetIP_PORT], -1) != kEtherNetIpPort)
        return texts[548];
    const QString limit = QString::number(kEtherNetIpMaxBytes);
    if (!inRange(data[ParGenItem::EtherNetIP_NB_Input], 0, kEtherNetIpMaxBytes))
        return texts[549] + limit;
    if (!inRange(data[ParGenItem::EtherNetIP_NB_Output], 0, kEtherNetIpMaxBytes))
        return texts[550] + limit;
    return std::nullopt;
}

QByteArray parGenBytes(const ParGenData &data)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("Par_Gen"));
    document.appendChild(root);
    document.appendChild(document.createComment(QStringLiteral("SW_VERSION = 1.000")));
    for (int i = 0; i < kParGenItemCount; ++i) {
        const ParGenItem item = itemAt(i);
        appendValue(document, root, parGenElementName(item), data[item]);
    }
    return xml::toBytes(document);
}

bool saveParGen(const QString &path, const ParGenData &data, QString *error)
{
    return replaceFile(path, parGenBytes(data), error);
}

EtherNetIpSizes etherNetIpSizes(const ParGenData &data)
{
    EtherNetIpSizes sizes;
    sizes.app_NB_OUT = textToInt(data[ParGenItem::EtherNetIP_NB_Input], kEtherNetIpMaxBytes);
    sizes.app_NB_IN = textToInt(data[ParGenItem::EtherNetIP_NB_Output], kEtherNetIpMaxBytes);
    return sizes;
}

} // namespace cf
