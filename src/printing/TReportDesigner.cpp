#include "printing/TReportDesigner.h"

#include "core/Gbk.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptTemplate.h"
#include "widgets/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QVBoxLayout>

namespace verdalo {
namespace {

ReceiptOrder sample()
{
    ReceiptOrder o;
    o.shop.title = QStringLiteral("本店");
    o.orderNumber = QStringLiteral("202612110001");
    o.orderDate = QStringLiteral("2026-12-11");
    o.orderTime = QStringLiteral("11:58:00");
    o.operatorName = QStringLiteral("admin");
    o.worker = QStringLiteral("张三");
    o.deliveryTime = QStringLiteral("2026-12-11 12:30:00");
    o.name = QStringLiteral("王先生");
    o.phone = QStringLiteral("13800138000");
    o.area = QStringLiteral("城东");
    o.store = QStringLiteral("东门店");
    o.address = QStringLiteral("人民路1号3单元");
    o.total = QStringLiteral("36.50");
    o.payment = QStringLiteral("现金");
    o.deliveryNote = QStringLiteral("放门口");
    o.lines = { { QStringLiteral("西红柿炒蛋"), QStringLiteral("少辣"), 1, Money::fromUnits(180000), Money::fromUnits(180000) },
                { QStringLiteral("米饭"), {}, 2, Money::fromUnits(20000), Money::fromUnits(40000) },
                { QStringLiteral("可乐2升"), {}, 1, Money::fromUnits(145000), Money::fromUnits(145000) } };
    return o;
}

} // namespace

TReportDesigner::TReportDesigner(QString path, QWidget *parent)
    : QDialog(parent)
    , m_path(std::move(path))
{
    setWindowTitle(QStringLiteral("报表设计：") + QFileInfo(m_path).fileName());
    editor = new QPlainTextEdit(this);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    preview = new QLabel(this);
    preview->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(preview);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(300);
    problems = new QLabel(this);
    problems->setStyleSheet(QStringLiteral("color:#b00;"));
    saveButton = new QPushButton(QStringLiteral("保存"), this);
    auto *close = new QPushButton(QStringLiteral("退出"), this);
    auto *row = new QHBoxLayout;
    row->addWidget(editor, 3);
    row->addWidget(scroll, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(problems, 1);
    buttons->addWidget(saveButton);
    buttons->addWidget(close);
    auto *l = new QVBoxLayout(this);
    l->addLayout(row, 1);
    l->addLayout(buttons);
    resize(1000, 700);

    QFile f(m_path);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.readAll();
        editor->setPlainText(gbk::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : gbk::decode(bytes));
    } else {
        editor->setPlainText(defaultTemplateText(QFileInfo(m_path).fileName()));
    }
    connect(editor, &QPlainTextEdit::textChanged, this, &TReportDesigner::refresh);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save())
            MessageBox::information(this, QStringLiteral("保存完毕"));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void TReportDesigner::refresh()
{
    QStringList errors;
    const ReceiptTemplate t = ReceiptTemplate::parse(editor->toPlainText(), &errors);
    problems->setText(errors.isEmpty() ? QString() : QStringLiteral("无法识别：") + errors.join(QStringLiteral("；")));
    const int lineBand = t.band(QStringLiteral("line")) ? t.band(QStringLiteral("line"))->height : 0;
    const int height = std::max(t.height, 40) + lineBand * 2;
    const double scale = 1.6;
    QImage image(static_cast<int>(std::max(1, t.width) * scale), static_cast<int>(height * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    ReceiptRenderer::paintTemplate(p, QRectF(0, 0, image.width(), image.height()), t, sample(), false);
    p.end();
    preview->setPixmap(QPixmap::fromImage(image));
}

bool TReportDesigner::save()
{
    QSaveFile f(m_path);
    const QByteArray bytes = editor->toPlainText().toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        MessageBox::information(this, QStringLiteral("保存失败！！"), f.errorString());
        return false;
    }
    return true;
}

} // namespace verdalo
