// Types shared by the engine, the exporters and the dialog.
#pragma once

#include <bitset>
#include <string_view>
#include <functional>
#include <string>

#include "engine/Classes.h"
#include "platform/Graphics.h"

namespace ostrel {

enum TOstrelSource : int { esDataSet = 0, esListView = 1, esDBGrid = 2, esStringGrid = 3 };

enum TOstrelColType : int {
    ectInteger = 0,
    ectFloat = 1,
    ectCurrency = 2,
    ectDate = 3,
    ectTime = 4,
    ectDateTime = 5,
    ectString = 6,
    ectBoolean = 7,
    ectUnknown = 8
};

enum TOstrelColAlign : int { ecaLeft = 0, ecaCenter = 1, ecaRight = 2 };

// "DataSet", "ListView", "DBGrid", "StringGrid"; empty for any other value.
std::string SourceName(TOstrelSource source);
// "Integer" .. "Unknown".
std::string ColTypeName(TOstrelColType type);

using TCharSet = std::bitset<256>;

// The set of the given characters.
inline TCharSet CharSetOf(std::string_view chars) {
    TCharSet set;
    for (unsigned char c : chars) set.set(c);
    return set;
}

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TExportedRecordEvent = std::function<void(TObject* Sender, int RecNo)>;
using TOstrelStopEvent = std::function<void(TObject* Sender, bool& CanContinue)>;
using TGetExportTextEvent = std::function<void(TObject* Sender, int ColNo, std::string& Text)>;
using TGetCellParamsEvent =
    std::function<void(TObject* Sender, int RecNo, int ColNo, const std::string& Value,
                       TOstrelColAlign& Align, TFont& AFont, TColor& Background)>;

}  // namespace ostrel
