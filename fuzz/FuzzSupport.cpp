#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace veskar::fuzz {

namespace {

// In memory where the system offers it: every run writes, renames and removes files, which on
// a journalling disk costs far more than the code under test.
QString Stem() {
    static const QString folder = [] {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    }();
    return folder + "/pirvan-fuzz-" + QString::number(::getpid());
}

void RemoveFiles() {
    QFile::remove(Stem() + ".wav");
    QFile::remove(OutputFilePath());
}

} // namespace

QString WriteInputFile(const uint8_t* data, size_t size) {
    static const QString path = [] {
        std::atexit(RemoveFiles);
        return Stem() + ".wav";
    }();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::perror("pirvan fuzz: input file");
        std::abort();
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) {
            std::perror("pirvan fuzz: input file");
            std::abort();
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return path;
}

QString OutputFilePath() {
    return Stem() + "-out.wav";
}

void Fail(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
}

} // namespace veskar::fuzz
