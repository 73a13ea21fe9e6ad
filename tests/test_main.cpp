#include <gtest/gtest.h>

#include "platform/FormatSettings.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Every test starts from the US conventions; tests of other locales install their own.
    ostrel::SetFormatSettings(ostrel::TFormatSettings::Default());
    return RUN_ALL_TESTS();
}
