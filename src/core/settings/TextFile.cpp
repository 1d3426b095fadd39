#include "core/settings/TextFile.h"

#include <cerrno>

#include <iconv.h>

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace veskar {

namespace {

QString DecodeCp932(const QByteArray& bytes) {
    iconv_t cd = ::iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return QString::fromLatin1(bytes);
    }
    QString text;
    text.reserve(bytes.size());
    QByteArray out(4096, '\0');
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char* outPtr = out.data();
        size_t outLeft = static_cast<size_t>(out.size());
        const size_t done = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const qsizetype produced = out.size() - static_cast<qsizetype>(outLeft);
        text.append(reinterpret_cast<const QChar*>(out.constData()), produced / 2);
        if (done != static_cast<size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // An invalid or cut-off sequence: mark it and go on with the next byte, so one bad byte
        // does not lose the rest of the list.
        text.append(QChar::ReplacementCharacter);
        ++in;
        --inLeft;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    ::iconv_close(cd);
    return text;
}

} // namespace

QString DecodeListText(const QByteArray& bytes) {
    // Exactly one leading byte-order mark is dropped: a second one is text the writer kept.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar::ByteOrderMark)) {
            text.remove(0, 1);
        }
        return text;
    }
    return DecodeCp932(bytes);
}

std::optional<QStringList> ReadListFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    QString text = DecodeListText(bytes);
    if (text.isEmpty()) {
        return QStringList{};
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace('\r', '\n');
    if (text.endsWith('\n')) {
        text.chop(1);
    }
    return text.split('\n');
}

QString WriteListFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    // A first line that starts with a byte-order mark keeps it only behind a mark of its own,
    // since the reader drops the first one.
    if (!lines.isEmpty() && lines.first().startsWith(QChar::ByteOrderMark)) {
        bytes += "\xef\xbb\xbf";
    }
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return WriteFileSafely(path, bytes);
}

QString WriteFileSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // The flush is checked before the commit: QSaveFile's commit does not notice a write that
    // fails while it flushes its buffer, and would put a cut-off file in place.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        return QString::fromUtf8(kWriteFailed) + " (" + file.errorString() + ")";
    }
    return {};
}

} // namespace veskar
