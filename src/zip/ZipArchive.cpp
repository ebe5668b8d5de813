#include "ZipArchive.h"

#include "MemberDeflate.h"
#include "ZipNames.h"
#include "ZipReader.h"
#include "ZipTime.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads that run posted tasks in the order posted; started with the first task.
class DeflateWorkers {
public:
    explicit DeflateWorkers(int count) : m_count(std::max(1, count)) {}
    ~DeflateWorkers()
    {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.clear();
            m_stop = true;
        }
        m_wake.notify_all();
    }

    void Post(std::function<void()> task)
    {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
            if (m_threads.size() < size_t(m_count) && m_threads.size() < m_tasks.size() + size_t(m_running))
                m_threads.emplace_back([this] { Run(); });
        }
        m_wake.notify_one();
    }

    // Returns when every task posted so far has run.
    void Wait()
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_tasks.empty() && m_running == 0; });
    }

private:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_tasks.empty(); });
            if (m_stop)
                return;
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            ++m_running;
            lock.unlock();
            task();
            lock.lock();
            --m_running;
            if (m_tasks.empty() && m_running == 0)
                m_idle.notify_all();
        }
    }

    const int m_count;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_tasks;
    int m_running = 0;
    bool m_stop = false;
    std::vector<std::jthread> m_threads; // last: joined before the rest goes
};

// A member being compressed: each worker task fills its own piece.
struct ZipArchive::Member {
    QByteArray content;
    PackedMember packed;
    std::vector<QByteArray> pieces;
    std::atomic<bool> failed{false};
    // For a member written in place: the bytes of each piece and of the whole written so far.
    bool inPlace = false;
    std::vector<qsizetype> pieceWritten;
    qsizetype written = 0;
};

namespace {

constexpr uint64_t kMaxArchiveBytes = 0xFFFFFFFFULL;

int DefaultWorkers()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

} // namespace

ZipArchive::ZipArchive(int workers)
    : m_workers(std::make_unique<DeflateWorkers>(workers > 0 ? workers : DefaultWorkers()))
{
}

ZipArchive::~ZipArchive()
{
    // The workers go first: their tasks hold members, never the archive.
    m_workers.reset();
}

std::unique_ptr<ZipArchive> ZipArchive::Open(const QString& path, uint32_t* why)
{
    return FromReader(ZipReader::Open(path, why));
}

std::unique_ptr<ZipArchive> ZipArchive::Open(const QByteArray& bytes, uint32_t* why)
{
    return FromReader(ZipReader::Open(bytes, why));
}

std::unique_ptr<ZipArchive> ZipArchive::FromReader(std::unique_ptr<ZipReader> reader)
{
    if (!reader)
        return nullptr;
    auto archive = std::make_unique<ZipArchive>(1);
    archive->m_workers.reset();
    for (int index = 0; index < reader->Count(); ++index) {
        ZipItem item;
        if (reader->GetItem(index, &item) != ZIP_OK)
            break;
        archive->m_entries.append(item);
    }
    archive->m_reader = std::move(reader);
    archive->m_finished = true;
    return archive;
}

uint32_t ZipArchive::Add(const QString& name, QByteArray bytes, const QDateTime& time)
{
    std::shared_ptr<Member> member;
    if (const uint32_t result = Append(name, std::move(bytes), time, &member); result != ZIP_OK)
        return result;
    PostCrc(member);
    for (int piece = 0; piece < int(member->pieces.size()); ++piece)
        PostPiece(member, piece);
    return ZIP_OK;
}

uint32_t ZipArchive::AddInPlace(const QString& name, QByteArray bytes, const QDateTime& time, char** data)
{
    std::shared_ptr<Member> member;
    if (const uint32_t result = Append(name, std::move(bytes), time, &member); result != ZIP_OK)
        return result;
    member->inPlace = true;
    member->pieceWritten.assign(member->pieces.size(), 0);
    m_inPlace = member;
    *data = member->content.data(); // detached here, before any worker reads it
    if (member->content.isEmpty()) { // nothing to wait for
        PostCrc(member);
        for (int piece = 0; piece < int(member->pieces.size()); ++piece)
            PostPiece(member, piece);
    }
    return ZIP_OK;
}

void ZipArchive::Written(qsizetype begin, qsizetype end)
{
    const std::shared_ptr<Member>& member = m_inPlace;
    if (!member)
        return;
    const qsizetype size = member->content.size();
    begin = std::clamp<qsizetype>(begin, 0, size);
    end = std::clamp<qsizetype>(end, begin, size);
    member->written += end - begin;
    // Each piece goes to the workers as soon as all its bytes are written.
    const qsizetype pieceBytes = member->pieces.size() > 1 ? kSplitBlockBytes : std::max<qsizetype>(size, 1);
    for (qsizetype piece = begin / pieceBytes;
         piece < qsizetype(member->pieces.size()) && piece * pieceBytes < end; ++piece) {
        const qsizetype from = piece * pieceBytes;
        const qsizetype to = std::min(size, from + pieceBytes);
        qsizetype& written = member->pieceWritten[size_t(piece)];
        written += std::min(end, to) - std::max(begin, from);
        if (written == to - from)
            PostPiece(member, int(piece));
    }
    if (member->written == size)
        PostCrc(member);
}

uint32_t ZipArchive::Append(const QString& name, QByteArray bytes, const QDateTime& time,
                            std::shared_ptr<Member>* added)
{
    if (m_finished || !m_workers)
        return ZIP_ENDED;
    auto member = std::make_shared<Member>();
    PackedMember& packed = member->packed;
    if (!EncodeEntryName(name, &packed.name) || m_members.size() >= 0xFFFF)
        return ZIP_ARGS;
    m_totalBytes += uint64_t(bytes.size());
    if (m_totalBytes > kMaxArchiveBytes)
        return ZIP_LIMIT;
    const uint64_t fileTime = FileTimeFromMSecs(time.toMSecsSinceEpoch());
    packed.times = {fileTime, fileTime, fileTime};
    packed.uncompressedSize = uint32_t(bytes.size());
    packed.method = IsStoredName(packed.name) ? 0 : 8;
    packed.levelFlags = DeflateLevelFlags();
    member->content = std::move(bytes);
    if (packed.method == 8)
        member->pieces.resize(size_t(DeflatePieceCount(member->content.size())));

    ZipItem item;
    item.index = int32_t(m_entries.size());
    item.name = DecodeEntryName(packed.name, false);
    item.attributes = ZIP_ATTR_ARCHIVE;
    item.accessTime = item.creationTime = item.modifyTime = fileTime;
    item.uncompressedSize = int32_t(packed.uncompressedSize);
    m_entries.append(item);
    m_members.push_back(member);
    *added = std::move(member);
    return ZIP_OK;
}

void ZipArchive::PostCrc(const std::shared_ptr<Member>& member)
{
    m_workers->Post([member] { member->packed.crc = MemberCrc(member->content); });
}

void ZipArchive::PostPiece(const std::shared_ptr<Member>& member, int piece)
{
    m_workers->Post([member, piece] {
        if (!DeflatePiece(member->content, piece, &member->pieces[size_t(piece)]))
            member->failed = true;
    });
}

uint32_t ZipArchive::Read(int index, QByteArray* out)
{
    if (index < 0 || index >= m_entries.size() || !out)
        return ZIP_ARGS;
    if (!m_reader) {
        *out = m_members[size_t(index)]->content;
        return ZIP_OK;
    }
    out->clear();
    QBuffer target(out);
    target.open(QIODevice::WriteOnly);
    const uint32_t result = m_reader->ItemToDevice(index, target);
    if (result != ZIP_OK)
        out->clear();
    return result;
}

std::optional<QByteArray> ZipArchive::Read(const QString& name)
{
    for (const ZipItem& item : m_entries) {
        if (item.name == name && !(item.attributes & ZIP_ATTR_DIRECTORY)) {
            QByteArray bytes;
            if (Read(item.index, &bytes) != ZIP_OK)
                return std::nullopt;
            return bytes;
        }
    }
    return std::nullopt;
}

uint32_t ZipArchive::WriteTo(QIODevice& device)
{
    if (m_finished || !m_workers)
        return ZIP_ENDED;
    m_finished = true;
    m_workers->Wait();
    // The compressed pieces go out one after another, never joined in memory.
    const std::unique_ptr<ZipWriter> writer = ZipWriter::CreateOn(device);
    uint32_t result = ZIP_OK;
    for (const std::shared_ptr<Member>& member : m_members) {
        if (member->failed) {
            result = ZIP_FLATE;
            break;
        }
        if (member->inPlace && member->written != member->content.size()) {
            result = ZIP_ARGS; // a member to be written in place was not written whole
            break;
        }
        const PackedMember& packed = member->packed;
        result = packed.method == 8 ? writer->AddPacked(packed, member->pieces)
                                    : writer->AddPacked(packed, {member->content});
        member->pieces.clear();
        if (result != ZIP_OK)
            break;
    }
    if (const uint32_t closed = writer->Close(); result == ZIP_OK)
        result = closed;
    return result;
}

uint32_t ZipArchive::Finish(QByteArray* out)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const uint32_t result = WriteTo(buffer);
    if (result == ZIP_OK)
        *out = std::move(bytes);
    return result;
}

uint32_t ZipArchive::Save(const QString& path)
{
    if (m_finished || !m_workers)
        return ZIP_ENDED;
    // Unwritten, the temporary file goes with the object.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_finished = true;
        return ZIP_NOFILE;
    }
    if (const uint32_t result = WriteTo(file); result != ZIP_OK)
        return result == ZIP_SEEK || result == ZIP_FAILED ? ZIP_WRITE : result;
    return file.commit() ? ZIP_OK : ZIP_WRITE;
}
