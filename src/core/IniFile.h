#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace verdalo {

// The program's INI files (kf.ini, cysz.ini) carry Chinese section and key names that QSettings would
// percent-encode. This reader keeps the file as the shop's tools wrote it: GBK or UTF-8 (kept when the file is
// written back), CRLF or LF line ends, comments and unknown lines untouched.
class IniFile
{
public:
    enum class Encoding { Utf8, Gbk };

    // Text returned for a key that is not there.
    static inline const QString kMissing = QStringLiteral("default");

    IniFile() = default;
    explicit IniFile(QString path);

    // Reads the file. A missing file is not an error: it reads as empty. Returns false (with errorString())
    // when the file exists but cannot be read.
    bool load();
    bool save();

    QString path() const { return m_path; }
    QString errorString() const { return m_error; }
    bool existed() const { return m_existed; }
    Encoding encoding() const { return m_encoding; }
    void setEncoding(Encoding e) { m_encoding = e; }

    // The value of `key` in `section`, or "default" when the section or key is missing. An existing empty value
    // stays empty.
    QString value(const QString &section, const QString &key) const;
    std::optional<QString> find(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Line
    {
        QString text;        // the line as it stands, for anything that is not a key
        QString section;     // section this line belongs to
        QString key;         // empty unless the line is "key=value"
        QString value;
        bool isSection = false;
    };
    void parse(const QString &text);
    QString render() const;
    qsizetype findLine(const QString &section, const QString &key) const;

    QString m_path;
    QString m_error;
    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    bool m_crlf = false;
    bool m_bom = false;
    bool m_existed = false;
};

} // namespace verdalo
