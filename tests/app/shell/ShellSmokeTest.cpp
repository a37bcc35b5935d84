#include "tests/support/ViewFixture.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

TEST_F(ViewTest, RootViewLoadsOverTheModelWithoutWarnings)
{
    ASSERT_NE(view().load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView")), nullptr)
        << view().warnings().join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(view().find(QStringLiteral("pageSlot")), nullptr);
}

} // namespace
} // namespace roror::test
