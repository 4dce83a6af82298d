#pragma once

#include "app/ProductIdentity.h"

#include <QString>
#include <QUrl>

namespace cf {

// Where the version query goes and how long it may take.
struct VersionServer {
    static constexpr int kDefaultTimeoutMs = 10000;

    QString host = ProductIdentity::webHost();
    int port = 80;
    int timeoutMs = kDefaultTimeoutMs;

    QUrl queryUrl() const;
};

// "VER. 1.001" -> 1001: the 1st, 3rd, 4th and 5th characters after the first
// blank, read as a decimal integer; -1 when they are not one.
int Conv_Version(const QString &Ver_str);

// True when the server's answer names a version above the program's own.
bool isNewerVersion(const QString &answer);

// Asks the server for the current version; any failure counts as none newer.
bool Check_Version(const VersionServer &server = VersionServer());

} // namespace cf
