#pragma once

#include <QString>

namespace cf::ProductIdentity {

inline const QString productCode() { return QStringLiteral("CF40210"); }
inline const QString description() { return QStringLiteral("SNMP Manager / EtherNet/IP - Converter"); }
// Sent to the version query; kept apart from the product code on purpose.
inline const QString versionQueryCode() { return QStringLiteral("CF40210"); }
inline const QString windowTitle()
{
    return QStringLiteral("Velmora - Configurator CF40210 - SNMP Manager / EtherNet/IP");
}
inline const QString programVersion() { return QStringLiteral("1.000"); }
inline const QString manualCode() { return QStringLiteral("UM40210"); }

// Host of the version query and the maker's pages, fixed at build time.
inline const QString webHost() { return QStringLiteral(CF_WEB_HOST); }

} // namespace cf::ProductIdentity
