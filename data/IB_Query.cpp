#include "data/IB_Query.h"

#include <cstring>

#include "data/IbClient.h"
#include "platform/DateTimeFormat.h"
#include "platform/FormatSettings.h"
#include "platform/NumberFormat.h"

namespace ostrel {

namespace {

// Days from 17 November 1858, the database's day zero, to 30 December 1899.
constexpr int kDateOffset = 15018;
constexpr int kCurrencyScale = -4;

int BytesPerChar(int charset) {
    switch (charset) {
        case 3: return 3;                                // UNICODE_FSS
        case 4: return 4;                                // UTF8
        case 69: return 4;                               // GB18030
        case 5: case 6: case 44: case 56: case 57: case 67: case 68: return 2;  // Asian double-byte sets
        default: return 1;
    }
}

std::string Hex(const char* data, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        auto b = static_cast<unsigned char>(data[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// An exact decimal text of value / 10^-scale with the locale's separator.
std::string ScaledText(int64_t value, int scale) {
    const bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    const size_t decimals = static_cast<size_t>(-scale);
    if (digits.size() <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
    if (decimals) digits.insert(digits.size() - decimals, 1, FormatSettings().DecimalSeparator);
    return negative ? "-" + digits : digits;
}

TDateTime DateOf(ISC_DATE d) { return static_cast<double>(d - kDateOffset); }
TDateTime TimeOf(ISC_TIME t) { return static_cast<double>(t / 10) / 86400000.0; }
int MSecOf(ISC_TIME t) { return static_cast<int>(t / 10 % 1000); }

// The time in the long time form, with its milliseconds after the seconds when it has any, so
// that no fraction is lost in the text.
std::string TimeText(ISC_TIME t) {
    std::string pattern = FormatSettings().LongTimeFormat;
    if (const int ms = MSecOf(t)) {
        const std::string fraction = std::string("\"") + FormatSettings().DecimalSeparator + "\"zzz";
        size_t at = pattern.find("ss");
        if (at == std::string::npos) at = pattern.find("SS");
        if (at == std::string::npos) pattern += fraction;
        else pattern.insert(at + 2, fraction);
    }
    return FormatDateTime(pattern, TimeOf(t));
}

size_t Align8(size_t n) { return (n + 7) & ~size_t{7}; }

}  // namespace

// ---- TIB_QueryColumn

TIB_QueryColumn::TIB_QueryColumn(TIB_Query& query, int index) : FQuery(query), FIndex(index) {
    const XSQLVAR& v = Var();
    FFieldName.assign(v.aliasname, static_cast<size_t>(v.aliasname_length));
    if (FFieldName.empty()) FFieldName.assign(v.sqlname, static_cast<size_t>(v.sqlname_length));
    FDisplayLabel = FFieldName;
}

const XSQLVAR& TIB_QueryColumn::Var() const {
    return reinterpret_cast<const XSQLDA*>(FQuery.FSqlda.data())->sqlvar[FIndex];
}

int TIB_QueryColumn::SqlType() const { return Var().sqltype & ~1; }
int TIB_QueryColumn::Scale() const { return Var().sqlscale; }

bool TIB_QueryColumn::IsNull() const {
    const XSQLVAR& v = Var();
    return !FQuery.FActive || FQuery.FEof || ((v.sqltype & 1) && *v.sqlind == -1);
}

bool TIB_QueryColumn::IsScaledInteger() const {
    const int t = SqlType();
    return t == SQL_SHORT || t == SQL_LONG || t == SQL_INT64;
}

bool TIB_QueryColumn::IsText() const { return SqlType() == SQL_TEXT || SqlType() == SQL_VARYING; }
bool TIB_QueryColumn::IsBlob() const { return SqlType() == SQL_BLOB || SqlType() == SQL_ARRAY; }
bool TIB_QueryColumn::IsNumeric() const {
    const int t = SqlType();
    return (IsScaledInteger() && Scale() != kCurrencyScale) || t == SQL_FLOAT || t == SQL_DOUBLE ||
           t == SQL_D_FLOAT;
}
bool TIB_QueryColumn::IsBoolean() const { return SqlType() == SQL_BOOLEAN; }
bool TIB_QueryColumn::IsCurrency() const { return IsScaledInteger() && Scale() == kCurrencyScale; }
bool TIB_QueryColumn::IsDateOnly() const { return SqlType() == SQL_TYPE_DATE; }
bool TIB_QueryColumn::IsTimeOnly() const { return SqlType() == SQL_TYPE_TIME; }
bool TIB_QueryColumn::IsDateTime() const { return SqlType() == SQL_TIMESTAMP; }

int TIB_QueryColumn::DataSize() const {
    const XSQLVAR& v = Var();
    if (IsText()) return v.sqllen / BytesPerChar(v.sqlsubtype & 0xFF);
    return v.sqllen;
}

int64_t TIB_QueryColumn::RawInteger() const {
    const XSQLVAR& v = Var();
    switch (SqlType()) {
        case SQL_SHORT: return *reinterpret_cast<const short*>(v.sqldata);
        case SQL_LONG: return *reinterpret_cast<const ISC_LONG*>(v.sqldata);
        default: return *reinterpret_cast<const ISC_INT64*>(v.sqldata);
    }
}

int64_t TIB_QueryColumn::AsInteger() const {
    // By the column's type, so that a NULL in the current row does not make a float an integer.
    if (IsScaledInteger() && Scale() == 0) return IsNull() ? 0 : RawInteger();
    throw EConvertError("'" + AsString() + "' is not a valid integer value");
}

bool TIB_QueryColumn::GetDecimal(TDecimal& value) const {
    if (IsNull()) return false;
    const XSQLVAR& v = Var();
    switch (SqlType()) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            value = TDecimal::FromInt64(RawInteger());
            value.Exponent += v.sqlscale;  // exact: the scale moves the point
            return true;
        case SQL_FLOAT:
            value = TDecimal::FromDouble(*reinterpret_cast<const float*>(v.sqldata)).RoundedToSignificant(7);
            return true;
        case SQL_DOUBLE:
        case SQL_D_FLOAT: value = TDecimal::FromDouble(*reinterpret_cast<const double*>(v.sqldata)); return true;
        default: return false;
    }
}

bool TIB_QueryColumn::GetDateTime(TDateTime& value) const {
    if (IsNull()) return false;
    const XSQLVAR& v = Var();
    switch (SqlType()) {
        case SQL_TYPE_DATE: value = DateOf(*reinterpret_cast<const ISC_DATE*>(v.sqldata)); return true;
        case SQL_TYPE_TIME: value = TimeOf(*reinterpret_cast<const ISC_TIME*>(v.sqldata)); return true;
        case SQL_TIMESTAMP: {
            const auto* ts = reinterpret_cast<const ISC_TIMESTAMP*>(v.sqldata);
            value = ComposeDateTime(DateOf(ts->timestamp_date), TimeOf(ts->timestamp_time));
            return true;
        }
        default: return false;
    }
}

bool TIB_QueryColumn::GetText(std::string_view& text) const {
    if (IsNull()) return false;
    const XSQLVAR& v = Var();
    if ((v.sqlsubtype & 0xFF) == 1) return false;  // OCTETS and DB_KEY read as hex
    switch (SqlType()) {
        case SQL_TEXT: {
            text = std::string_view(v.sqldata, static_cast<size_t>(v.sqllen));
            const size_t end = text.find_last_not_of(' ');  // CHAR padding
            text = text.substr(0, end == std::string_view::npos ? 0 : end + 1);
            return true;
        }
        case SQL_VARYING:
            text = std::string_view(v.sqldata + 2, *reinterpret_cast<const unsigned short*>(v.sqldata));
            return true;
        default: return false;
    }
}

std::string TIB_QueryColumn::AsString() const {
    if (IsNull()) return {};
    const XSQLVAR& v = Var();
    switch (SqlType()) {
        case SQL_TEXT: {
            std::string text(v.sqldata, static_cast<size_t>(v.sqllen));
            if ((v.sqlsubtype & 0xFF) == 1) return Hex(text.data(), text.size());  // OCTETS, DB_KEY
            text.erase(text.find_last_not_of(' ') + 1);  // CHAR padding
            return text;
        }
        case SQL_VARYING: {
            const auto len = *reinterpret_cast<const unsigned short*>(v.sqldata);
            if ((v.sqlsubtype & 0xFF) == 1) return Hex(v.sqldata + 2, len);
            return std::string(v.sqldata + 2, len);
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: return ScaledText(RawInteger(), v.sqlscale);
        case SQL_FLOAT:
            return GeneralForm(TDecimal::FromDouble(*reinterpret_cast<const float*>(v.sqldata)).RoundedToSignificant(7));
        case SQL_DOUBLE:
        case SQL_D_FLOAT: return FloatToStr(*reinterpret_cast<const double*>(v.sqldata));
        case SQL_TYPE_DATE:
            return FormatDateTime(FormatSettings().ShortDateFormat, DateOf(*reinterpret_cast<const ISC_DATE*>(v.sqldata)));
        case SQL_TYPE_TIME: return TimeText(*reinterpret_cast<const ISC_TIME*>(v.sqldata));
        case SQL_TIMESTAMP: {
            const auto* ts = reinterpret_cast<const ISC_TIMESTAMP*>(v.sqldata);
            std::string text = FormatDateTime(FormatSettings().ShortDateFormat, DateOf(ts->timestamp_date));
            if (ts->timestamp_time) text += " " + TimeText(ts->timestamp_time);
            return text;
        }
        case SQL_BOOLEAN: return *reinterpret_cast<const FB_BOOLEAN*>(v.sqldata) ? "True" : "False";
        case SQL_BLOB: return BlobText();
        default: return {};
    }
}

std::string TIB_QueryColumn::BlobText() const {
    const XSQLVAR& v = Var();
    TIbClient& ib = TIbClient::Instance();
    ISC_STATUS_ARRAY status{};
    isc_blob_handle blob = 0;
    ISC_QUAD id = *reinterpret_cast<const ISC_QUAD*>(v.sqldata);
    ib.isc_open_blob2(status, FQuery.FConnection->DatabaseHandle(), FQuery.FConnection->ReadTransaction(), &blob,
                      &id, 0, nullptr);
    ib.Check(status);
    std::string out;
    char buf[32768];
    for (;;) {
        unsigned short got = 0;
        ISC_STATUS rc = ib.isc_get_segment(status, &blob, &got, sizeof buf, buf);
        if (rc == 0 || status[1] == isc_segment) {
            out.append(buf, got);
            continue;
        }
        if (status[1] == isc_segstr_eof) break;
        ISC_STATUS_ARRAY ignore{};
        ib.isc_close_blob(ignore, &blob);
        ib.Check(status);
    }
    ib.isc_close_blob(status, &blob);
    return v.sqlsubtype == 1 ? out : Hex(out.data(), out.size());
}

// ---- TIB_Query

TIB_Query::~TIB_Query() {
    try {
        Close();
    } catch (...) {
        // Nothing can be reported from a destructor.
    }
    SetConnection(nullptr);
}

void TIB_Query::SetConnection(TIB_Connection* connection) {
    if (connection == FConnection) return;
    Close();
    if (FConnection) RemoveFreeNotification(FConnection);
    FConnection = connection;
    if (connection) FreeNotification(connection);
}

void TIB_Query::Notification(TComponent* AComponent, TOperation Operation) {
    TIB_Dataset::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FConnection) {
        // The connection closed this query when it disconnected.
        FConnection = nullptr;
        FActive = false;
        FStatement = 0;
    }
}

void TIB_Query::SetSQL(const std::string& sql) {
    Close();
    FSQL = sql;
}

void TIB_Query::Open() {
    if (FActive) return;
    if (!FConnection || !FConnection->Connected()) throw EDatabaseError("The database connection is not open");
    TIbClient& ib = TIbClient::Instance();
    ISC_STATUS_ARRAY status{};
    ib.isc_dsql_allocate_statement(status, FConnection->DatabaseHandle(), &FStatement);
    ib.Check(status);
    try {
        FSqlda.assign(XSQLDA_LENGTH(1), 0);
        auto* da = reinterpret_cast<XSQLDA*>(FSqlda.data());
        da->version = SQLDA_VERSION1;
        da->sqln = 1;
        ib.isc_dsql_prepare(status, FConnection->ReadTransaction(), &FStatement, 0, FSQL.c_str(), SQL_DIALECT_V6, da);
        ib.Check(status);
        if (da->sqld > da->sqln) {
            const short n = da->sqld;
            FSqlda.assign(XSQLDA_LENGTH(n), 0);
            da = reinterpret_cast<XSQLDA*>(FSqlda.data());
            da->version = SQLDA_VERSION1;
            da->sqln = n;
            ib.isc_dsql_describe(status, &FStatement, SQL_DIALECT_V6, da);
            ib.Check(status);
        }
        if (da->sqld == 0) throw EDatabaseError("The statement returns no rows: " + FSQL);
        AllocateBuffers();
        FColumns.clear();
        for (int i = 0; i < da->sqld; ++i) FColumns.push_back(std::make_unique<TIB_QueryColumn>(*this, i));
        FActive = true;
        FKnownCount = -1;
        FExecutions = 0;
        FConnection->Attach(this);
        Execute();
        FEmpty = FEof;
    } catch (...) {
        FActive = false;
        FreeStatement();
        throw;
    }
}

void TIB_Query::AllocateBuffers() {
    auto* da = reinterpret_cast<XSQLDA*>(FSqlda.data());
    size_t total = 0;
    for (int i = 0; i < da->sqld; ++i) {
        XSQLVAR& v = da->sqlvar[i];
        size_t len = v.sqllen + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
        total += Align8(len) + 8;
    }
    FBuffer.assign(total, 0);
    size_t offset = 0;
    for (int i = 0; i < da->sqld; ++i) {
        XSQLVAR& v = da->sqlvar[i];
        size_t len = v.sqllen + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
        v.sqldata = FBuffer.data() + offset;
        offset += Align8(len);
        v.sqlind = reinterpret_cast<short*>(FBuffer.data() + offset);
        offset += 8;
    }
}

void TIB_Query::Execute() {
    TIbClient& ib = TIbClient::Instance();
    ISC_STATUS_ARRAY status{};
    if (FExecutions > 0) {
        ib.isc_dsql_free_statement(status, &FStatement, DSQL_close);
        ib.Check(status);
    }
    ib.isc_dsql_execute(status, FConnection->ReadTransaction(), &FStatement, SQL_DIALECT_V6, nullptr);
    ib.Check(status);
    ++FExecutions;
    FRow = 0;
    FEof = false;
    Fetch();
}

void TIB_Query::Fetch() {
    TIbClient& ib = TIbClient::Instance();
    ISC_STATUS_ARRAY status{};
    ISC_STATUS rc = ib.isc_dsql_fetch(status, &FStatement, SQL_DIALECT_V6, reinterpret_cast<XSQLDA*>(FSqlda.data()));
    ++FRow;
    if (rc == 100) {
        FEof = true;
        FKnownCount = FRow - 1;
        return;
    }
    ib.Check(status);
}

void TIB_Query::FreeStatement() {
    if (!FStatement) return;
    ISC_STATUS_ARRAY status{};
    TIbClient::Instance().isc_dsql_free_statement(status, &FStatement, DSQL_drop);
    FStatement = 0;
}

void TIB_Query::Close() {
    if (FConnection) FConnection->Detach(this);
    FreeStatement();
    FActive = false;
    FEof = true;
    FRow = 0;
    FColumns.clear();
}

void TIB_Query::First() {
    if (!FActive) throw EDatabaseError("The dataset is not open");
    if (FRow != 1) Execute();
}

void TIB_Query::Next() {
    if (Eof()) throw EDatabaseError("Cannot move past the end of the dataset");
    Fetch();
}

void TIB_Query::SetRecNo(int value) {
    if (!FActive) throw EDatabaseError("The dataset is not open");
    if (value < 1) value = 1;
    if (value == FRow) return;
    if (value < FRow) Execute();
    while (FRow < value && !FEof) Fetch();
}

int TIB_Query::RecordCount() {
    if (!FActive) return 0;
    if (FEmpty) return 0;
    if (FKnownCount < 0) FKnownCount = CountRows();
    return FKnownCount;
}

int TIB_Query::CountRows() {
    // Counted by the server without sending the rows.
    TIbClient& ib = TIbClient::Instance();
    std::string sql = FSQL;
    while (!sql.empty() && (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back())))) sql.pop_back();
    ISC_STATUS_ARRAY status{};
    isc_stmt_handle stmt = 0;
    ib.isc_dsql_allocate_statement(status, FConnection->DatabaseHandle(), &stmt);
    ib.Check(status);
    alignas(8) char daStorage[XSQLDA_LENGTH(1)] = {};
    auto* da = reinterpret_cast<XSQLDA*>(daStorage);
    da->version = SQLDA_VERSION1;
    da->sqln = 1;
    ISC_INT64 count = 0;
    short ind = 0;
    const std::string countSql = "SELECT COUNT(*) FROM (" + sql + ")";
    ib.isc_dsql_prepare(status, FConnection->ReadTransaction(), &stmt, 0, countSql.c_str(), SQL_DIALECT_V6, da);
    bool ok = !(status[0] == 1 && status[1]);
    if (ok) {
        da->sqlvar[0].sqltype = SQL_INT64 + 1;
        da->sqlvar[0].sqlscale = 0;
        da->sqlvar[0].sqllen = sizeof count;
        da->sqlvar[0].sqldata = reinterpret_cast<char*>(&count);
        da->sqlvar[0].sqlind = &ind;
        ib.isc_dsql_execute(status, FConnection->ReadTransaction(), &stmt, SQL_DIALECT_V6, nullptr);
        ok = !(status[0] == 1 && status[1]) && ib.isc_dsql_fetch(status, &stmt, SQL_DIALECT_V6, da) == 0;
    }
    ISC_STATUS_ARRAY ignore{};
    ib.isc_dsql_free_statement(ignore, &stmt, DSQL_drop);
    if (ok) return static_cast<int>(count);
    // A statement that cannot be wrapped (a procedure call, say) is counted by reading it.
    const int position = FRow;
    while (!FEof) Fetch();
    const int rows = FRow - 1;
    SetRecNo(position);
    return rows;
}

TIB_Column* TIB_Query::Fields(int index) const {
    return index >= 0 && index < FieldCount() ? FColumns[index].get() : nullptr;
}

TIB_Column* TIB_Query::FieldByName(const std::string& name) const {
    for (const auto& c : FColumns)
        if (SameText(c->FieldName(), name)) return c.get();
    return nullptr;
}

}  // namespace ostrel
