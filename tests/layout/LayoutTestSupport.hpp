// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/ImageCache.hpp"
#include "layout/Resources.hpp"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace ovra::test {

// Pixmaps need a QGuiApplication; one serves the whole test program.
inline void ensureGuiApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "layout_tests";
        static char* argv[] = {name, nullptr};
        // Deliberately never destroyed: Qt keeps it reachable as the instance.
        new QGuiApplication(argc, argv);
    }
}

// A temporary skin folder, set as the resource override directory while it lives.
class OverrideDirectory {
public:
    OverrideDirectory() {
        EXPECT_TRUE(myDir.isValid());
        EXPECT_TRUE(Resources::setOverrideDirectory(path()));
    }
    ~OverrideDirectory() { Resources::setOverrideDirectory(""); }

    std::string path() const { return myDir.path().toStdString(); }
    QString filePath(const std::string& name) const {
        return myDir.filePath(QString::fromStdString(name));
    }

    void write(const std::string& name, const std::string& bytes) const {
        QFile file(filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }
    void writePng(const std::string& name, int width, int height, QColor color) const {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(filePath(name), "PNG"));
    }

private:
    QTemporaryDir myDir;
};

// A skin folder of the test's own, its pictures loaded afresh.
class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGuiApplication();
        ImageCache::clear();
    }
    void TearDown() override { ImageCache::clear(); }

    OverrideDirectory mySkin;
};

} // namespace ovra::test
