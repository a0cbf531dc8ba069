#include "ui/wave_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr int kMostChunks = 64; // a wave file has a handful; stop on garbage
constexpr quint16 kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

struct ChunkHeader {
    QByteArray id;
    quint32 size = 0;
};

bool readChunkHeader(QFile& file, ChunkHeader& chunk) {
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8)
        return false;
    chunk.id = bytes.left(4);
    chunk.size = qFromLittleEndian<quint32>(bytes.constData() + 4);
    return true;
}

bool isPlayableFormat(const QByteArray& fmt) {
    if (fmt.size() < 16)
        return false;
    const auto field = [&fmt](int offset) {
        return qFromLittleEndian<quint16>(fmt.constData() + offset);
    };
    const quint16 format = field(0), channels = field(2), bits = field(14);
    const quint32 rate = qFromLittleEndian<quint32>(fmt.constData() + 4);
    const bool knownFormat = format == kPcm || format == kFloat || format == kExtensible;
    return knownFormat && channels > 0 && rate > 0 && bits > 0 && bits % 8 == 0 && bits <= 32;
}

} // namespace

// Only a regular file is opened: opening a pipe or a device could block.
bool isPlayableWave(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return false;
    bool format = false;
    ChunkHeader chunk;
    for (int i = 0; i < kMostChunks && readChunkHeader(file, chunk); ++i) {
        const qint64 start = file.pos();
        if (chunk.id == "data")
            return format && chunk.size > 0 && chunk.size <= file.size() - start;
        if (chunk.id == "fmt ") {
            format = isPlayableFormat(file.read(std::min<quint32>(chunk.size, 64)));
            if (!format)
                return false;
        }
        if (!file.seek(start + chunk.size + chunk.size % 2))
            return false;
    }
    return false;
}
