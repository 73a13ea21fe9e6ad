#include "data/IbClient.h"

#include <dlfcn.h>

#include <mutex>

namespace ostrel {

namespace {

// The usual names of the client library, newest first.
constexpr const char* kLibraryNames[] = {"libfbclient.so.2", "libfbclient.so", "libgds.so.0", "libgds.so"};

}  // namespace

TIbClient& TIbClient::Instance() {
    static TIbClient client;
    return client;
}

TIbClient::TIbClient() {
    std::string tried, lastError;
    for (const char* name : kLibraryNames) {
        FHandle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (FHandle) break;
        tried += tried.empty() ? name : std::string(", ") + name;
        const char* err = dlerror();
        lastError = err ? err : "";
    }
    if (!FHandle)
        throw EDatabaseError("Unable to load the InterBase client library (tried " + tried + "): " + lastError);
#define OSTREL_IB_RESOLVE(name)                                                                    \
    name = reinterpret_cast<decltype(name)>(dlsym(FHandle, #name));                             \
    if (!name) throw EDatabaseError("The InterBase client library lacks the function " #name);
    OSTREL_IB_FUNCTIONS(OSTREL_IB_RESOLVE)
#undef OSTREL_IB_RESOLVE
    FShutdown = reinterpret_cast<decltype(FShutdown)>(dlsym(FHandle, "fb_shutdown"));
}

// An embedded engine runs threads of its own; stopping them at exit, before the library's
// own teardown, closes what is still attached in order and leaves the process with the
// one thread it started with (a leak checker stopping a thread that is tearing itself
// down crashes).
TIbClient::~TIbClient() {
    if (FShutdown) FShutdown(0, fb_shutrsn_app_stopped);
}

std::string TIbClient::Messages(const ISC_STATUS* status) const {
    std::string out;
    char buf[1024];
    const ISC_STATUS* p = status;
    while (fb_interpret(buf, sizeof buf, &p) > 0) {
        if (!out.empty()) out += "\n";
        out += buf;
    }
    return out.empty() ? "Unknown database error" : out;
}

void TIbClient::Check(const ISC_STATUS* status) const {
    if (status[0] == 1 && status[1] != 0) throw EDatabaseError(Messages(status));
}

}  // namespace ostrel
