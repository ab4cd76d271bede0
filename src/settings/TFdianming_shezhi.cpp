#include "settings/TFdianming_shezhi.h"

#include "printing/ReceiptOrder.h"
#include "printing/TReportDesigner.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace verdalo {
namespace {

const QStringList kStyles { QStringLiteral("样式一"), QStringLiteral("样式二"), QStringLiteral("样式三"),
                            QStringLiteral("样式四"), QStringLiteral("样式五"), QStringLiteral("样式六") };

// Radio buttons with the given captions in a row; their ids are their positions.
QButtonGroup *radios(QWidget *parent, QBoxLayout *layout, const QStringList &captions)
{
    auto *group = new QButtonGroup(parent);
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions[i], parent);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    return group;
}

void check(QButtonGroup *group, int id)
{
    if (QAbstractButton *b = group->button(id < 0 ? 0 : id))
        b->setChecked(true);
}

QString checkedText(QButtonGroup *group)
{
    return group->checkedButton() ? group->checkedButton()->text() : QString();
}

QGroupBox *box(const QString &title, QWidget *parent)
{
    return new QGroupBox(title, parent);
}

bool isWholeNumber(const QString &text, int min, int max)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v >= min && v <= max;
}

} // namespace

TFdianming_shezhi::TFdianming_shezhi(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("系统设置"));
    auto *tabs = new QTabWidget(this);
    tabs->addTab(systemPage(), QStringLiteral("系统设置"));
    tabs->addTab(printPage(), QStringLiteral("打印设置"));
    tabs->addTab(otherPage(), QStringLiteral("其他功能"));

    saveButton = new QPushButton(QStringLiteral("保存"), this);
    quitButton = new QPushButton(QStringLiteral("退出"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(quitButton);

    auto *l = new QVBoxLayout(this);
    l->addWidget(tabs, 1);
    l->addWidget(logoPanel());
    l->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, &TFdianming_shezhi::save);
    connect(quitButton, &QPushButton::clicked, this, &QDialog::reject);
    load();
    resize(760, 720);
}

QWidget *TFdianming_shezhi::systemPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);

    auto *drawer = box(QStringLiteral("收款后开启钱箱"), page);
    auto *dl = new QHBoxLayout(drawer);
    drawerOn = new QCheckBox(QStringLiteral("开启钱箱"), drawer);
    drawerPort = new QLineEdit(QStringLiteral("LPT1"), drawer);
    dl->addWidget(drawerOn);
    dl->addSpacing(20);
    dl->addWidget(new QLabel(QStringLiteral("钱箱端口："), drawer));
    dl->addWidget(drawerPort);
    dl->addStretch();
    l->addWidget(drawer);

    auto *mode = box(QStringLiteral("开单打印模式"), page);
    auto *ml = new QHBoxLayout(mode);
    printMode = radios(mode, ml, { QStringLiteral("不打印"), QStringLiteral("打印预览"), QStringLiteral("直接打印") });
    ml->addStretch();
    l->addWidget(mode);

    auto *extend = box(QStringLiteral("营业时间延长"), page);
    auto *el = new QHBoxLayout(extend);
    extendDay = new QCheckBox(QStringLiteral("营业时间延长到次日"), extend);
    extendHour = new QLineEdit(QStringLiteral("0"), extend);
    extendHour->setMaximumWidth(50);
    auto *mirror = new QLabel(QStringLiteral("0"), extend);
    el->addWidget(extendDay);
    el->addWidget(extendHour);
    el->addWidget(new QLabel(QStringLiteral("点，也就是说，次日"), extend));
    el->addWidget(mirror);
    el->addWidget(new QLabel(QStringLiteral("点之前的订单都算前一日"), extend));
    el->addStretch();
    connect(extendHour, &QLineEdit::textChanged, mirror, &QLabel::setText);
    l->addWidget(extend);

    auto *prec = box(QStringLiteral("计算精度"), page);
    auto *pl = new QHBoxLayout(prec);
    precision = radios(prec, pl, { QStringLiteral("精确到角分"), QStringLiteral("精确到角"), QStringLiteral("四舍五入到元") });
    pl->addStretch();
    l->addWidget(prec);
    l->addStretch();
    return page;
}

QWidget *TFdianming_shezhi::printPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);

    auto *styleRow = new QHBoxLayout;
    styleRow->addWidget(new QLabel(QStringLiteral("打印样式"), page));
    styleBox = new QComboBox(page);
    styleBox->addItems({ QStringLiteral("普通样式"), QStringLiteral("反馈三联单"), QStringLiteral("自定义报表") });
    styleRow->addWidget(styleBox);
    styleRow->addStretch();
    l->addLayout(styleRow);

    auto *receipt = box(QStringLiteral("默认小票和三联单设置"), page);
    auto *rl = new QGridLayout(receipt);
    leftMargin = new QLineEdit(receipt);
    rightMargin = new QLineEdit(receipt);
    topMargin = new QLineEdit(receipt);
    shopName = new QLineEdit(receipt);
    shopPhone = new QLineEdit(receipt);
    courtesy = new QLineEdit(receipt);
    website = new QLineEdit(receipt);
    rl->addWidget(new QLabel(QStringLiteral("左边距"), receipt), 0, 0);
    rl->addWidget(leftMargin, 0, 1);
    rl->addWidget(new QLabel(QStringLiteral("右边距"), receipt), 0, 2);
    rl->addWidget(rightMargin, 0, 3);
    rl->addWidget(new QLabel(QStringLiteral("上边距"), receipt), 0, 4);
    rl->addWidget(topMargin, 0, 5);
    rl->addWidget(new QLabel(QStringLiteral("店名设置"), receipt), 1, 0);
    rl->addWidget(shopName, 1, 1, 1, 5);
    rl->addWidget(new QLabel(QStringLiteral("电话"), receipt), 2, 0);
    rl->addWidget(shopPhone, 2, 1, 1, 5);
    rl->addWidget(new QLabel(QStringLiteral("服务用语"), receipt), 3, 0);
    rl->addWidget(courtesy, 3, 1, 1, 5);
    rl->addWidget(new QLabel(QStringLiteral("网址"), receipt), 4, 0);
    rl->addWidget(website, 4, 1, 1, 5);
    kitchenOn = new QCheckBox(QStringLiteral("保存订单时同时打印给厨房"), receipt);
    kitchenPrinter = new QComboBox(receipt);
    rl->addWidget(kitchenOn, 5, 0, 1, 3);
    rl->addWidget(kitchenPrinter, 5, 3, 1, 3);
    l->addWidget(receipt);

    auto *custom = box(QStringLiteral("自定义报表设置"), page);
    auto *cl = new QVBoxLayout(custom);
    auto *styles = box(QStringLiteral("多种自定义外卖小票选择和欣赏"), custom);
    auto *sl = new QHBoxLayout(styles);
    customStyle = radios(styles, sl, kStyles);
    auto *preview = new QPushButton(QStringLiteral("【预览和自定义默认小票】"), styles);
    sl->addWidget(preview);
    cl->addWidget(styles);
    auto *bc = new QGridLayout;
    ticketB = new QCheckBox(QStringLiteral("B小票"), custom);
    printerB = new QComboBox(custom);
    auto *designB = new QPushButton(QStringLiteral("设计"), custom);
    ticketC = new QCheckBox(QStringLiteral("C小票"), custom);
    printerC = new QComboBox(custom);
    auto *designC = new QPushButton(QStringLiteral("设计"), custom);
    bc->addWidget(ticketB, 0, 0);
    bc->addWidget(printerB, 0, 1);
    bc->addWidget(designB, 0, 2);
    bc->addWidget(ticketC, 1, 0);
    bc->addWidget(printerC, 1, 1);
    bc->addWidget(designC, 1, 2);
    bc->setColumnStretch(1, 1);
    cl->addLayout(bc);
    l->addWidget(custom);

    auto *shop = box(QStringLiteral("店内销售小票"), page);
    auto *shl = new QVBoxLayout(shop);
    auto *dl = new QHBoxLayout;
    dineIn = radios(shop, dl, { QStringLiteral("默认店内小票"), QStringLiteral("自定义店内小票") });
    dl->addStretch();
    shl->addLayout(dl);
    auto *dineStyles = box(QStringLiteral("多种自定义店内小票选择和欣赏"), shop);
    auto *dsl = new QHBoxLayout(dineStyles);
    dineInStyle = radios(dineStyles, dsl, kStyles);
    auto *dinePreview = new QPushButton(QStringLiteral("【预览和自定义默认小票】"), dineStyles);
    dsl->addWidget(dinePreview);
    shl->addWidget(dineStyles);
    l->addWidget(shop);
    l->addStretch();

    connect(preview, &QPushButton::clicked, this, [this] {
        openDesigner(customTemplateFile(checkedText(customStyle)));
    });
    connect(dinePreview, &QPushButton::clicked, this, [this] {
        QString file = customTemplateFile(checkedText(dineInStyle));
        file.replace(QStringLiteral("自定义报表"), QStringLiteral("自定义堂食报表"));
        openDesigner(file);
    });
    connect(designB, &QPushButton::clicked, this, [this] { openDesigner(QStringLiteral("B小票.frf")); });
    connect(designC, &QPushButton::clicked, this, [this] { openDesigner(QStringLiteral("C小票.frf")); });
    for (QLineEdit *e : { leftMargin, rightMargin, topMargin, shopName, shopPhone, courtesy, website })
        connect(e, &QLineEdit::textEdited, this, &TFdianming_shezhi::editingShopRow);
    connect(styleBox, &QComboBox::activated, this, &TFdianming_shezhi::editingShopRow);
    return page;
}

QWidget *TFdianming_shezhi::otherPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);

    auto *comm = box(QStringLiteral("提成设置"), page);
    auto *cl = new QHBoxLayout(comm);
    commission = radios(comm, cl, { QStringLiteral("按送货次数提成"), QStringLiteral("按商品品提成") });
    cl->addSpacing(20);
    cl->addWidget(new QLabel(QStringLiteral("每次"), comm));
    perOrder = new QLineEdit(comm);
    perOrder->setMaximumWidth(80);
    cl->addWidget(perOrder);
    cl->addWidget(new QLabel(QStringLiteral("元"), comm));
    cl->addStretch();
    l->addWidget(comm);

    auto *minutes = box(QStringLiteral("默认送货时间"), page);
    auto *ml = new QHBoxLayout(minutes);
    defaultMinutes = new QLineEdit(minutes);
    defaultMinutes->setMaximumWidth(80);
    ml->addWidget(new QLabel(QStringLiteral("订货的"), minutes));
    ml->addWidget(defaultMinutes);
    ml->addWidget(new QLabel(QStringLiteral("分钟后"), minutes));
    ml->addStretch();
    l->addWidget(minutes);

    auto *neg = box(QStringLiteral("点单时负库存是否提示"), page);
    auto *nl = new QHBoxLayout(neg);
    negativeStock = radios(neg, nl, { QStringLiteral("提示"), QStringLiteral("不提示") });
    nl->addStretch();
    l->addWidget(neg);

    auto *stock = box(QStringLiteral("点单时库存显示及运算"), page);
    auto *stl = new QHBoxLayout(stock);
    stockMode = radios(stock, stl, { QStringLiteral("统一的库存"), QStringLiteral("分店的库存") });
    stl->addStretch();
    l->addWidget(stock);

    auto *days = box(QStringLiteral("未订货客户提醒天数"), page);
    auto *dl = new QHBoxLayout(days);
    reminderDays = new QLineEdit(days);
    reminderDays->setMaximumWidth(80);
    dl->addWidget(reminderDays);
    dl->addWidget(new QLabel(QStringLiteral("天"), days));
    dl->addStretch();
    l->addWidget(days);
    l->addStretch();

    connect(commission, &QButtonGroup::buttonClicked, this, &TFdianming_shezhi::editingShopRow);
    connect(perOrder, &QLineEdit::textEdited, this, &TFdianming_shezhi::editingShopRow);
    return page;
}

QWidget *TFdianming_shezhi::logoPanel()
{
    auto *panel = new QWidget;
    auto *l = new QHBoxLayout(panel);
    l->setContentsMargins(0, 0, 0, 0);
    useLogo = new QCheckBox(QStringLiteral("送餐单使用图片"), panel);
    l->addWidget(useLogo, 0, Qt::AlignTop);
    logoGroup = box(QStringLiteral("送餐单店标设置"), panel);
    auto *gl = new QGridLayout(logoGroup);
    logo = new QLabel(logoGroup);
    logo->setFixedSize(434, 64);
    logo->setAlignment(Qt::AlignCenter);
    logo->setFrameShape(QFrame::StyledPanel);
    gl->addWidget(logo, 0, 0, 2, 1);
    gl->addWidget(new QLabel(QStringLiteral("图片大小：430*60"), logoGroup), 0, 1);
    browse = new QPushButton(QStringLiteral("浏览"), logoGroup);
    gl->addWidget(browse, 1, 1);
    l->addWidget(logoGroup, 1);
    connect(useLogo, &QCheckBox::clicked, this, [this] {
        logoGroup->setVisible(useLogo->isChecked());
        editingShopRow();
    });
    connect(browse, &QPushButton::clicked, this, &TFdianming_shezhi::browseLogo);
    return panel;
}

void TFdianming_shezhi::load()
{
    const Settings &s = m_ctx.session.settings;
    check(customStyle, static_cast<int>(kStyles.indexOf(s.value(QStringLiteral("默认自定义打印报表样式")))));
    check(dineInStyle, static_cast<int>(kStyles.indexOf(s.value(QStringLiteral("默认自定义堂食打印报表样式")))));

    try {
        m_shop = ShopSettings::load(m_ctx.main());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadLogo();
    useLogo->setChecked(m_shop.printLogo);
    logoGroup->setVisible(m_shop.printLogo);
    styleBox->setCurrentIndex(std::max(0, styleBox->findText(m_shop.printStyle)));
    leftMargin->setText(QString::number(m_shop.leftMargin));
    rightMargin->setText(QString::number(m_shop.rightMargin));
    topMargin->setText(QString::number(m_shop.topMargin));
    shopName->setText(m_shop.name);
    shopPhone->setText(m_shop.phone);
    courtesy->setText(m_shop.courtesyLine);
    website->setText(m_shop.website);
    perOrder->setText(m_shop.commissionPerOrder.toString(2));
    check(commission, m_shop.commissionMode == QStringLiteral("次数") ? 0 : 1);
    check(dineIn, m_shop.dineInPrintStyle.isEmpty() || m_shop.dineInPrintStyle == QStringLiteral("普通样式") ? 0 : 1);

    const QStringList modes { QStringLiteral("不打印"), QStringLiteral("打印预览"), QStringLiteral("直接打印") };
    check(printMode, static_cast<int>(modes.indexOf(s.value(QStringLiteral("开单后打印")))));
    drawerOn->setChecked(s.isYes(QStringLiteral("开启钱箱")));
    drawerPort->setText(s.value(QStringLiteral("钱箱端口")));

    const QStringList printers = QPrinterInfo::availablePrinterNames();
    for (QComboBox *c : { kitchenPrinter, printerB, printerC }) {
        c->clear();
        c->addItem(QString());
        c->addItems(printers);
    }
    const QString kitchen = s.value(QStringLiteral("后厨打印机"));
    kitchenOn->setChecked(!kitchen.isEmpty());
    kitchenPrinter->setCurrentText(kitchen);
    ticketB->setChecked(s.isYes(QStringLiteral("B小票是否打印")));
    ticketC->setChecked(s.isYes(QStringLiteral("C小票是否打印")));
    printerB->setCurrentText(s.value(QStringLiteral("B小票打印机")));
    printerC->setCurrentText(s.value(QStringLiteral("C小票打印机")));

    const QString hour = s.value(QStringLiteral("营业延长时间"));
    extendDay->setChecked(hour != QLatin1String("0"));
    extendHour->setText(hour != QLatin1String("0") ? hour : QStringLiteral("0"));
    const QStringList precisions { QStringLiteral("角分"), QStringLiteral("角"), QStringLiteral("元") };
    check(precision, static_cast<int>(precisions.indexOf(s.value(QStringLiteral("计算精度")))));
    defaultMinutes->setText(s.value(QStringLiteral("默认送餐分钟")));
    check(negativeStock, s.isYes(QStringLiteral("负库存开单提示")) ? 0 : 1);
    check(stockMode, s.value(QStringLiteral("库存显示")) == QStringLiteral("统一") ? 0 : 1);
    reminderDays->setText(s.value(QStringLiteral("未订货提醒天数")));

    saveButton->setEnabled(false);
}

void TFdianming_shezhi::loadLogo()
{
    QPixmap pic(m_ctx.paths().file(QStringLiteral("店标.bmp")));
    if (pic.isNull()) {
        logo->setPixmap(QPixmap());
        logo->setText(QStringLiteral("（没有店标图片）"));
    } else {
        logo->setPixmap(pic.scaled(430, 60, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

void TFdianming_shezhi::editingShopRow()
{
    saveButton->setEnabled(true);
}

void TFdianming_shezhi::openDesigner(const QString &file)
{
    if (file.isEmpty())
        return;
    TReportDesigner designer(m_ctx.paths().file(file), this);
    designer.exec();
}

QString TFdianming_shezhi::printStyle() const
{
    return styleBox->currentText();
}

void TFdianming_shezhi::save()
{
    // Everything is checked before anything is written.
    struct NumberField
    {
        QLineEdit *edit;
        int min;
        int max;
        const char *message;
    };
    const NumberField numbers[] = {
        { leftMargin, 0, 1000, "左边距必须是整数！！" },
        { rightMargin, 0, 1000, "右边距必须是整数！！" },
        { topMargin, 0, 1000, "上边距必须是整数！！" },
        { defaultMinutes, 0, 1440, "默认送货时间必须是0到1440之间的整数！！" },
        { reminderDays, 0, 36500, "未订货客户提醒天数必须是整数！！" },
    };
    for (const NumberField &f : numbers) {
        if (!isWholeNumber(f.edit->text(), f.min, f.max)) {
            MessageBox::information(this, QString::fromUtf8(f.message));
            f.edit->setFocus();
            return;
        }
    }
    if (extendDay->isChecked() && !isWholeNumber(extendHour->text(), 0, 23)) {
        MessageBox::information(this, QStringLiteral("营业延长时间必须是0到23之间的整数！！"));
        extendHour->setFocus();
        return;
    }
    Money amount;
    if (!Money::parse(perOrder->text(), &amount)) {
        MessageBox::information(this, QStringLiteral("每次提成金额必须是数字！！"));
        perOrder->setFocus();
        return;
    }

    ShopSettings shop = m_shop;
    shop.printLogo = useLogo->isChecked();
    shop.commissionMode = commission->checkedId() == 0 ? QStringLiteral("次数") : QStringLiteral("菜品");
    shop.dineInPrintStyle = dineIn->checkedId() == 0 ? QStringLiteral("普通样式") : QStringLiteral("自定义报表");
    shop.printStyle = styleBox->currentText();
    shop.name = shopName->text();
    shop.phone = shopPhone->text();
    shop.courtesyLine = courtesy->text();
    shop.website = website->text();
    shop.leftMargin = leftMargin->text().trimmed().toInt();
    shop.rightMargin = rightMargin->text().trimmed().toInt();
    shop.topMargin = topMargin->text().trimmed().toInt();
    shop.commissionPerOrder = amount;

    const QStringList precisions { QStringLiteral("角分"), QStringLiteral("角"), QStringLiteral("元") };
    const QString kitchen = kitchenOn->isChecked() ? kitchenPrinter->currentText() : QString();
    const QList<QPair<QString, QString>> values {
        { QStringLiteral("开单后打印"), checkedText(printMode) },
        { QStringLiteral("开启钱箱"), drawerOn->isChecked() ? QStringLiteral("是") : QStringLiteral("否") },
        { QStringLiteral("钱箱端口"), drawerPort->text().trimmed() },
        { QStringLiteral("默认自定义打印报表样式"), checkedText(customStyle) },
        { QStringLiteral("默认自定义堂食打印报表样式"), checkedText(dineInStyle) },
        { QStringLiteral("后厨打印机"), kitchen },
        { QStringLiteral("B小票是否打印"), ticketB->isChecked() ? QStringLiteral("是") : QStringLiteral("否") },
        { QStringLiteral("C小票是否打印"), ticketC->isChecked() ? QStringLiteral("是") : QStringLiteral("否") },
        { QStringLiteral("B小票打印机"), printerB->currentText() },
        { QStringLiteral("C小票打印机"), printerC->currentText() },
        { QStringLiteral("计算精度"), precisions.value(precision->checkedId(), QStringLiteral("角分")) },
        { QStringLiteral("营业延长时间"), extendDay->isChecked() ? extendHour->text().trimmed() : QStringLiteral("0") },
        { QStringLiteral("默认送餐分钟"), defaultMinutes->text().trimmed() },
        { QStringLiteral("负库存开单提示"), negativeStock->checkedId() == 0 ? QStringLiteral("是") : QStringLiteral("否") },
        { QStringLiteral("库存显示"), stockMode->checkedId() == 0 ? QStringLiteral("统一") : QStringLiteral("分店") },
        { QStringLiteral("未订货提醒天数"), reminderDays->text().trimmed() },
    };

    const QString error = saveSettingsWindow(m_ctx.main(), shop, m_ctx.paths().cyszIni(), values);
    if (!error.isEmpty()) {
        MessageBox::information(this, error);
        return;
    }
    m_shop = shop;
    Settings &s = m_ctx.session.settings;
    s.commissionMode = shop.commissionMode;
    s.commissionPerOrder = shop.commissionPerOrder;
    for (const auto &[key, value] : values)
        s.values.insert(key, value);
    s.rounding = s.value(QStringLiteral("计算精度"));
    if (kitchen.isEmpty())
        kitchenPrinter->setCurrentIndex(0);
    if (printerB->currentText().isEmpty())
        printerB->setCurrentIndex(0);
    if (printerC->currentText().isEmpty())
        printerC->setCurrentIndex(0);
    saveButton->setEnabled(false);
    MessageBox::information(this, QStringLiteral("修改完毕！！"));
}

void TFdianming_shezhi::browseLogo()
{
    const QString source = FileDialog::getOpenFileName(this, QStringLiteral("选择店标图片"), QStringLiteral("*.bmp (*.bmp)"));
    if (source.isEmpty())
        return;
    const QString target = m_ctx.paths().file(QStringLiteral("店标.bmp"));
    // Copy beside the old picture first, then replace it, so a failed copy leaves the old one in place.
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    bool ok = QFile::copy(source, temp);
    if (ok) {
        QFile::remove(target);
        ok = QFile::rename(temp, target);
    }
    QFile::remove(temp);
    if (ok)
        MessageBox::informationWithCaption(this, QStringLiteral("成功"), QStringLiteral("数据文件更新成功！"));
    else
        MessageBox::informationWithCaption(this, QStringLiteral("错误"), QStringLiteral("数据文件更新失败！"));
    loadLogo();
}

} // namespace verdalo
