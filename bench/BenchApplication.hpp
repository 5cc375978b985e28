// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>

namespace ovra::bench {

// Views need a QApplication; benchmarks draw offscreen. Made on first need
// and kept for the whole program.
inline void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ovratuner-bench";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

} // namespace ovra::bench
