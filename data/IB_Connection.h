// A connection to an InterBase-family database (a file path, or host:path on a server) with
// the read-only snapshot transaction its queries run in.
#pragma once

#include <ibase.h>

#include <string>
#include <vector>

#include "engine/Classes.h"

namespace ostrel {

class TIB_Query;

class TIB_Connection : public TComponent {
public:
    using TComponent::TComponent;
    ~TIB_Connection() override;

    const std::string& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const std::string& value) { FDatabaseName = value; }
    const std::string& Username() const { return FUsername; }
    void SetUsername(const std::string& value) { FUsername = value; }
    const std::string& Password() const { return FPassword; }
    void SetPassword(const std::string& value) { FPassword = value; }
    // The character set the text of the connection travels in; UTF8 matches the code page.
    const std::string& CharSet() const { return FCharSet; }
    void SetCharSet(const std::string& value) { FCharSet = value; }

    // Fails with the client library's message (missing file, refused login, ...).
    void Connect();
    // Closes the open queries, ends the transaction and detaches.
    void Disconnect();
    bool Connected() const { return FDatabase != 0; }

    isc_db_handle* DatabaseHandle() { return &FDatabase; }
    // The read transaction, started on first use: every query of the connection sees the same
    // snapshot, so re-running a query gives the same rows in the same order.
    isc_tr_handle* ReadTransaction();

private:
    friend class TIB_Query;
    void Attach(TIB_Query* query);
    void Detach(TIB_Query* query);

    std::string FDatabaseName, FUsername, FPassword, FCharSet = "UTF8";
    isc_db_handle FDatabase = 0;
    isc_tr_handle FTransaction = 0;
    std::vector<TIB_Query*> FQueries;
};

}  // namespace ostrel
