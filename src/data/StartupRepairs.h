#pragma once

#include "core/Db.h"

namespace verdalo {

// Repairs run once per login on the main database: column types that older databases got wrong, and null
// values that the windows cannot handle. Every repair is safe to run again. A repair that fails throws DbError
// with the database's text; the ones before it stay done.
void RunStartupRepairs(Db &main);

} // namespace verdalo
