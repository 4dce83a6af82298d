#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

namespace cf::test {

// Set CF_SCREENSHOT_DIR to keep a picture of a window as NAME.png there.
inline void saveShot(QWidget *window, const QString &name)
{
    const QString dir = qEnvironmentVariable("CF_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        window->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace cf::test
