// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Resources.hpp"

#include "LayoutTestSupport.hpp"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

namespace ovra {
namespace {

const std::string DATA_DIR = OVRA_LAYOUT_TEST_DATA_DIR;

TEST(Resources, OverrideDirectoryBeatsEmbeddedWithinASizeLimit) {
    const std::string embedded = *Resources::contentsOfResource("layout-test-shadowed.cfg");
    {
        test::OverrideDirectory skin;
        EXPECT_EQ(Resources::overrideDirectory(), std::optional<std::string>(skin.path()));
        // Not in the override directory: the embedded file still answers.
        EXPECT_EQ(Resources::contentsOfResource("layout-test-shadowed.cfg"), embedded);
        skin.write("layout-test-shadowed.cfg", "skin = yes;");
        EXPECT_EQ(Resources::contentsOfResource("layout-test-shadowed.cfg"),
                  std::optional<std::string>("skin = yes;"));
        EXPECT_EQ(
            Resources::pathForResource("layout-test-shadowed.cfg"),
            std::optional<std::string>(skin.filePath("layout-test-shadowed.cfg").toStdString()));
        // Files only in the override directory are found too.
        skin.write("only-in-skin.cfg", "x");
        EXPECT_EQ(Resources::contentsOfResource("only-in-skin.cfg"),
                  std::optional<std::string>("x"));
        // A size limit refuses larger files.
        skin.write("ten.bin", std::string(10, 'a'));
        EXPECT_TRUE(Resources::contentsOfResource("ten.bin", 10).has_value());
        EXPECT_FALSE(Resources::contentsOfResource("ten.bin", 9).has_value());
        EXPECT_FALSE(Resources::contentsOfResource("layout-test-embedded.cfg", 5).has_value());
        skin.write("empty.bin", "");
        EXPECT_EQ(Resources::contentsOfResource("empty.bin"), std::optional<std::string>(""));
    }
    EXPECT_FALSE(Resources::overrideDirectory().has_value());
    EXPECT_EQ(Resources::contentsOfResource("layout-test-shadowed.cfg"), embedded);
    EXPECT_FALSE(Resources::contentsOfResource("only-in-skin.cfg").has_value());
}

TEST(Resources, NamesCannotReachOutsideTheResources) {
    test::OverrideDirectory skin;
    ASSERT_TRUE(QDir(QString::fromStdString(skin.path())).mkdir("sub"));
    skin.write("sub/inner.cfg", "x");
    skin.write("plain.cfg", "x");
    EXPECT_TRUE(Resources::pathForResource("plain.cfg").has_value());
    // Sub-folders, paths, empty and dot names, an embedded NUL.
    for (const std::string& name :
         {std::string("sub/inner.cfg"), std::string("sub\\inner.cfg"),
          "../" + skin.path() + "/plain.cfg", skin.path() + "/plain.cfg", std::string(),
          std::string("."), std::string(".."), std::string("plain.cfg\0.png", 14)}) {
        EXPECT_FALSE(Resources::pathForResource(name).has_value()) << name;
    }
    // A folder is not a resource file.
    EXPECT_FALSE(Resources::pathForResource("sub").has_value());
}

} // namespace
} // namespace ovra
