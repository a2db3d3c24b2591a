#ifndef HALVEX_CLIENT_H
#define HALVEX_CLIENT_H
/*
 * The substitute host client: the two entries a host executable offers its plug-ins,
 * ClientAPI_ExistSpecific and ClientAPI_GetClientInterface (src/contract/HostClient.h), and the
 * hooks tests use to steer it. A host executable links the client library with
 * halvex_link_host_client(target) (host/client/CMakeLists.txt), which makes the executable export
 * the two entries under their plain names, where plug-ins look them up.
 *
 * The client interface hands out an options manager, whose options readers read ini files:
 * "[Section]" lines and "key=value" lines, sections and keys compared without regard to ASCII case,
 * blanks around names and values ignored, CR LF or LF line ends, ';' and '#' comment lines. A file,
 * section or key that is missing, or a value that is not a whole decimal number in the 32-bit
 * range, reads as the default value with status 0.
 */

#include <stdint.h>

#if defined(_WIN32)
#define HALVEX_CLIENT_CALL __stdcall
#define HALVEX_CLIENT_EXPORT __declspec(dllexport)
#else
#define HALVEX_CLIENT_CALL
#define HALVEX_CLIENT_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
namespace corvane {
struct IHostClient;
}
extern "C" {
typedef corvane::IHostClient HalvexHostClient;
#else
typedef struct HalvexHostClient HalvexHostClient;
#endif

/* 1 when a regular file of that name exists, else 0 (also for a null name). */
HALVEX_CLIENT_EXPORT uint8_t HALVEX_CLIENT_CALL ClientAPI_ExistSpecific(const char* fileName);

/* Fills *client with a new client interface (release it with its Release). Null is ignored. */
HALVEX_CLIENT_EXPORT void HALVEX_CLIENT_CALL
ClientAPI_GetClientInterface(HalvexHostClient** client);

/* ---- Test hooks ----------------------------------------------------------------------------- */

/* The calls whose status a test can force. */
#define HALVEX_CLIENT_GET_OPTIONS_MANAGER 1 /* IHostClient::GetOptionsManager */
#define HALVEX_CLIENT_GET_OPTIONS_READER 2  /* IHostOptionsManager::GetOptionsReader */
#define HALVEX_CLIENT_READ_INTEGER 3        /* IHostOptionsReader::ReadInteger */

/*
 * The next call of that kind returns status (use a negative one for an error) and does nothing
 * else: no interface is handed out (the out-reference is set to null) and no value is written.
 */
void HalvexClient_FailNextStatus(int32_t call, int32_t status);

/* Forgets forced statuses and the last reader request. */
void HalvexClient_ResetTestHooks(void);

/* Interfaces (clients, managers, readers) handed out and not yet released. */
int32_t HalvexClient_LiveInterfaces(void);

/*
 * The options name and file name of the last GetOptionsReader call, copied zero-terminated and cut
 * to the sizes given (either buffer may be null); 1 when there was such a call, else 0.
 */
int32_t HalvexClient_LastReaderRequest(char* optionsName, int32_t optionsNameSize, char* fileName,
                                       int32_t fileNameSize);

#ifdef __cplusplus
}
#endif

#endif /* HALVEX_CLIENT_H */
