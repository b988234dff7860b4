// The extraction gauge's arithmetic: bytes written against the bytes that
// all archives to extract hold, as a whole percentage.
#pragma once

#include <cstdint>

#include "unzip/zip_types.h"

// Written ÷ expected × 100, to the nearest whole number (ties to the even
// one), kept within 0..100. Nothing to expect shows 0: no archive, or only
// empty ones, gives no progress to measure.
int ExtractionPercent(double written, double expected);

// Counts the bytes that the unzip component reports as written (a member
// kept on the question's answer counts as written too).
class ExtractionProgress {
public:
    void Start(double expectedBytes) {
        expected_ = expectedBytes;
        written_ = 0;
    }
    void Report(std::int32_t value, const korven::unzip::ReportRecord& record) {
        if (record.status == korven::unzip::kReportBlockWritten) written_ += value;
    }
    int Percent() const { return ExtractionPercent(written_, expected_); }

private:
    double written_ = 0;
    double expected_ = 0;
};
