#include "ui/sound/wave_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kMostChunks = 64; // a wave file has a handful; stop on garbage
constexpr quint16 kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

// The little-endian number of `size` bytes at `offset`; the caller has checked
// that the bytes are there.
quint32 littleEndian(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

struct ChunkHeader {
    QByteArray id;
    quint32 size = 0;
};

bool readChunkHeader(QFile& file, ChunkHeader& chunk) {
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8)
        return false;
    chunk.id = bytes.left(4);
    chunk.size = littleEndian(bytes, 4, 4);
    return true;
}

// The bytes of one frame (a sample of every channel); 0 for a format that
// cannot be played.
quint32 playableFrameSize(const QByteArray& fmt) {
    if (fmt.size() < 16)
        return 0;
    const quint32 format = littleEndian(fmt, 0, 2), channels = littleEndian(fmt, 2, 2);
    const quint32 rate = littleEndian(fmt, 4, 4), bits = littleEndian(fmt, 14, 2);
    const bool knownFormat = format == kPcm || format == kFloat || format == kExtensible;
    const bool playable =
        knownFormat && channels > 0 && rate > 0 && bits > 0 && bits % 8 == 0 && bits <= 32;
    return playable ? channels * (bits / 8) : 0;
}

} // namespace

// Only a regular file is opened: opening a pipe or a device could block.
bool isPlayableWave(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLargestWave || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return false;
    quint32 frame = 0;
    ChunkHeader chunk;
    for (int i = 0; i < kMostChunks && readChunkHeader(file, chunk); ++i) {
        const qint64 start = file.pos();
        // Less than one frame of sound never finishes loading.
        if (chunk.id == "data")
            return frame > 0 && chunk.size >= frame && chunk.size <= file.size() - start;
        if (chunk.id == "fmt ") {
            frame = playableFrameSize(file.read(std::min<quint32>(chunk.size, 64)));
            if (frame == 0)
                return false;
        }
        if (!file.seek(start + chunk.size + chunk.size % 2))
            return false;
    }
    return false;
}
