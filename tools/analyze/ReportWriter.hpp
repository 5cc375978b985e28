// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnalysisRow.hpp"
#include "AnalyzeOptions.hpp"

#include <cstdio>
#include <string>

namespace ovra {

// Prints analysis rows as CSV (header first) or as a JSON array, one object
// per line, as they arrive. With twoDecimalCents (fine tuning) the cents are
// printed as %.2f, otherwise every number as %.9g.
class ReportWriter {
public:
    ReportWriter(std::FILE* out, ReportFormat format, bool twoDecimalCents = false);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void begin();
    void write(const AnalysisRow& row);
    void end();

private:
    std::string cents(const AnalysisRow& row) const;

    std::FILE* myOut;
    ReportFormat myFormat;
    bool myTwoDecimalCents;
    bool myFirstRow = true;
};

} // namespace ovra
