#pragma once

#include "core/Db.h"

#include <QString>

namespace verdalo {

// kf.ini: which database this workstation works on. Each setting is a section of its own with the key "值".
struct ConnectionSettings
{
    static inline const QString kNetworkMode = QStringLiteral("网络版");
    static inline const QString kStandaloneMode = QStringLiteral("单机版");

    QString runMode = kStandaloneMode; // as read; an empty value reads as "单机版"
    QString server;                    // host or host:port
    QString user;
    QString password;                  // clear text (the file holds it scrambled)
    QString database;

    // Only the exact text "网络版" selects the database server.
    bool isNetwork() const { return runMode == kNetworkMode; }
    PgSettings pgSettings() const;

    // Reads kf.ini. A missing file reads as "default" everywhere, which is the stand-alone edition. Returns
    // false with a reason only when the file exists but cannot be read.
    static bool read(const QString &path, ConnectionSettings *out, QString *error);
    // Writes the five settings, the password scrambled; the rest of the file and its encoding are kept.
    static bool write(const QString &path, const ConnectionSettings &settings, QString *error);
};

} // namespace verdalo
