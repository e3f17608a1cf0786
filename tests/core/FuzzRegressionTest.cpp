// Inputs the fuzz targets once failed on; each is kept under fuzz/regressions/.
#include "TestSupport.h"

#include "base/ConversionError.h"
#include "base/Numbers.h"

#include <gtest/gtest.h>

namespace dialtally {

TEST(FuzzRegressions, SignsWithoutDigitsAreNoNumber)
{
    // A second sign once read past the start of an empty buffer.
    for (const char* text : {"++", "+-", "-+1", " + +", "+", "-"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(TextToFloat(text), ConversionError);
    }
    EXPECT_EQ(TextToFloat("+1e+2"), 100.0);
    EXPECT_EQ(TextToFloat("-1e-2"), -0.01);
}

} // namespace dialtally
