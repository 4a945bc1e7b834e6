// tavrin-cli compact, import-v2 and passwd: what the tools page's compaction, "Convert from
// v2.xx" and "Change password" windows do, with their texts.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"

#include "storage/Cp1252.h"
#include "storage/EntryCompaction.h"
#include "storage/OldDiaryImport.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"

#include <cstdlib>
#include <iostream>

namespace tavrin::cli {
namespace {
// The password texts of the change-password window.
constexpr const char* kChanged = "The password has been changed successfully!";
constexpr const char* kNotChanged = "The password was not changed!";

const char* environment(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? v : nullptr;
}
} // namespace

int Cli::compact(const std::string& path) {
    return writeLocked(path, [&](TN& tn) {
        EntryCompaction compaction(tn);
        const std::optional<int> count = compaction.countEntries();
        if (!count) { // the file error was reported; an unreadable diary is no empty one
            err_ << "tavrin-cli: the entries could not be read; nothing was compacted\n";
            return kFailed;
        }
        out_ << "Before:\n"
             << EntryCompaction::countText(*count) << '\n'
             << EntryCompaction::sizeText(compaction.dataLength()) << '\n';
        if (*count == 0) return kOk;           // as the window, which offers no Start then
        if (!compaction.run()) return kFailed; // reported; the diary is as it was
        out_ << "After:\n"
             << EntryCompaction::sizeText(compaction.newLength()) << '\n'
             << EntryCompaction::savedText(compaction.oldLength(), compaction.newLength()) << '\n';
        return kOk;
    });
}

int Cli::importV2(const std::string& path, const std::string& oldIndex) {
    const char* oldPassword = environment("TAVRIN_OLD_PASSWORD");
    if (!oldPassword) {
        err_ << "tavrin-cli: import-v2 takes the old diary's password from TAVRIN_OLD_PASSWORD\n";
        return kUsage;
    }
    const std::string typed = cp1252::fromUtf8(oldPassword);
    if (typed.size() < 3) { // refused before anything is opened, as the window does
        err_ << OldDiaryImport::kTooShort << '\n';
        return kUsage;
    }
    return writeLocked(path, [&](TN& tn) {
        using Result = OldDiaryImport::Result;
        OldDiaryImport import(tn, oldIndex);
        const char* said = nullptr;
        const Result r = import.run(typed, [&](const char* stage, std::int64_t, std::int64_t) {
            if (stage != said) out_ << (said = stage) << '\n';
        });
        switch (r) {
        case Result::Done:
            out_ << import.successText() << '\n';
            return kOk;
        case Result::TooShort:
            err_ << OldDiaryImport::kTooShort << '\n';
            return kUsage;
        case Result::WrongPassword:
            err_ << texts::kInvalidPassword << '\n';
            return kWrongPassword;
        case Result::NoEntry:
            err_ << OldDiaryImport::kNoEntry << '\n';
            return kFailed;
        case Result::NothingToRead:
            err_ << "tavrin-cli: " << oldIndex << " holds no entry; nothing was imported\n";
            return kFailed;
        case Result::EntriesOnly:
            err_ << "tavrin-cli: imported " << import.entries() << " entries and "
                 << import.reminders() << " reminders; the old reminders or planner file is "
                 << "missing\n";
            return kFailed;
        case Result::Failed:
            break;
        }
        return kFailed; // reported
    });
}

int Cli::passwd(const std::string& path) {
    const char* typed = environment("TAVRIN_NEW_PASSWORD");
    if (!typed) {
        err_ << "tavrin-cli: passwd takes the new password from TAVRIN_NEW_PASSWORD\n";
        return kUsage;
    }
    const std::string password = cp1252::fromUtf8(typed);
    if (password.size() < 3) {
        err_ << texts::kTooShortPassword << '\n';
        return kUsage;
    }
    if (password.size() > std::size_t(EntryRecord::kMaxSecret)) {
        err_ << "tavrin-cli: a password has at most " << EntryRecord::kMaxSecret << " characters\n";
        return kUsage;
    }
    return writeLocked(path, [&](TN& tn) {
        if (!tn.ReadIndexRecord()) {
            err_ << "tavrin-cli: the diary has no entry, so no password to change\n";
            return kFailed;
        }
        if (!tn.ReKey(password)) {
            err_ << kNotChanged << '\n';
            return kFailed;
        }
        out_ << kChanged << '\n';
        return kOk;
    });
}

} // namespace tavrin::cli
