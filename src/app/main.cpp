#include "app/AppContext.h"
#include "app/Startup.h"
#include "app/Tlogin.h"

#include <QApplication>

using namespace verdalo;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initialiseApplication();

    const AppPaths paths(AppPaths::resolveDataDir(QApplication::arguments()));
    auto dataModule = openDataModule(paths);
    if (!dataModule)
        return 1;

    AppContext ctx { *dataModule, {} };
    Tlogin login(ctx);
    login.show();
    return app.exec();
}
