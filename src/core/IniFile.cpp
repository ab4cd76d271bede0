#include "core/IniFile.h"

#include "core/Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace verdalo {

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

bool IniFile::load()
{
    m_lines.clear();
    m_error.clear();
    m_existed = false;
    QFileInfo info(m_path);
    if (!info.exists())
        return true;
    m_existed = true;
    QFile file(m_path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        m_error = info.isDir() ? QStringLiteral("%1 是一个文件夹").arg(m_path) : file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    m_bom = bytes.startsWith("\xEF\xBB\xBF");
    if (m_bom)
        bytes.remove(0, 3);
    m_crlf = bytes.contains("\r\n");
    QString text;
    if (gbk::isValidUtf8(bytes)) {
        m_encoding = Encoding::Utf8;
        text = QString::fromUtf8(bytes);
    } else {
        m_encoding = Encoding::Gbk;
        text = gbk::decode(bytes);
    }
    parse(text);
    return true;
}

void IniFile::parse(const QString &text)
{
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break; // the newline that ends the last line
        Line line;
        line.text = raw;
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            section = t.mid(1, t.size() - 2).trimmed();
            line.isSection = true;
        } else if (!t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#'))) {
            const qsizetype eq = raw.indexOf(QLatin1Char('='));
            if (eq > 0 && !raw.left(eq).trimmed().isEmpty()) {
                line.key = raw.left(eq).trimmed();
                // Blanks after "=" are layout; blanks at the end belong to the value ("网络版 " is not "网络版").
                QString value = raw.mid(eq + 1);
                qsizetype lead = 0;
                while (lead < value.size() && (value[lead] == QLatin1Char(' ') || value[lead] == QLatin1Char('\t')))
                    ++lead;
                line.value = value.mid(lead);
            }
        }
        line.section = section;
        m_lines.push_back(std::move(line));
    }
}

qsizetype IniFile::findLine(const QString &section, const QString &key) const
{
    for (qsizetype i = 0; i < static_cast<qsizetype>(m_lines.size()); ++i) {
        const Line &l = m_lines[static_cast<size_t>(i)];
        if (!l.isSection && !l.key.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) == 0
            && l.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::find(const QString &section, const QString &key) const
{
    const qsizetype i = findLine(section, key);
    if (i < 0)
        return std::nullopt;
    return m_lines[static_cast<size_t>(i)].value;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    return find(section, key).value_or(kMissing);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const qsizetype i = findLine(section, key);
    if (i >= 0) {
        Line &l = m_lines[static_cast<size_t>(i)];
        l.value = value;
        l.text = key + QLatin1Char('=') + value;
        return;
    }
    // Append the key at the end of its section, or start the section at the end of the file.
    qsizetype insertAt = -1;
    for (qsizetype j = 0; j < static_cast<qsizetype>(m_lines.size()); ++j) {
        const Line &l = m_lines[static_cast<size_t>(j)];
        if (l.section.compare(section, Qt::CaseInsensitive) == 0 && (l.isSection || !l.text.trimmed().isEmpty()))
            insertAt = j + 1;
    }
    Line line;
    line.section = section;
    line.key = key;
    line.value = value;
    line.text = key + QLatin1Char('=') + value;
    if (insertAt < 0) {
        Line head;
        head.isSection = true;
        head.section = section;
        head.text = QLatin1Char('[') + section + QLatin1Char(']');
        m_lines.push_back(std::move(head));
        m_lines.push_back(std::move(line));
    } else {
        m_lines.insert(m_lines.begin() + insertAt, std::move(line));
    }
}

QString IniFile::render() const
{
    const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString out;
    for (const Line &l : m_lines)
        out += l.text + eol;
    return out;
}

bool IniFile::save()
{
    const QString text = render();
    QByteArray bytes = m_encoding == Encoding::Gbk ? gbk::encode(text) : text.toUtf8();
    if (m_bom && m_encoding == Encoding::Utf8)
        bytes.prepend("\xEF\xBB\xBF");
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_existed = true;
    return true;
}

} // namespace verdalo
