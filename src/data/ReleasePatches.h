#pragma once

#include <QString>

#include <vector>

namespace verdalo {

// A schema statement of a release, as the patch database carries it: the version that introduces it, the back
// end it is written for ("sql" for the database server, "access" for the stand-alone file) and the statement.
struct PatchStatement
{
    int version;
    QString backend;
    QString sql;
};

// The statements this build writes into a new patch database. A database created by this build is already at
// the base version, so the list starts empty; later releases append here.
const std::vector<PatchStatement> &releasePatches();

} // namespace verdalo
