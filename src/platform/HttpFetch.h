#pragma once

#include <QByteArray>
#include <QUrl>
#include <optional>

namespace cf {

// A plain GET without cookies. Waits in an event loop that holds back user
// input, so windows keep painting. Nothing when the request fails, the server
// answers with an error status, or the answer is not complete within timeoutMs.
std::optional<QByteArray> httpGet(const QUrl &url, int timeoutMs);

} // namespace cf
