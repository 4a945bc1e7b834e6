#pragma once
// Shows what the storage layer reports in message boxes: file errors, damaged records and
// voice-note failures as warnings, the wrong-version notice with the exclamation icon, the
// iteration trace in a plain box. Long operations show the wait cursor while they run.

#include "storage/Reporter.h"

namespace tavrin::platform {

class MessageBoxReporter : public Reporter {
public:
    void report(ReportKind kind, const std::string& text) override;
    // Nested begin/end pairs keep the cursor until the outermost one ends. Without a GUI
    // application nothing is changed.
    void beginWait() override;
    void endWait() override;

    int waitDepth() const { return depth_; }

    // The program's one instance, installed as the storage layer's global reporter by install().
    static MessageBoxReporter& instance();
    static void install();

private:
    int depth_ = 0;
    int cursorsSet_ = 0; // override cursors this reporter pushed (0 when no GUI was there)
};

} // namespace tavrin::platform
