// tavrin-cli compact, import-v2 and passwd: what the tools page's compaction, "Convert from
// v2.xx" and "Change password" windows do, with their texts.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
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

int compact(Session& s, const Arguments& a) {
    return s.writeLocked(a.diary, [&](TN& tn) {
        EntryCompaction compaction(tn);
        const std::optional<int> count = compaction.countEntries();
        if (!count) { // the file error was reported; an unreadable diary is no empty one
            s.err() << "tavrin-cli: the entries could not be read; nothing was compacted\n";
            return kFailed;
        }
        s.out() << "Before:\n"
                << EntryCompaction::countText(*count) << '\n'
                << EntryCompaction::sizeText(compaction.dataLength()) << '\n';
        if (*count == 0) return kOk;           // as the window, which offers no Start then
        if (!compaction.run()) return kFailed; // reported; the diary is as it was
        s.out() << "After:\n"
                << EntryCompaction::sizeText(compaction.newLength()) << '\n'
                << EntryCompaction::savedText(compaction.oldLength(), compaction.newLength())
                << '\n';
        return kOk;
    });
}

int importV2(Session& s, const Arguments& a) {
    const std::string& oldIndex = a.words[0];
    const char* oldPassword = environment("TAVRIN_OLD_PASSWORD");
    if (!oldPassword) {
        s.err()
            << "tavrin-cli: import-v2 takes the old diary's password from TAVRIN_OLD_PASSWORD\n";
        return kUsage;
    }
    const std::string typed = cp1252::fromUtf8(oldPassword);
    if (typed.size() < 3) { // refused before anything is opened, as the window does
        s.err() << OldDiaryImport::kTooShort << '\n';
        return kUsage;
    }
    return s.writeLocked(a.diary, [&](TN& tn) {
        using Result = OldDiaryImport::Result;
        OldDiaryImport import(tn, oldIndex);
        const char* said = nullptr;
        const Result r = import.run(typed, [&](const char* stage, std::int64_t, std::int64_t) {
            if (stage != said) s.out() << (said = stage) << '\n';
        });
        switch (r) {
        case Result::Done:
            s.out() << import.successText() << '\n';
            return kOk;
        case Result::TooShort:
            s.err() << OldDiaryImport::kTooShort << '\n';
            return kUsage;
        case Result::WrongPassword:
            s.err() << texts::kInvalidPassword << '\n';
            return kWrongPassword;
        case Result::NoEntry:
            s.err() << OldDiaryImport::kNoEntry << '\n';
            return kFailed;
        case Result::NothingToRead:
            s.err() << "tavrin-cli: " << oldIndex << " holds no entry; nothing was imported\n";
            return kFailed;
        case Result::EntriesOnly:
            s.err() << "tavrin-cli: imported " << import.entries() << " entries and "
                    << import.reminders() << " reminders; the old reminders or planner file is "
                    << "missing\n";
            return kFailed;
        case Result::Failed:
            break;
        }
        return kFailed; // reported
    });
}

int passwd(Session& s, const Arguments& a) {
    const char* typed = environment("TAVRIN_NEW_PASSWORD");
    if (!typed) {
        s.err() << "tavrin-cli: passwd takes the new password from TAVRIN_NEW_PASSWORD\n";
        return kUsage;
    }
    const std::string password = cp1252::fromUtf8(typed);
    if (password.size() < 3) {
        s.err() << texts::kTooShortPassword << '\n';
        return kUsage;
    }
    if (password.size() > std::size_t(EntryRecord::kMaxSecret)) {
        s.err() << "tavrin-cli: a password has at most " << EntryRecord::kMaxSecret
                << " characters\n";
        return kUsage;
    }
    return s.writeLocked(a.diary, [&](TN& tn) {
        if (!tn.ReadIndexRecord()) {
            s.err() << "tavrin-cli: the diary has no entry, so no password to change\n";
            return kFailed;
        }
        if (!tn.ReKey(password)) {
            s.err() << kNotChanged << '\n';
            return kFailed;
        }
        s.out() << kChanged << '\n';
        return kOk;
    });
}

} // namespace

std::vector<Command> toolsCommands() {
    return {
        {"compact", {}, {}, "rewrite the entry data file with the texts in use only", compact},
        {"import-v2",
         {"OLD.itn"},
         {},
         "add a version 2 diary's entries, reminders and planned items (its password from "
         "TAVRIN_OLD_PASSWORD)",
         importV2},
        {"passwd", {}, {}, "change the password to TAVRIN_NEW_PASSWORD", passwd},
    };
}

} // namespace tavrin::cli
