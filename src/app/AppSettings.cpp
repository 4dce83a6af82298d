#include "app/AppSettings.h"

#include "app/XmlFile.h"
#include "platform/FileReplace.h"

namespace cf {

namespace {

std::optional<QString> leaf(const QDomElement &root, const QString &group, const QString &name)
{
    return xml::plainText(xml::childElement(xml::childElement(root, group), name));
}

bool flag(const QDomElement &group, const QString &name)
{
    return xml::plainText(xml::childElement(group, name)).value_or(QString()) == QStringLiteral("1");
}

QString flagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

AppSettings AppSettings::fromDocument(const QDomDocument &document)
{
    AppSettings s;
    const QDomElement root = xml::rootElement(document);
    if (root.isNull())
        return s;
    s.projectname = leaf(root, QStringLiteral("lastproj"), QStringLiteral("projectname")).value_or(QString());
    s.ipaddress = leaf(root, QStringLiteral("lastipadd"), QStringLiteral("ipaddress")).value_or(defaultIpAddress());
    s.language = leaf(root, QStringLiteral("lastlang"), QStringLiteral("language")).value_or(QStringLiteral("English"));
    const QDomElement internet = xml::childElement(root, QStringLiteral("lastinternet"));
    s.enable_internet = flag(internet, QStringLiteral("enable_internet"));
    s.enable_update = flag(internet, QStringLiteral("enable_update"));
    s.enable_jump_field_tables = flag(internet, QStringLiteral("enable_jump_field_tables"));
    s.Double_Click_Auto_Size = flag(internet, QStringLiteral("Double_Click_Auto_Size"));
    return s;
}

AppSettings AppSettings::readFile(const QString &path)
{
    const xml::LoadResult loaded = xml::loadFile(path);
    if (!loaded.loaded())
        return AppSettings();
    return fromDocument(loaded.document);
}

QByteArray AppSettings::toXml() const
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Conf_Settings"));
    doc.appendChild(root);
    auto group = [&](const QString &name) {
        QDomElement e = doc.createElement(name);
        root.appendChild(e);
        return e;
    };
    xml::appendTextElement(doc, group(QStringLiteral("lastproj")), QStringLiteral("projectname"), projectname);
    xml::appendTextElement(doc, group(QStringLiteral("lastipadd")), QStringLiteral("ipaddress"), ipaddress);
    xml::appendTextElement(doc, group(QStringLiteral("lastlang")), QStringLiteral("language"), language);
    QDomElement internet = group(QStringLiteral("lastinternet"));
    xml::appendTextElement(doc, internet, QStringLiteral("enable_internet"), flagText(enable_internet));
    xml::appendTextElement(doc, internet, QStringLiteral("enable_update"), flagText(enable_update));
    xml::appendTextElement(doc, internet, QStringLiteral("enable_jump_field_tables"), flagText(enable_jump_field_tables));
    xml::appendTextElement(doc, internet, QStringLiteral("Double_Click_Auto_Size"), flagText(Double_Click_Auto_Size));
    return xml::toBytes(doc);
}

bool AppSettings::writeFile(const QString &path, QString *error) const
{
    return replaceFile(path, toXml(), error);
}

} // namespace cf
