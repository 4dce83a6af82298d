#include "lang/VersionCheck.h"

#include "platform/HttpFetch.h"

namespace cf {

QUrl VersionServer::queryUrl() const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    if (port != 80)
        url.setPort(port);
    url.setPath(QStringLiteral("/home/download/GetversionSW.asp"));
    url.setQuery(QStringLiteral("nomesw=") + ProductIdentity::versionQueryCode());
    return url;
}

int Conv_Version(const QString &Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(u' ');
    const QString t = (blank >= 0 ? Ver_str.mid(blank + 1) : Ver_str).trimmed();
    if (t.size() < 5)
        return -1;
    // The second character is the point, whatever it is.
    const QString digits = QString(t[0]) + t.mid(2, 3);
    qsizetype i = digits[0] == u'-' || digits[0] == u'+' ? 1 : 0;
    if (i == digits.size())
        return -1;
    for (; i < digits.size(); ++i) {
        if (digits[i] < u'0' || digits[i] > u'9')
            return -1;
    }
    return digits.toInt();
}

bool isNewerVersion(const QString &answer)
{
    const QString a = answer.toUpper().trimmed();
    if (a.isEmpty() || a == QStringLiteral("VER. 0.000"))
        return false;
    const int own = Conv_Version(ProductIdentity::programVersion());
    const int offered = Conv_Version(answer.trimmed());
    return own != -1 && offered != -1 && offered > own;
}

bool Check_Version(const VersionServer &server)
{
    const std::optional<QByteArray> body = httpGet(server.queryUrl(), server.timeoutMs);
    return body && isNewerVersion(QString::fromUtf8(*body));
}

} // namespace cf
