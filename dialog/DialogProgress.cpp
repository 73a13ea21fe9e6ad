#include "dialog/DialogProgress.h"

#include <cstdio>

#include "dialog/IB_OstrelConsts.h"

namespace ostrel {

namespace {

constexpr int64_t kSecondsPerDay = 24 * 3600;

// Texts of a state; nullptr where the state leaves the field as it was.
struct TStateTexts {
    TDialogText Status;
    const TDialogText* Counter;
    const TDialogText* Button;
};

constexpr TDialogText kSkipped = sCounterSkipped, kFetched = sCounterFetched, kExported = sCounterExported;
constexpr TDialogText kCancel = sCancel, kOK = sOK;

constexpr TStateTexts kStates[] = {
    {sStatePreparing, nullptr, &kCancel},     // psPreparing
    {sStateSkipping, &kSkipped, nullptr},     // psSkipping
    {sStateFetching, &kFetched, nullptr},     // psFetching
    {sStateExporting, &kExported, nullptr},   // psExporting
    {sStatePaused, nullptr, nullptr},         // psPaused
    {sStateExporting, nullptr, &kCancel},     // psResumed
    {sStateAborted, nullptr, &kOK},           // psAborted
    {sStateFinished, nullptr, &kOK},          // psFinished
};

}  // namespace

TOstrelProgress::TOstrelProgress() : FCounterCaption(DialogText(sCounterExported)) {}

void TOstrelProgress::Enter(TProgressState state) {
    FState = state;
    const TStateTexts& t = kStates[state];
    FStatusText = DialogText(t.Status);
    if (t.Counter) FCounterCaption = DialogText(*t.Counter);
    if (t.Button) FButtonCaption = DialogText(*t.Button);
}

bool TOstrelProgress::Notify(int code) {
    switch (code) {
        case pnBegin: FTimerOn = true; Enter(psPreparing); break;
        case pnFetched: FTimerOn = true; Enter(psFetching); ++FFetched; FShownCounter = &FFetched; break;
        case pnSkipped: FTimerOn = true; Enter(psSkipping); ++FSkipped; FShownCounter = &FSkipped; break;
        case pnExported: FTimerOn = true; Enter(psExporting); ++FExported; FShownCounter = &FExported; break;
        case pnPause: FTimerOn = false; Enter(psPaused); break;
        case pnContinue: FTimerOn = true; Enter(psResumed); break;
        case pnAborted: FTimerOn = false; Enter(psAborted); break;
        case pnFinished: FTimerOn = false; Enter(psFinished); break;
        case pnClose: FCloseRequested = true; break;
        default: return false;
    }
    return true;
}

void TOstrelProgress::Tick() {
    ++FElapsed;
    // The speed counts the time of day only, as the time field shows it.
    const int64_t seconds = FElapsed % kSecondsPerDay;
    const int64_t rows = int64_t(FFetched) + FExported + FSkipped;
    char speed[32];
    std::snprintf(speed, sizeof speed, "%lld", static_cast<long long>(seconds ? rows / seconds : 0));
    const std::string& pattern = DialogText(sProgressSpeedValue);
    const size_t at = pattern.find("%d");
    FSpeedText = at == std::string::npos ? pattern : pattern.substr(0, at) + speed + pattern.substr(at + 2);
}

bool TOstrelProgress::ButtonStops() const {
    return FState != psPaused && FState != psAborted && FState != psFinished;
}

std::string TOstrelProgress::CounterText() const {
    return FShownCounter ? std::to_string(*FShownCounter) : std::string();
}

std::string TOstrelProgress::TimeText() const {
    const int64_t seconds = FElapsed % kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60));
    return text;
}

}  // namespace ostrel
