#pragma once

#include <cstdint>

#include <QString>
#include <QTemporaryDir>

namespace veskar::test {

/// Whether this process may mount: set by the fault tests' main, true only as root inside a
/// mount namespace of the process's own.
void SetMountsAllowed(bool allowed);
bool MountsAllowed();

/// Set (PIRVAN_FAULT_TESTS=required, as CI does) when a fault test that cannot mount must fail
/// instead of skipping, so a run that was meant to cover them cannot pass without.
bool MountsRequired();

/// The message of a fault test that cannot run without root.
inline constexpr char kNeedsRoot[] =
    "needs root for a private mount namespace (a small tmpfs as a full disk, a read-only "
    "remount); CI runs it as root";

/// First statement of a fault test that mounts: skips it, or fails it where it is required,
/// when this process may not mount.
#define PIRVAN_NEEDS_MOUNTS()                                                                      \
    if (!::veskar::test::MountsAllowed()) {                                                        \
        if (::veskar::test::MountsRequired()) {                                                    \
            FAIL() << ::veskar::test::kNeedsRoot;                                                  \
        }                                                                                          \
        GTEST_SKIP() << ::veskar::test::kNeedsRoot;                                                \
    }

/// A fresh folder with a tmpfs of the given size mounted on it, unmounted and removed with the
/// object. Only where MountsAllowed().
class MountedFolder {
public:
    explicit MountedFolder(int64_t bytes);
    ~MountedFolder();
    MountedFolder(const MountedFolder&) = delete;
    MountedFolder& operator=(const MountedFolder&) = delete;

    bool IsMounted() const { return m_mounted; }
    /// The folder with a trailing "/".
    QString Path() const { return m_dir.path() + "/"; }
    /// Remounts it read-only (for root a folder's mode bits alone do not stop a write).
    bool MakeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace veskar::test
