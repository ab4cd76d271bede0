#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace verdalo {

// The shop's own receipt templates: a small text format, one instruction a line, in layout units (58 mm = 182).
//
//   page 182 300              width and height of the designed page
//   band title 120            a band and its height: title (once), line (once per order line), summary (once)
//   text 0 0 182 20 bold size=14 align=center [公司名称]
//   line 0 20 182 20          a ruled line
//   box 0 24 182 60           a ruled rectangle
//   # a comment
//
// Texts may hold variables in brackets ([订单号码], and in the line band [产品名称] [口味] [数量] [单价] [应付货款]).
struct TemplateItem
{
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    int x = 0, y = 0, w = 0, h = 0;
    bool bold = false;
    int size = 9;
    int align = 0; // 0 left, 1 centre, 2 right
    QString text;
};

struct TemplateBand
{
    QString name; // title, line, summary
    int height = 0;
    std::vector<TemplateItem> items;
};

struct ReceiptTemplate
{
    int width = 182;
    int height = 300;
    std::vector<TemplateBand> bands;

    // Parses the text; lines it does not understand are reported in `errors` (line numbers from 1) and skipped.
    static ReceiptTemplate parse(const QString &text, QStringList *errors = nullptr);
    static bool load(const QString &path, ReceiptTemplate *out);
    const TemplateBand *band(const QString &name) const;
    // Variables named in the template, each once.
    QStringList variables() const;
};

// Replaces every [name] in `text` with `resolve(name)`.
QString fillVariables(const QString &text, const std::function<QString(const QString &)> &resolve);

} // namespace verdalo
