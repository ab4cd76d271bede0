#include "settings/TFshuaxin_shezhi.h"

#include "settings/WorkstationSettings.h"
#include "widgets/MessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace verdalo {

TFshuaxin_shezhi::TFshuaxin_shezhi(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("刷新设置"));
    SpinEdit1 = new QLineEdit(QStringLiteral("30"), this);
    SpinEdit1->setMaximumWidth(100);
    Button1 = new QPushButton(QStringLiteral("设置"), this);
    Button2 = new QPushButton(QStringLiteral("退出"), this);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("刷新频率"), this));
    row->addWidget(SpinEdit1);
    row->addWidget(new QLabel(QStringLiteral("秒"), this));
    row->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *l = new QVBoxLayout(this);
    l->addLayout(row);
    for (const char *note : { "此处设置将决定总部和网点数据交换的频率", "注意：频率越小，更新速度越快，但对服务",
                              "器的要求也越高。最小值是1秒" }) {
        auto *label = new QLabel(QString::fromUtf8(note), this);
        label->setStyleSheet(QStringLiteral("color:#555;"));
        l->addWidget(label);
    }
    l->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TFshuaxin_shezhi::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    try {
        const int seconds = readRefreshSeconds(m_ctx.local());
        if (seconds >= 1 && seconds <= 3600)
            SpinEdit1->setText(QString::number(seconds));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void TFshuaxin_shezhi::Button1Click()
{
    bool ok = false;
    const int seconds = SpinEdit1->text().trimmed().toInt(&ok);
    if (!ok || seconds < 1 || seconds > 3600) {
        MessageBox::information(this, QStringLiteral("刷新频率必须是1到3600之间的整数！！"));
        SpinEdit1->setFocus();
        return;
    }
    try {
        writeRefreshSeconds(m_ctx.local(), seconds);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    MessageBox::information(this, QStringLiteral("设置完毕！！"));
}

} // namespace verdalo
