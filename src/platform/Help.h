#pragma once
// The program's help: HTML pages in the "help" data folder, one per topic. Topics are named as
// the windows have always named them: "hlpDiary.html", "HIDD_ROOT_DIALOG.htm", or with the
// help file in front, "Tavrin.chm::/hlpReminders.html". openTopic() shows the page in the one
// help window, reusing it when it is already open.
//
// Test seam: every topic asked for is recorded (lastTopic(), topicsOpened()); in message-box
// test mode the window is loaded but not shown.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tavrin::platform {

class HelpWindow;

class Help {
public:
    static constexpr const char* kHelpFile = "Tavrin.chm";
    static constexpr const char* kContentsPage = "index.html";
    static constexpr const char* kUnableToInitialize = "Unable to initialize help!";

    // The page file of a topic name: the help file part ("Tavrin.chm::/") is dropped, and so is
    // any folder, so that a name can never reach outside the help folder. An empty name, or the
    // help file alone, gives the contents page. An anchor ("#part") is kept.
    static QString topicFile(const QString& name);
    // The help folder, or empty when it cannot be found.
    static QString helpDir();
    // The full path of a topic's page, or empty when there is no such page.
    static QString topicPath(const QString& name);

    // Shows the topic in the help window. Without a help folder it says "Unable to initialize
    // help!" and returns false; an unknown topic shows the contents and returns false.
    static bool openTopic(const QString& name, QWidget* parent = nullptr);
    // The help window, once it was opened.
    static HelpWindow* window();
    static void closeWindow();

    // A link "tavrin:NAME" in a help page asks the program itself to act ("tavrin:tips" shows
    // a tip). The program says how with setCommandHandler; runCommand is false when nobody
    // handled the command.
    using CommandHandler = std::function<bool(const QString& command, QWidget* parent)>;
    static void setCommandHandler(CommandHandler handler);
    static bool runCommand(const QString& command, QWidget* parent);
    static constexpr const char* kCommandScheme = "tavrin";

    // ---- test seam ----
    static QString lastTopic();
    static const QStringList& topicsOpened();
    static void clearRecorded();
};

} // namespace tavrin::platform
