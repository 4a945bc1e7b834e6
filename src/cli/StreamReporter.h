#pragma once
// Storage reports go to the tool's error stream.

#include "storage/Reporter.h"

#include <ostream>
#include <string>

namespace tavrin::cli {

class StreamReporter : public Reporter {
public:
    explicit StreamReporter(std::ostream& err) : err_(err) {}
    void report(ReportKind, const std::string& text) override { err_ << text << '\n'; }

private:
    std::ostream& err_;
};

} // namespace tavrin::cli
