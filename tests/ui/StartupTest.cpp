#include "app/Startup.h"
#include "widgets/MessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace verdalo;

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setTestMode(true); }
    void cleanup() { MessageBox::setTestMode(false); }

    void firstStartOpensTheDatabasesSilently()
    {
        QTemporaryDir dir;
        auto dm = openDataModule(AppPaths(dir.path()));
        QVERIFY(dm);
        QVERIFY(MessageBox::shownTexts().isEmpty());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("data.db"))));
    }

    void corruptMainDatabaseShowsTheConnectionMessageAndEnds()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("data.db")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'q'));
        f.close();
        auto dm = openDataModule(AppPaths(dir.path()));
        QVERIFY(!dm);
        QCOMPARE(MessageBox::shownTexts(), QStringList { QStringLiteral("连接失败！！") });
    }

    void missingPatchDatabaseIsShownAndStartGoesOn()
    {
        QTemporaryDir dir;
        QVERIFY(openDataModule(AppPaths(dir.path())));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("buding.db"))));
        auto dm = openDataModule(AppPaths(dir.path()));
        QVERIFY(dm);
        QCOMPARE(MessageBox::shownTexts().size(), 1);
        QVERIFY(MessageBox::shownTexts().first().contains(QStringLiteral("buding.db")));
    }

    void confirmationCaptionFollowsTheShopName()
    {
        MessageBox::setCompanyShortName(QStringLiteral("鲜到家"));
        QCOMPARE(MessageBox::confirmationCaption(), QStringLiteral("鲜到家Nuvarix"));
        MessageBox::setNextAnswer(false);
        QVERIFY(!MessageBox::confirm(nullptr, QStringLiteral("确实要删除吗？")));
        QVERIFY(MessageBox::confirm(nullptr, QStringLiteral("确实要删除吗？")));
        MessageBox::setCompanyShortName(QString());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
