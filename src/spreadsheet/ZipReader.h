#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace verdalo {

// Reads the members of a zip archive (an .xlsx workbook is one). Stored and deflated members; sizes are checked
// so a damaged or hostile file cannot make the program allocate without bound.
class ZipReader
{
public:
    explicit ZipReader(QString path);
    // Reads the central directory; false when the file is not a zip archive.
    bool open();
    bool contains(const QString &name) const { return m_entries.contains(name); }
    // The member's content; empty when it is missing or damaged.
    QByteArray read(const QString &name) const;

private:
    struct Entry
    {
        quint16 method = 0;
        quint32 compressedSize = 0;
        quint32 size = 0;
        quint32 localOffset = 0;
    };
    QString m_path;
    QByteArray m_data;
    QHash<QString, Entry> m_entries;
};

} // namespace verdalo
