#include "importer/RecordReaders.h"
#include "pcbserver/AbortCheck.h"
#include "pcbserver/PcbApi.h"

namespace corvane {

void StepAndPollAbort(ImportState& state) {
    PcbApi_Percent_Update();
    CheckForAbort(state.AbortRequested);
}

} // namespace corvane
