// The progress calls of an import go to the progress sink the host program set.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

using corvane::String255;
using namespace halvex;

extern "C" {

void PCBAPI_CALL PcbApi_Percent_Init(const String255* caption, std::int32_t steps) {
    Server::Instance().Progress().Init(caption == nullptr ? std::string() : caption->Str(), steps);
}

void PCBAPI_CALL PcbApi_Percent_Update() {
    Server::Instance().Progress().Update();
}

void PCBAPI_CALL PcbApi_Percent_Finish() {
    Server::Instance().Progress().Finish();
}

} // extern "C"
