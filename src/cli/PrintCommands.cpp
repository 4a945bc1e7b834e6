// tavrin-cli print: entries to a PDF file, laid out by the same printer class as the diary
// page's Print, on Qt's offscreen platform.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"

#include "diary/logic/DiaryCalculator.h"
#include "diary/logic/EntryPrinter.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "storage/DiaryFileSet.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinLoader.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>

#include <cstdio>
#include <memory>
#include <optional>

namespace tavrin::cli {
namespace {

using Day = diary::DiaryCalculator::Day;

std::optional<Day> parseDay(const std::string& s) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return std::nullopt;
    if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    // A day that does not exist (30 February) comes back as another one.
    const LocalDateTime back = LocalTime::fromTime(LocalTime::toTime({y, m, d, 12, 0, 0}));
    if (back.year != y || back.month != m || back.day != d) return std::nullopt;
    return Day{y, m, d};
}

// The skin the program would show: its body pictures go onto the paper.
void loadSkin() {
    SkinLoader loader;
    ui::ActiveSkin skin;
    if (loader.check(settings::read(settings::WhichSkin), skin) ||
        loader.check(QString::fromLatin1(SkinLoader::kDefaultSkin), skin))
        ui::ActiveSkin::setCurrent(skin);
}

} // namespace

int Cli::print(const std::string& path, const std::vector<std::string>& options) {
    if (options.empty()) {
        err_ << usage();
        return kUsage;
    }
    const std::string file = options[0];
    std::optional<Day> from, to;
    bool painMap = false;
    for (std::size_t i = 1; i < options.size(); ++i) {
        const std::string& o = options[i];
        if (o == "--pain-map") {
            painMap = true;
        } else if ((o == "--from" || o == "--to") && i + 1 < options.size()) {
            const auto day = parseDay(options[++i]);
            if (!day) {
                err_ << "tavrin-cli: " << o << " takes a date YYYY-MM-DD\n";
                return kUsage;
            }
            (o == "--from" ? from : to) = day;
        } else {
            err_ << usage();
            return kUsage;
        }
    }
    if (int s = admit(path)) return s;

    // Printing needs the toolkit's fonts and pictures, never a screen.
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tavrin-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (painMap) loadSkin();

    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    if (!tn.ReadConfiguration()) {
        tn.config.clear();
        tn.config.applyDefaults();
    }
    const QString pdf = QFile::decodeName(QByteArray::fromStdString(file));
    std::unique_ptr<QPrinter> printer = platform::PrintDialog::pdfPrinter(pdf);
    diary::EntryPrinter out(*printer, diary::EntryPrinter::settingsStyle(painMap));
    bool failed = false;
    const bool walked = tn.ForEachEntry(true, [&](const EntryView& v) {
        const Day day = diary::DiaryCalculator::dayOf(v.record.dateTime());
        if ((from && day < *from) || (to && *to < day)) return true;
        if (!out.print(v.record, tn.config, QByteArray(v.body.data(), qsizetype(v.body.size())),
                       0)) {
            failed = true;
            return false;
        }
        return true;
    });
    if (!out.finish()) failed = true;
    if (failed) {
        err_ << "tavrin-cli: cannot print to " << file << '\n';
        return kFailed;
    }
    const int n = out.entriesPrinted();
    if (n == 0)
        out_ << "No entry to print; " << file << " was not written.\n";
    else
        out_ << "Printed " << n << (n == 1 ? " entry" : " entries") << " on " << out.pagesPrinted()
             << (out.pagesPrinted() == 1 ? " page" : " pages") << " to " << file << ".\n";
    return walked ? kOk : kFailed;
}

} // namespace tavrin::cli
