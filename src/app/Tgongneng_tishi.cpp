#include "app/Tgongneng_tishi.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace verdalo {

Tgongneng_tishi::Tgongneng_tishi(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("功能提示"));
    auto *text = new QLabel(QStringLiteral("<h3>欢迎使用来电显示Verdalo</h3>"
                                           "<ul>"
                                           "<li>来电时自动弹出订单窗口，客户资料、地址和上次订单已经填好。</li>"
                                           "<li>在商品列表中输入拼音首字母即可快速找到商品。</li>"
                                           "<li>按 F1 保存订单，按 Esc 关闭订单窗口。</li>"
                                           "<li>在主窗口按空格键打开钱箱。</li>"
                                           "<li>“系统”菜单中的“系统设置”可以设置店名、小票样式和打印方式。</li>"
                                           "</ul>"),
                            this);
    text->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *l = new QVBoxLayout(this);
    l->addWidget(text);
    l->addWidget(buttons);
    resize(460, 260);
}

Tabout::Tabout(const QHash<QString, QString> &settings, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于"));
    QString html = QStringLiteral("<h2>来电显示Verdalo</h2><p>版本 %1</p>").arg(QStringLiteral(VERDALO_VERSION));
    const std::pair<const char *, const char *> contacts[] = {
        { "公司全称", "公司" }, { "电话", "电话" }, { "网站", "网站" }, { "QQ", "QQ" }, { "EMAIL", "邮箱" },
    };
    for (const auto &[key, label] : contacts) {
        const QString v = settings.value(QString::fromUtf8(key));
        if (!v.isEmpty())
            html += QStringLiteral("<p>%1：%2</p>").arg(QString::fromUtf8(label), v.toHtmlEscaped());
    }
    auto *text = new QLabel(html, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *l = new QVBoxLayout(this);
    l->addWidget(text);
    l->addWidget(buttons);
    setAttribute(Qt::WA_DeleteOnClose);
}

} // namespace verdalo
