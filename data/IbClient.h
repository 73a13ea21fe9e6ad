// The InterBase-family client library, loaded at run time. Only this file and the query
// layer see ibase.h; callers get exceptions carrying the library's own message texts.
#pragma once

#include <ibase.h>

#include <string>

#include "platform/Errors.h"

namespace ostrel {

// An error reported by the database server or engine.
class EDatabaseError : public EOstrelError {
public:
    using EOstrelError::EOstrelError;
};

#define OSTREL_IB_FUNCTIONS(X) \
    X(isc_attach_database)     \
    X(isc_detach_database)     \
    X(isc_start_transaction)   \
    X(isc_commit_transaction)  \
    X(isc_rollback_transaction) \
    X(isc_dsql_allocate_statement) \
    X(isc_dsql_prepare)        \
    X(isc_dsql_describe)       \
    X(isc_dsql_execute)        \
    X(isc_dsql_fetch)          \
    X(isc_dsql_free_statement) \
    X(isc_open_blob2)          \
    X(isc_get_segment)         \
    X(isc_close_blob)          \
    X(fb_interpret)

class TIbClient {
public:
    // The library of the process, loaded on first use; fails with a message naming every
    // library file that was tried.
    static TIbClient& Instance();

#define OSTREL_IB_POINTER(name) decltype(&::name) name = nullptr;
    OSTREL_IB_FUNCTIONS(OSTREL_IB_POINTER)
#undef OSTREL_IB_POINTER

    // Throws EDatabaseError with the library's messages when the status vector holds an error.
    void Check(const ISC_STATUS* status) const;
    std::string Messages(const ISC_STATUS* status) const;

private:
    TIbClient();
    ~TIbClient();
    void* FHandle = nullptr;
    // Optional: older client libraries have no orderly shutdown.
    decltype(&::fb_shutdown) FShutdown = nullptr;
};

}  // namespace ostrel
