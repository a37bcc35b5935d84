#include "app/shell/RororApplication.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

TEST(SceneGraphChoice, SoftwareOnlyWithoutAGpuAndWithoutTheUsersOwnChoice)
{
    const struct {
        const char* backend;
        const char* rhi;
        bool gpu;
        SceneGraphChoice expected;
    } cases[] = {
        {"", "", false, SceneGraphChoice::software},
        {"", "", true, SceneGraphChoice::platformDefault},
        // A choice made in the environment is left to Qt, whatever it names.
        {"software", "", true, SceneGraphChoice::platformDefault},
        {"rhi", "", false, SceneGraphChoice::platformDefault},
        {"", "opengl", false, SceneGraphChoice::platformDefault},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseSceneGraph(c.backend, c.rhi, c.gpu), c.expected)
            << "backend '" << c.backend << "' rhi '" << c.rhi << "' gpu " << c.gpu;
    }
}

} // namespace
} // namespace roror::test
