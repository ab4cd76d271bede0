#include "app/Startup.h"

#include <QApplication>
#include <QTextStream>

using namespace verdalo;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initialiseApplication();

    const AppPaths paths(AppPaths::resolveDataDir(QApplication::arguments()));
    auto dataModule = openDataModule(paths);
    if (!dataModule)
        return 1;

    QTextStream(stdout) << QStringLiteral("数据库已打开（%1）：%2。登录窗口尚未完成，程序到此结束。")
                               .arg(dataModule->isNetwork() ? QStringLiteral("网络版") : QStringLiteral("单机版"),
                                    dataModule->isNetwork() ? dataModule->main().description() : paths.dataDir())
                        << Qt::endl;
    return 0;
}
