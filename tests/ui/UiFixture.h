#pragma once

#include "app/AppContext.h"
#include "data/DataModule.h"
#include "widgets/Desktop.h"
#include "widgets/MessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace verdalo::test {

// A fresh data folder with its databases, as a first start leaves it, and the context the windows share.
// The shop name in cysz.ini is set so that logins do not stop at the function tips.
struct UiFixture
{
    QTemporaryDir dir;
    std::unique_ptr<DataModule> data;
    std::unique_ptr<AppContext> ctx;

    UiFixture()
    {
        QFile ini(dir.filePath(QStringLiteral("cysz.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QStringLiteral("[公司简称]\n类型=鲜到家\n").toUtf8());
        ini.close();
        data = std::make_unique<DataModule>(AppPaths(dir.path()));
        data->start();
        ctx = std::make_unique<AppContext>(AppContext { *data, {} });
        MessageBox::setTestMode(true);
        Desktop::setRecordOnly(true);
    }
    ~UiFixture() { MessageBox::setTestMode(false); }

    Db &main() { return data->main(); }
    Db &local() { return data->local(); }
};

// Saves a picture of the window when VERDALO_SHOTS names a folder.
inline void shot(QWidget *w, const QString &name)
{
    const QString folder = qEnvironmentVariable("VERDALO_SHOTS");
    if (folder.isEmpty())
        return;
    w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace verdalo::test
