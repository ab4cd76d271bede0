#pragma once

#include "core/Db.h"

#include <QString>

namespace verdalo {

struct UpgradeResult
{
    bool ok = true;       // false: the patch or version table could not be read; `error` says why
    QString error;
    QString fromVersion;  // dots removed
    QString toVersion;
    int ran = 0;          // statements that succeeded
    int failed = 0;       // statements that failed and were skipped
    bool versionWritten = false;
};

// Brings the main database up to the newest version the patch database has for this back end. Statements run
// in the order the patch table returns them; one that fails is skipped, and the version row is written even so,
// so that a statement which cannot run is not tried at every start.
UpgradeResult upgradeSchema(Db &main, Db &patch);

} // namespace verdalo
