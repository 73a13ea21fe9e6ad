#include "data/IB_Connection.h"

#include <algorithm>

#include "data/IB_Query.h"
#include "data/IbClient.h"

namespace ostrel {

namespace {

void AddDpbString(std::string& dpb, char tag, const std::string& value) {
    if (value.empty()) return;
    dpb += tag;
    dpb += static_cast<char>(std::min<size_t>(value.size(), 255));
    dpb.append(value, 0, std::min<size_t>(value.size(), 255));
}

}  // namespace

TIB_Connection::~TIB_Connection() {
    try {
        Disconnect();
    } catch (...) {
        // Nothing can be reported from a destructor; the handles are gone either way.
    }
}

void TIB_Connection::Connect() {
    if (Connected()) return;
    TIbClient& ib = TIbClient::Instance();
    std::string dpb(1, static_cast<char>(isc_dpb_version1));
    AddDpbString(dpb, isc_dpb_user_name, FUsername);
    AddDpbString(dpb, isc_dpb_password, FPassword);
    AddDpbString(dpb, isc_dpb_lc_ctype, FCharSet);
    ISC_STATUS_ARRAY status{};
    ib.isc_attach_database(status, 0, FDatabaseName.c_str(), &FDatabase, static_cast<short>(dpb.size()),
                           dpb.data());
    if (status[0] == 1 && status[1]) {
        FDatabase = 0;
        ib.Check(status);
    }
}

void TIB_Connection::Disconnect() {
    while (!FQueries.empty()) FQueries.back()->Close();
    if (!Connected()) return;
    TIbClient& ib = TIbClient::Instance();
    ISC_STATUS_ARRAY status{};
    if (FTransaction) {
        ib.isc_commit_transaction(status, &FTransaction);
        if (status[0] == 1 && status[1]) ib.isc_rollback_transaction(status, &FTransaction);
        FTransaction = 0;
    }
    ib.isc_detach_database(status, &FDatabase);
    FDatabase = 0;
    ib.Check(status);
}

isc_tr_handle* TIB_Connection::ReadTransaction() {
    if (!FTransaction) {
        if (!Connected()) throw EDatabaseError("The database connection is not open");
        // Read only, snapshot, no waiting on locks.
        static const char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_nowait};
        ISC_STATUS_ARRAY status{};
        TIbClient::Instance().isc_start_transaction(status, &FTransaction, 1, &FDatabase,
                                                    static_cast<unsigned short>(sizeof tpb), tpb);
        TIbClient::Instance().Check(status);
    }
    return &FTransaction;
}

void TIB_Connection::Attach(TIB_Query* query) {
    if (std::find(FQueries.begin(), FQueries.end(), query) == FQueries.end()) FQueries.push_back(query);
}

void TIB_Connection::Detach(TIB_Query* query) {
    FQueries.erase(std::remove(FQueries.begin(), FQueries.end(), query), FQueries.end());
}

}  // namespace ostrel
