// Program start to the login window: the data module opens (and on the first run creates) the databases, then
// the login window is built and shown. Runs offscreen. Usage: startup_bench [--data DIR]
#include "app/AppContext.h"
#include "app/Startup.h"
#include "app/Tlogin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace verdalo;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initialiseApplication();
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--data"));
    const AppPaths paths(at > 0 && at + 1 < args.size() ? args[at + 1] : dir.path());
    for (const char *run : { "first start (databases created)", "later start" }) {
        QElapsedTimer t;
        t.start();
        auto dm = openDataModule(paths);
        if (!dm)
            return 1;
        AppContext ctx { *dm, {} };
        Tlogin login(ctx);
        login.show();
        QApplication::processEvents();
        out << run << ": " << t.elapsed() << " ms to the login window" << Qt::endl;
    }
    return 0;
}
