// Speed of packing skin packages: a typical skin and one 50 MB file, packed by ZipPackFiles,
// by Info-ZIP's `zip -8 -X` on the same files, and deflated by zlib alone at level 8 (the bound
// for any packer that compresses at that level). Unpacking the typical skin is measured too.
// BigStrip: the in-memory archive the package builder uses, with 1 or 2 workers, on the strip of a
// 24-megapixel photo (6000 x 522, deflated whole) and on one of 20 MB (deflated in blocks), beside
// zlib level 8 of the same bytes; deflated_bytes gives the sizes.
// Piece: finding where a 1 MiB piece's DEFLATE stream (libdeflate level 6) ends, by the block walk
// and by zlib inflating it block by block, on the photo's strip, a grainier one and noise; and
// deflating a piece into a buffer of the compressor's bound, then shrunk, or into a scratch
// buffer kept by the thread, then copied.
#include "zip/DeflateWalk.h"
#include "zip/Zip.h"
#include "zip/ZipArchive.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <map>
#include <vector>
#include <zlib.h>

namespace {

// A 24-bit BMP strip of 700 x 61 pixels that looks like a photo: smooth shading with sensor noise.
QByteArray Strip(quint32 seed)
{
    QRandomGenerator random(seed);
    const int width = 700, height = 61; // rows of 2100 bytes need no padding
    QByteArray bmp("BM");
    bmp.append(52, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(6));
            bmp.append(char((x / 3 + y + noise) & 0xFF));
            bmp.append(char((x / 5 + 2 * y + noise) & 0xFF));
            bmp.append(char((128 + x / 7 - y + noise) & 0xFF));
        }
    }
    return bmp;
}

QByteArray Noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

struct Fixture {
    QTemporaryDir dir;
    QStringList skin;
    QStringList large;
    QByteArray skinBytes; // the skin's files one after another
    QByteArray largeBytes;

    Fixture()
    {
        const QList<QPair<QString, QByteArray>> files = {
            {"top_left.bmp", Strip(1)},
            {"top_mid.bmp", Strip(2)},
            {"top_right.bmp", Strip(3)},
            {"small.png", Noise(9000, 4)},
            {"clock.swf", QByteArray("CWS") + Noise(12000, 5)},
            {"weather.swf", QByteArray("CWS") + Noise(20000, 6)},
            {"conf.ini",
             "[CONF]\r\nname=bench\r\ncolor=8421504\r\ntextcolor=0\r\n[KEY]\r\nflash0=clock.swf\r\n"},
        };
        for (const auto& [name, bytes] : files) {
            Write(name, bytes);
            skin << dir.filePath(name);
            skinBytes += bytes;
        }
        // 50 MB: photo-like strips and incompressible stretches, as large media files mix them.
        QByteArray big;
        for (quint32 i = 0; big.size() < 50 * 1024 * 1024; ++i)
            big += (i % 4 == 3) ? Noise(128 * 1024, 100 + i) : Strip(200 + i);
        big.truncate(50 * 1024 * 1024);
        Write("large.bin", big);
        large << dir.filePath("large.bin");
        largeBytes = big;
    }

    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

Fixture& Files()
{
    static Fixture fixture;
    return fixture;
}

void PackFiles(benchmark::State& state, const QStringList& files, qsizetype bytes)
{
    const QString archive = Files().dir.filePath("out.vsf");
    for (auto _ : state) {
        if (!ZipPackFiles(files, archive))
            state.SkipWithError("ZipPackFiles failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["archive_bytes"] = double(QFile(archive).size());
}

void InfoZip(benchmark::State& state, const QStringList& files, qsizetype bytes)
{
    const QString archive = Files().dir.filePath("infozip.zip");
    for (auto _ : state) {
        QFile::remove(archive);
        QProcess zip;
        zip.start("zip", QStringList({"-q", "-j", "-8", "-X", archive}) + files);
        if (!zip.waitForFinished(600000) || zip.exitCode() != 0)
            state.SkipWithError("zip failed (is Info-ZIP installed?)");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["archive_bytes"] = double(QFile(archive).size());
}

// zlib alone at level 8, raw stream, CRC-32 included, in memory: what the packer cannot beat.
void RawZlib(benchmark::State& state, const QByteArray& input)
{
    QByteArray output(16384, '\0');
    z_stream s{};
    deflateInit2(&s, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    uint64_t total = 0;
    for (auto _ : state) {
        deflateReset(&s);
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(input.constData()), uInt(input.size()));
        benchmark::DoNotOptimize(crc);
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.constData()));
        s.avail_in = uInt(input.size());
        int rc = Z_OK;
        total = 0;
        do {
            s.next_out = reinterpret_cast<Bytef*>(output.data());
            s.avail_out = uInt(output.size());
            rc = deflate(&s, Z_FINISH);
            total += uint64_t(output.size()) - s.avail_out;
        } while (rc == Z_OK);
    }
    deflateEnd(&s);
    state.SetBytesProcessed(int64_t(state.iterations()) * input.size());
    state.counters["deflated_bytes"] = double(total);
}

// A photo's strip of `rows` rows of 6000 pixels: smooth shading with sensor noise.
const QByteArray& BigStrip(int rows)
{
    static std::map<int, QByteArray> strips;
    QByteArray& strip = strips[rows];
    if (strip.isEmpty()) {
        QRandomGenerator random(9);
        strip = QByteArray("BM") + QByteArray(52, '\0');
        strip.reserve(54 + qsizetype(rows) * 18000);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < 6000; ++x) {
                const int noise = int(random.bounded(6));
                strip.append(char((x / 30 + y / 4 + noise) & 0xFF));
                strip.append(char((x / 50 + y / 2 + noise) & 0xFF));
                strip.append(char((128 + x / 70 - y / 3 + noise) & 0xFF));
            }
        }
    }
    return strip;
}

int StripRows(const benchmark::State& state)
{
    return state.range(0) == 0 ? 522 : 1200;
}

// range(0): 0 the photo's strip, 1 a 20 MB one; range(1): workers.
void BM_BigStrip_ZipArchive(benchmark::State& state)
{
    const QByteArray& strip = BigStrip(StripRows(state));
    qsizetype size = 0;
    for (auto _ : state) {
        ZipArchive archive(int(state.range(1)));
        archive.Add(QStringLiteral("TopPanelBKMid.bmp"), strip, QDateTime::currentDateTimeUtc());
        QByteArray bytes;
        if (archive.Finish(&bytes) != ZIP_OK)
            state.SkipWithError("Finish failed");
        size = bytes.size();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * strip.size());
    state.counters["deflated_bytes"] = double(size);
}
void BM_BigStrip_RawZlib8(benchmark::State& state)
{
    RawZlib(state, BigStrip(StripRows(state)));
}

void BM_PackSkin_ZipPackFiles(benchmark::State& state)
{
    PackFiles(state, Files().skin, Files().skinBytes.size());
}
void BM_PackSkin_InfoZip8(benchmark::State& state)
{
    InfoZip(state, Files().skin, Files().skinBytes.size());
}
void BM_PackSkin_RawZlib8(benchmark::State& state)
{
    // The members are deflated separately, as in the archive.
    QByteArray output(16384, '\0');
    for (auto _ : state) {
        for (const QString& path : Files().skin) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            z_stream s{};
            deflateInit2(&s, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
            benchmark::DoNotOptimize(
                crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
            s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
            s.avail_in = uInt(bytes.size());
            int rc = Z_OK;
            do {
                s.next_out = reinterpret_cast<Bytef*>(output.data());
                s.avail_out = uInt(output.size());
                rc = deflate(&s, Z_FINISH);
            } while (rc == Z_OK);
            deflateEnd(&s);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * Files().skinBytes.size());
}
void BM_Pack50MB_ZipPackFiles(benchmark::State& state)
{
    PackFiles(state, Files().large, Files().largeBytes.size());
}
void BM_Pack50MB_InfoZip8(benchmark::State& state)
{
    InfoZip(state, Files().large, Files().largeBytes.size());
}
void BM_Pack50MB_RawZlib8(benchmark::State& state)
{
    RawZlib(state, Files().largeBytes);
}
void BM_UnpackSkin_UnzipAll(benchmark::State& state)
{
    const QString archive = Files().dir.filePath("unpack.vsf");
    ZipPackFiles(Files().skin, archive);
    const QString out = Files().dir.filePath("unpacked");
    for (auto _ : state) {
        QStringList names;
        if (!UnzipAll(archive, out, &names, true))
            state.SkipWithError("UnzipAll failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * Files().skinBytes.size());
}

// A 1 MiB piece: range 0 the photo's strip, 1 a grainier photo, 2 noise.
const QByteArray& Piece(int kind)
{
    static std::map<int, QByteArray> pieces;
    QByteArray& piece = pieces[kind];
    if (piece.isEmpty()) {
        if (kind == 0) {
            piece = BigStrip(522).left(1 << 20);
        } else if (kind == 1) {
            QRandomGenerator random(10);
            piece.resize(1 << 20);
            for (qsizetype i = 0; i < piece.size(); ++i)
                piece[i] = char((i / 3 % 6000) / 30 + (i % 3) * 50 + random.bounded(24));
        } else {
            piece = Noise(1 << 20, 11);
        }
    }
    return piece;
}

QByteArray Deflated(const QByteArray& content)
{
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
    QByteArray out(qsizetype(libdeflate_deflate_compress_bound(compressor, size_t(content.size()))), '\0');
    out.resize(qsizetype(libdeflate_deflate_compress(compressor, content.constData(), size_t(content.size()),
                                                     out.data(), size_t(out.size()))));
    libdeflate_free_compressor(compressor);
    return out;
}

void BM_Piece_Walk(benchmark::State& state)
{
    const QByteArray& piece = Piece(int(state.range(0)));
    const QByteArray stream = Deflated(piece);
    for (auto _ : state) {
        qint64 last = 0, end = 0;
        if (!MeasureDeflateStream(stream, piece.size(), &last, &end))
            state.SkipWithError("walk failed");
        benchmark::DoNotOptimize(end);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * piece.size());
    state.counters["deflated_bytes"] = double(stream.size());
}

// What the walk replaced: zlib inflating a block at a time into a 64 KiB sink.
void BM_Piece_ZlibInflate(benchmark::State& state)
{
    const QByteArray& piece = Piece(int(state.range(0)));
    const QByteArray stream = Deflated(piece);
    std::vector<Bytef> sink(64 * 1024);
    for (auto _ : state) {
        z_stream inflater{};
        inflateInit2(&inflater, -15);
        inflater.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.constData()));
        inflater.avail_in = uInt(stream.size());
        int rc = Z_OK;
        while (rc == Z_OK) {
            inflater.next_out = sink.data();
            inflater.avail_out = uInt(sink.size());
            rc = inflate(&inflater, Z_BLOCK);
            if (rc == Z_OK && (inflater.data_type & 192) == 192)
                break;
        }
        if (qsizetype(inflater.total_out) != piece.size())
            state.SkipWithError("inflate failed");
        inflateEnd(&inflater);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * piece.size());
}

// libdeflate's own full decompression of the same stream, for scale.
void BM_Piece_LibdeflateInflate(benchmark::State& state)
{
    const QByteArray& piece = Piece(int(state.range(0)));
    const QByteArray stream = Deflated(piece);
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    QByteArray out(piece.size(), '\0');
    for (auto _ : state) {
        if (libdeflate_deflate_decompress(decompressor, stream.constData(), size_t(stream.size()), out.data(),
                                          size_t(out.size()), nullptr) != LIBDEFLATE_SUCCESS)
            state.SkipWithError("decompress failed");
    }
    libdeflate_free_decompressor(decompressor);
    state.SetBytesProcessed(int64_t(state.iterations()) * piece.size());
}

// range(1): 0 a new buffer of the bound per piece, shrunk; 1 a thread's scratch buffer, copied.
void BM_Piece_Deflate(benchmark::State& state)
{
    const QByteArray& piece = Piece(int(state.range(0)));
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
    const size_t bound = libdeflate_deflate_compress_bound(compressor, size_t(piece.size()));
    std::vector<char> scratch(bound);
    for (auto _ : state) {
        QByteArray out;
        if (state.range(1) == 0) {
            out.resize(qsizetype(bound));
            out.resize(qsizetype(libdeflate_deflate_compress(
                compressor, piece.constData(), size_t(piece.size()), out.data(), size_t(out.size()))));
        } else {
            const size_t written = libdeflate_deflate_compress(
                compressor, piece.constData(), size_t(piece.size()), scratch.data(), scratch.size());
            out = QByteArray(scratch.data(), qsizetype(written));
        }
        benchmark::DoNotOptimize(out.data());
    }
    libdeflate_free_compressor(compressor);
    state.SetBytesProcessed(int64_t(state.iterations()) * piece.size());
}

} // namespace

BENCHMARK(BM_PackSkin_ZipPackFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackSkin_InfoZip8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackSkin_RawZlib8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pack50MB_ZipPackFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Pack50MB_InfoZip8)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Pack50MB_RawZlib8)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_UnpackSkin_UnzipAll)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BigStrip_ZipArchive)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_BigStrip_RawZlib8)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(BM_Piece_Walk)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Piece_ZlibInflate)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Piece_LibdeflateInflate)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Piece_Deflate)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
