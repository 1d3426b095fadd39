#include "support/MountedFolder.h"

#include <sys/mount.h>

#include <QFile>

namespace veskar::test {

namespace {
bool g_mountsAllowed = false;
}

void SetMountsAllowed(bool allowed) {
    g_mountsAllowed = allowed;
}

bool MountsAllowed() {
    return g_mountsAllowed;
}

bool MountsRequired() {
    return qEnvironmentVariable("PIRVAN_FAULT_TESTS") == QLatin1String("required");
}

MountedFolder::MountedFolder(int64_t bytes) {
    const QByteArray options = "size=" + QByteArray::number(static_cast<qlonglong>(bytes));
    m_mounted = g_mountsAllowed && m_dir.isValid() &&
                ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                        options.constData()) == 0;
}

MountedFolder::~MountedFolder() {
    if (m_mounted) {
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
}

bool MountedFolder::MakeReadOnly() {
    return m_mounted && ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                                MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

} // namespace veskar::test
