#pragma once

#include "core/Clock.h"
#include "core/Session.h"
#include "data/DataModule.h"

namespace verdalo {

class PrintTarget;

// What every window of a running program shares: the databases, the data folder, the session and the clock.
// Windows receive it from whoever creates them; nothing reaches it through a global.
struct AppContext
{
    DataModule &data;
    Session session;
    Clock *clock = &Clock::system();
    // Where receipts go; null: the installed printers (tests put a recorder here).
    PrintTarget *printTarget = nullptr;

    Db &main() { return data.main(); }
    Db &local() { return data.local(); }
    const AppPaths &paths() const { return data.paths(); }
};

} // namespace verdalo
