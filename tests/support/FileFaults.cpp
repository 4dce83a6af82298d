#include "FileFaults.h"

#include <QFile>
#include <QSaveFile>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace cf::test {

qint64 PartWayReplacer::writePiece(QSaveFile &file, const char *data, qint64 size)
{
    if (m_wroteOnce || size < 2)
        return -1;
    m_wroteOnce = true;
    return file.write(data, size / 2);
}

namespace {
constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
} // namespace

ObeyPermissions::ObeyPermissions()
{
    if (geteuid() != 0)
        return;
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false))
        return;
    m_savedEffective = data[0].effective;
    data[0].effective &= ~kOverrides;
    m_dropped = capabilities(data, true);
}

bool ObeyPermissions::active() const
{
    return geteuid() != 0 || m_dropped;
}

ObeyPermissions::~ObeyPermissions()
{
    if (!m_dropped)
        return;
    __user_cap_data_struct data[2]{};
    if (capabilities(data, false)) {
        data[0].effective = m_savedEffective;
        capabilities(data, true);
    }
}

ScopedMode::ScopedMode(const QString &path, unsigned mode) : m_path(QFile::encodeName(path))
{
    struct stat st {};
    if (::stat(m_path.constData(), &st) != 0)
        return;
    m_previous = st.st_mode & 07777;
    m_changed = ::chmod(m_path.constData(), mode) == 0;
}

ScopedMode::~ScopedMode()
{
    if (m_changed)
        ::chmod(m_path.constData(), m_previous);
}

} // namespace cf::test
