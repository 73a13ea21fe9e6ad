#include "engine/IB_OstrelCommon.h"

namespace ostrel {

std::string SourceName(TOstrelSource source) {
    switch (source) {
        case esDataSet: return "DataSet";
        case esListView: return "ListView";
        case esDBGrid: return "DBGrid";
        case esStringGrid: return "StringGrid";
    }
    return {};
}

std::string ColTypeName(TOstrelColType type) {
    static const char* const names[] = {"Integer", "Float",  "Currency", "Date",   "Time",
                                        "DateTime", "String", "Boolean", "Unknown"};
    return type >= ectInteger && type <= ectUnknown ? names[type] : std::string();
}

}  // namespace ostrel
