#include "printing/ReceiptTemplate.h"

#include "core/Gbk.h"

#include <QFile>
#include <QRegularExpression>

namespace verdalo {

ReceiptTemplate ReceiptTemplate::parse(const QString &text, QStringList *errors)
{
    ReceiptTemplate t;
    TemplateBand *current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString op = words.first();
        bool ok = true;
        auto num = [&](qsizetype i) {
            bool good = false;
            const int v = words.value(i).toInt(&good);
            ok = ok && good;
            return v;
        };
        if (op == QLatin1String("page")) {
            t.width = num(1);
            t.height = num(2);
        } else if (op == QLatin1String("band")) {
            t.bands.push_back({ words.value(1), num(2), {} });
            current = &t.bands.back();
        } else if ((op == QLatin1String("text") || op == QLatin1String("line") || op == QLatin1String("box")) && current) {
            TemplateItem item;
            item.kind = op == QLatin1String("text") ? TemplateItem::Kind::Text
                : op == QLatin1String("line")       ? TemplateItem::Kind::Line
                                                    : TemplateItem::Kind::Box;
            item.x = num(1);
            item.y = num(2);
            item.w = num(3);
            item.h = num(4);
            qsizetype i = 5;
            if (item.kind == TemplateItem::Kind::Text) {
                for (; i < words.size(); ++i) {
                    const QString &wd = words[i];
                    if (wd == QLatin1String("bold"))
                        item.bold = true;
                    else if (wd.startsWith(QLatin1String("size=")))
                        item.size = wd.mid(5).toInt();
                    else if (wd == QLatin1String("align=center"))
                        item.align = 1;
                    else if (wd == QLatin1String("align=right"))
                        item.align = 2;
                    else
                        break;
                }
                // The rest of the line, blanks included, is the text.
                qsizetype pos = 0;
                for (qsizetype k = 0; k < i; ++k)
                    pos = line.indexOf(words[k], pos) + words[k].size();
                item.text = line.mid(pos).trimmed();
            }
            if (ok)
                current->items.push_back(item);
        } else {
            ok = false;
        }
        if (!ok && errors)
            errors->append(QStringLiteral("第%1行：%2").arg(n + 1).arg(line));
    }
    return t;
}

bool ReceiptTemplate::load(const QString &path, ReceiptTemplate *out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    *out = parse(gbk::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : gbk::decode(bytes));
    return true;
}

const TemplateBand *ReceiptTemplate::band(const QString &name) const
{
    for (const TemplateBand &b : bands) {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

QStringList ReceiptTemplate::variables() const
{
    static const QRegularExpression var(QStringLiteral("\\[([^\\]]+)\\]"));
    QStringList out;
    for (const TemplateBand &b : bands) {
        for (const TemplateItem &i : b.items) {
            for (auto it = var.globalMatch(i.text); it.hasNext();) {
                const QString name = it.next().captured(1);
                if (!out.contains(name))
                    out.append(name);
            }
        }
    }
    return out;
}

QString fillVariables(const QString &text, const std::function<QString(const QString &)> &resolve)
{
    static const QRegularExpression var(QStringLiteral("\\[([^\\]]+)\\]"));
    QString out;
    qsizetype last = 0;
    for (auto it = var.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        out += resolve(m.captured(1));
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

} // namespace verdalo
