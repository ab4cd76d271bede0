#include "spreadsheet/ZipReader.h"

#include <QFile>

#include <zlib.h>

namespace verdalo {
namespace {

constexpr qint64 kMaxArchive = 512LL * 1024 * 1024;
constexpr quint32 kMaxMember = 256U * 1024 * 1024;

quint16 u16(const QByteArray &d, qsizetype at)
{
    if (at < 0 || at + 2 > d.size())
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(d.constData() + at);
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

quint32 u32(const QByteArray &d, qsizetype at)
{
    if (at < 0 || at + 4 > d.size())
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(d.constData() + at);
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) | (static_cast<quint32>(p[2]) << 16)
        | (static_cast<quint32>(p[3]) << 24);
}

} // namespace

ZipReader::ZipReader(QString path)
    : m_path(std::move(path))
{
}

bool ZipReader::open()
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxArchive)
        return false;
    m_data = f.readAll();
    // The end-of-central-directory record sits in the last 64 KiB + 22 bytes.
    qsizetype eocd = -1;
    for (qsizetype i = m_data.size() - 22; i >= 0 && i >= m_data.size() - 22 - 65535; --i) {
        if (u32(m_data, i) == 0x06054b50) {
            eocd = i;
            break;
        }
    }
    if (eocd < 0)
        return false;
    const quint16 count = u16(m_data, eocd + 10);
    qsizetype at = u32(m_data, eocd + 16);
    for (quint16 n = 0; n < count; ++n) {
        if (u32(m_data, at) != 0x02014b50)
            return false;
        Entry e;
        e.method = u16(m_data, at + 10);
        e.compressedSize = u32(m_data, at + 20);
        e.size = u32(m_data, at + 24);
        const quint16 nameLen = u16(m_data, at + 28);
        const quint16 extraLen = u16(m_data, at + 30);
        const quint16 commentLen = u16(m_data, at + 32);
        e.localOffset = u32(m_data, at + 42);
        if (at + 46 + nameLen > m_data.size())
            return false;
        m_entries.insert(QString::fromUtf8(m_data.constData() + at + 46, nameLen), e);
        at += 46 + nameLen + extraLen + commentLen;
    }
    return true;
}

QByteArray ZipReader::read(const QString &name) const
{
    const auto it = m_entries.constFind(name);
    if (it == m_entries.constEnd())
        return {};
    const Entry &e = *it;
    if (u32(m_data, e.localOffset) != 0x04034b50 || e.size > kMaxMember)
        return {};
    const qsizetype start = e.localOffset + 30 + u16(m_data, e.localOffset + 26) + u16(m_data, e.localOffset + 28);
    if (start < 0 || start + static_cast<qsizetype>(e.compressedSize) > m_data.size())
        return {};
    if (e.method == 0)
        return m_data.mid(start, e.compressedSize);
    if (e.method != 8)
        return {};
    QByteArray out(static_cast<qsizetype>(e.size), Qt::Uninitialized);
    z_stream z {};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return {};
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(m_data.constData() + start));
    z.avail_in = e.compressedSize;
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = e.size;
    const int rc = inflate(&z, Z_FINISH);
    const uLong produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END || produced != e.size)
        return {};
    return out;
}

} // namespace verdalo
