#pragma once

#include "core/Clock.h"
#include "core/Session.h"
#include "data/DataModule.h"

namespace verdalo {

// What every window of a running program shares: the databases, the data folder, the session and the clock.
// Windows receive it from whoever creates them; nothing reaches it through a global.
struct AppContext
{
    DataModule &data;
    Session session;
    Clock *clock = &Clock::system();

    Db &main() { return data.main(); }
    Db &local() { return data.local(); }
    const AppPaths &paths() const { return data.paths(); }
};

} // namespace verdalo
