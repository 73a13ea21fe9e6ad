#include "dialog/IB_OstrelConsts.h"

#include <array>

namespace ostrel {

namespace {

constexpr std::array<const char*, kDialogTextCount> kBuiltIn = {
#define OSTREL_TEXT_DEFAULT(id, text) text,
    OSTREL_DIALOG_TEXTS(OSTREL_TEXT_DEFAULT)
#undef OSTREL_TEXT_DEFAULT
};

constexpr std::array<const char*, kDialogTextCount> kNames = {
#define OSTREL_TEXT_NAME(id, text) #id,
    OSTREL_DIALOG_TEXTS(OSTREL_TEXT_NAME)
#undef OSTREL_TEXT_NAME
};

std::array<std::string, kDialogTextCount>& Table() {
    static std::array<std::string, kDialogTextCount> table = [] {
        std::array<std::string, kDialogTextCount> t;
        for (int i = 0; i < kDialogTextCount; ++i) t[i] = kBuiltIn[i];
        return t;
    }();
    return table;
}

}  // namespace

const std::string& DialogText(TDialogText id) { return Table().at(id); }

void SetDialogText(TDialogText id, const std::string& text) { Table().at(id) = text; }

void ResetDialogTexts() {
    for (int i = 0; i < kDialogTextCount; ++i) Table()[i] = kBuiltIn[i];
}

const char* DialogTextName(TDialogText id) { return kNames.at(id); }

}  // namespace ostrel
