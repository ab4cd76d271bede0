#include "app/Startup.h"

#include "printing/ReceiptPrinter.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QLocale>
#include <QTextStream>

namespace verdalo {

void initialiseApplication()
{
    QApplication::setApplicationName(QStringLiteral("verdalo"));
    // The program writes every date itself as yyyy-mm-dd and every time as hh:mm:ss; the locale only affects
    // what Qt shows by default, which should match.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

std::unique_ptr<DataModule> openDataModule(const AppPaths &paths, QWidget *parent)
{
    auto dm = std::make_unique<DataModule>(paths);
    const StartupReport report = dm->start();
    if (!report.ok()) {
        MessageBox::information(parent, report.message, report.detail);
        if (report.outcome == StartupReport::Outcome::MainFailed && dm->isNetwork()) {
            // The database settings tool of this program writes kf.ini for the network edition.
            QTextStream(stderr) << QStringLiteral("请用 verdalo-dbsetup --data \"%1\" config 设置数据库服务器。")
                                       .arg(paths.dataDir())
                                << Qt::endl;
        }
        return nullptr;
    }
    for (const QString &notice : report.notices)
        MessageBox::information(parent, notice);
    installDefaultTemplates(paths);
    return dm;
}

} // namespace verdalo
