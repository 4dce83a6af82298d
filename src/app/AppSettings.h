#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>

namespace cf {

// The settings kept in Tessel.xml.
struct AppSettings {
    QString projectname;
    QString ipaddress = defaultIpAddress();
    QString language = QStringLiteral("English");
    bool enable_internet = false;
    bool enable_update = false;
    bool enable_jump_field_tables = false;
    bool Double_Click_Auto_Size = false;

    static QString defaultIpAddress() { return QStringLiteral("192.168.2.205"); }
    static QString fileName() { return QStringLiteral("Tessel.xml"); }

    // Six independent groups; each falls back to its defaults on its own.
    static AppSettings fromDocument(const QDomDocument &document);
    // A missing file or one that is not well-formed gives all defaults.
    static AppSettings readFile(const QString &path);

    QByteArray toXml() const;
    bool writeFile(const QString &path, QString *error) const;

    bool updateTimerWanted() const { return enable_internet && enable_update; }
    bool operator==(const AppSettings &) const = default;
};

} // namespace cf
