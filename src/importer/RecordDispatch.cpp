#include "importer/RecordReaders.h"
#include "serverclient/AbortCheck.h"
#include "serverclient/PcbApi.h"

namespace corvane {

void StepAndPollAbort(ImportState& state) {
    PcbApi_Percent_Update();
    CheckForAbort(state.AbortRequested);
}

} // namespace corvane
