// Build tool: writes the program's icon, drawn by the program itself, as the files that installers
// need: tarvik-N.png for the desktop's icon theme and Tarvik.ico for the Windows executable.
//
//   tarvik_icons OUTDIR
#include "ui/ProgramIcon.h"

#include <cstdint>
#include <cstdio>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <vector>

namespace {

constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The sizes Explorer and the task bar pick from; 256 is stored as PNG, the rest as bitmaps, which
// every icon reader takes.
constexpr int kIcoSizes[] = {16, 24, 32, 48, 64, 256};

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 32-bit device-independent bitmap as an icon holds it: the header with twice the height
// (colour rows, then the mask), rows bottom-up in BGRA, and an all-clear mask since alpha rules.
QByteArray dibBytes(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskRow = ((w + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>(w * h * 4 + maskRow * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            put32(out, row[x]); // 0xAARRGGBB is B, G, R, A in memory order
        }
    }
    out.append(QByteArray(maskRow * h, '\0'));
    return out;
}

QByteArray icoBytes() {
    std::vector<QByteArray> images;
    for (int size : kIcoSizes) {
        const QImage image = tarvik::ProgramIcon::image(size);
        images.push_back(size >= 256 ? pngBytes(image) : dibBytes(image));
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = kIcoSizes[i];
        out.append(static_cast<char>(size >= 256 ? 0 : size)); // 0 stands for 256
        out.append(static_cast<char>(size >= 256 ? 0 : size));
        out.append('\0'); // no palette
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
        return 1;
    }
    bool ok = true;
    for (int size : kPngSizes) {
        const QString name = QStringLiteral("tarvik-%1.png").arg(size);
        ok = writeFile(out.filePath(name), pngBytes(tarvik::ProgramIcon::image(size))) && ok;
    }
    ok = writeFile(out.filePath(QStringLiteral("Tarvik.ico")), icoBytes()) && ok;
    if (!ok) {
        std::fprintf(stderr, "%s: could not write the icons into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
