// tavrin-cli print: entries to a PDF file, laid out by the same printer class as the diary
// page's Print, on Qt's offscreen platform.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
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

// The skin the program would show: its body pictures go onto the paper.
void loadSkin() {
    SkinLoader loader;
    ui::ActiveSkin skin;
    if (loader.check(settings::read(settings::WhichSkin), skin) ||
        loader.check(QString::fromLatin1(SkinLoader::kDefaultSkin), skin))
        ui::ActiveSkin::setCurrent(skin);
}

} // namespace

int printEntries(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    const std::string& file = a.words[0];
    const bool painMap = a.has("--pain-map");
    if (int st = s.admit(path)) return st;

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

    StreamReporter rep(s.err());
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
        if (!a.range.contains(v.record.dateTime())) return true;
        if (!out.print(v.record, tn.config, QByteArray(v.body.data(), qsizetype(v.body.size())),
                       0)) {
            failed = true;
            return false;
        }
        return true;
    });
    if (!out.finish()) failed = true;
    if (failed) {
        s.err() << "tavrin-cli: cannot print to " << file << '\n';
        return kFailed;
    }
    const int n = out.entriesPrinted();
    if (n == 0)
        s.out() << "No entry to print; " << file << " was not written.\n";
    else
        s.out() << "Printed " << n << (n == 1 ? " entry" : " entries") << " on "
                << out.pagesPrinted() << (out.pagesPrinted() == 1 ? " page" : " pages") << " to "
                << file << ".\n";
    return walked ? kOk : kFailed;
}

} // namespace tavrin::cli
