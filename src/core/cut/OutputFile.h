#pragma once

#include <cstdint>
#include <functional>

#include <QByteArray>
#include <QString>

namespace veskar {

/// The operating system's reason for the last failed call (errno), in the user's language.
QString OsReason(int error);
QString OsReason();

/// Closes the descriptor it holds on every exit path.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    /// Closes now and reports the result of close(): a network or full file system may only
    /// report a failed write there.
    bool Close();

private:
    int m_fd;
};

/// Writes all size bytes at offset; false with errno set otherwise (ENOSPC for a write that
/// stores nothing).
bool WriteAll(int fd, const void* data, int64_t size, int64_t offset);

/// Creates a hidden temporary file beside the final name (same folder, hence the same file
/// system for the rename) and returns its descriptor, or -1 with errno set.
int CreateTemporary(const QString& folder, QString& tempPath);

/// Gives the complete file at from the name to, never replacing anything of that name: 0, or
/// the errno of the failure (EEXIST when the name is taken).
int LinkWithoutReplacing(const QByteArray& from, const QByteArray& to);

/// How CopyFileRange moves the bytes.
enum class CopyMethod {
    /// What measured fastest here: inside the kernel (copy_file_range), whatever the offsets,
    /// through the buffer where the kernel refuses.
    Best,
    Kernel, ///< the same, named for comparisons
    /// Always through a buffer whose writes after the first start on page boundaries.
    Buffer,
};

/// Why a copy stopped short.
enum class CopyFailure { None, Read, Write, SourceEnded, Stopped };

struct CopyResult {
    CopyFailure failure = CopyFailure::None;
    int64_t copied = 0; ///< bytes copied before it stopped
    int error = 0;      ///< errno of a failed read or write
};

/// Copies size bytes from in at inOffset to out at outOffset. progress, when given, is told the
/// bytes copied so far after each step of at most stepBytes (0: a few MiB) while bytes remain;
/// false from it stops the copy.
CopyResult CopyFileRange(int in, int64_t inOffset, int out, int64_t outOffset, int64_t size,
                         CopyMethod method, const std::function<bool(int64_t)>& progress = {},
                         int64_t stepBytes = 0);

} // namespace veskar
