#include "data/ReleasePatches.h"

namespace verdalo {

const std::vector<PatchStatement> &releasePatches()
{
    static const std::vector<PatchStatement> patches;
    return patches;
}

} // namespace verdalo
