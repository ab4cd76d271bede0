#pragma once

#include "core/Db.h"
#include "core/Money.h"
#include "core/Session.h"

#include <QList>
#include <QPair>
#include <QString>

namespace verdalo {

// The product's own name and contact details: the built-in values of cysz.ini's vendor keys.
namespace vendor {
inline const QString kShortName = QStringLiteral("Verdalo");
inline const QString kFullName = QStringLiteral("Verdalo软件");
inline const QString kPhone = QString();
inline const QString kWebsite = QString();
inline const QString kQq = QString();
inline const QString kEmail = QString();
} // namespace vendor

// cysz.ini: every setting is a section of its own with the key "类型". A missing key reads "default" and takes the
// built-in default; an existing empty value stays empty.
namespace cysz {

struct Key
{
    QString section;
    QString builtIn;
};

const QList<Key> &keys();
// Loads every key into `settings.values` (defaults applied). A file that does not exist reads as all defaults.
// False with the reason when it exists but cannot be read (the values are then the defaults).
bool load(const QString &path, Settings &settings, QString *error);
// Writes the given keys in one go, keeping the rest of the file and its encoding. Nothing is written when it
// fails.
bool write(const QString &path, const QList<QPair<QString, QString>> &values, QString *error);

} // namespace cysz

// The one row of 店名: what receipts print, the receipt styles and the commission mode.
struct ShopSettings
{
    QString name;
    QString phone;
    QString website;
    QString courtesyLine;
    QString printStyle;
    QString dineInPrintStyle;
    bool printLogo = false;
    int leftMargin = 0;
    int rightMargin = 0;
    int topMargin = 0;
    QString commissionMode;
    Money commissionPerOrder;

    static ShopSettings load(Db &main);
    // Writes the row (creating it if a database lacks it); one transaction.
    void save(Db &main) const;
};

// The order board's refresh period in this workstation's database; 0 switches it off.
int readRefreshSeconds(Db &local);
void writeRefreshSeconds(Db &local, int seconds);

// Saves the settings window: the 店名 row and the cysz.ini keys it edits. The row is committed only when the file
// was written, so a failure leaves both as they were. Returns the error to show, empty on success.
QString saveSettingsWindow(Db &main, const ShopSettings &shop, const QString &cyszPath,
                           const QList<QPair<QString, QString>> &values);

// What the login loads into the session: the 店名 row and cysz.ini.
void loadSettings(Db &main, const QString &cyszPath, Settings &settings, QString *iniError);

} // namespace verdalo
