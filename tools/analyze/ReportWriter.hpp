#pragma once

#include "AnalysisRow.hpp"
#include "AnalyzeOptions.hpp"

#include <cstdio>

namespace ovra {

// Prints analysis rows as CSV (header first) or as a JSON array, one object
// per line, as they arrive.
class ReportWriter {
public:
    ReportWriter(std::FILE* out, ReportFormat format);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void begin();
    void write(const AnalysisRow& row);
    void end();

private:
    std::FILE* myOut;
    ReportFormat myFormat;
    bool myFirstRow = true;
};

} // namespace ovra
