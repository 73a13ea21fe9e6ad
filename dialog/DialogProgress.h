// What the progress window shows while the dialog's exporter runs: the state of the run, the
// three row counters, the elapsed time and the speed. The window itself only draws this; the
// dialog drives it with notifications, one per exporter event.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

enum TProgressNotification : int {
    pnBegin = 1,
    pnFetched = 2,
    pnSkipped = 3,
    pnExported = 4,
    pnPause = 5,
    pnContinue = 6,
    pnAborted = 7,
    pnFinished = 8,
    pnClose = 9,
};

// The message number a notification travels with (its first parameter is the code).
constexpr int kProgressMessage = 1024 + 1;

enum TProgressState : int {
    psNone = -1,  // before the first notification
    psPreparing = 0,
    psSkipping,
    psFetching,
    psExporting,
    psPaused,
    psResumed,
    psAborted,
    psFinished,
};

class TOstrelProgress {
public:
    TOstrelProgress();

    // Applies a notification; false for a code that is none (0, above 9), which changes nothing.
    bool Notify(int code);
    // One second of the timer: elapsed time and speed.
    void Tick();

    TProgressState State() const { return FState; }
    int Skipped() const { return FSkipped; }
    int Fetched() const { return FFetched; }
    int Exported() const { return FExported; }
    int64_t ElapsedSeconds() const { return FElapsed; }
    bool TimerOn() const { return FTimerOn; }
    bool CloseRequested() const { return FCloseRequested; }
    // Whether the button stops the run (true) or confirms its end (false).
    bool ButtonStops() const;

    // The texts of the fields; empty until something set them.
    const std::string& StatusText() const { return FStatusText; }
    const std::string& CounterCaption() const { return FCounterCaption; }
    std::string CounterText() const;
    std::string TimeText() const;
    const std::string& SpeedText() const { return FSpeedText; }
    const std::string& ButtonCaption() const { return FButtonCaption; }

private:
    void Enter(TProgressState state);

    TProgressState FState = psNone;
    int FSkipped = 0, FFetched = 0, FExported = 0;
    const int* FShownCounter = nullptr;  // the counter changed last
    int64_t FElapsed = 0;
    bool FTimerOn = false;
    bool FCloseRequested = false;
    std::string FStatusText, FCounterCaption, FSpeedText, FButtonCaption;
};

}  // namespace ostrel
