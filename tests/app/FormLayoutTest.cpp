#include "app/FormLayout.h"

#include <gtest/gtest.h>


namespace twinpath {
namespace {

TEST(FormLayoutTest, NormalWindowKeepsItsHeightAndMinimumWidth) {
    for (const int dpi : {96, 120, 144, 192}) {
        // A thin classic frame: the twips figures hold as they are.
        const OuterSize classic = outerLimits(dpi, {dpi / 16, dpi / 4});
        EXPECT_EQ(classic.height, twipsToPixels(1595, dpi));
        EXPECT_EQ(classic.width, twipsToPixels(6930, dpi));
        EXPECT_EQ(constrainOuterSize({10, 10}, classic).width, classic.width);
        EXPECT_EQ(constrainOuterSize({classic.width, 900}, classic).width, classic.width);
        EXPECT_EQ(constrainOuterSize({classic.width + 1, 900}, classic).width, classic.width + 1);
        EXPECT_EQ(constrainOuterSize({2000, 1}, classic).height, classic.height);

        // A thick modern frame: the client area still holds the design size.
        const OuterSize modern = outerLimits(dpi, {dpi / 6, dpi * 5 / 12});
        EXPECT_EQ(modern.height, twipsToPixels(1155, dpi) + dpi * 5 / 12);
        EXPECT_EQ(modern.width, twipsToPixels(6810, dpi) + dpi / 6);
    }
}

}  // namespace
}  // namespace twinpath
