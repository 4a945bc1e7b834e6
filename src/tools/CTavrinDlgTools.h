#pragma once
// The tools page: the occasional tasks, each a button that opens its own window or a page of
// the program's web site.

#include "ui/CCustomDialog.h"

namespace tavrin::tools {

class CTavrinDlgTools : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpTools.html";
    static constexpr const char* kAuthor = "author@tavelle-suite.org";
    static constexpr const char* kConverter = "convert3";
    static constexpr const char* kConvertQuestion =
        "If you choose 'yes' Tavelle Suite will close and the converter will be loaded.\n\n"
        "Please note that you MUST NOT run the converter on files created with versions other "
        "than 3.00 or 3.01!\n\nContinue?";

    // The web pages of the "Electronic Interaction" buttons.
    enum class Web { Site, Forums, WishList, Community, BugReport };
    static QString address(Web page);

    explicit CTavrinDlgTools(QWidget* parent = nullptr);

    // The windows and programs the buttons start; those that need the diary do nothing without
    // one.
    static void compactEntries(QWidget* parent);
    static void convertV2(QWidget* parent);
    static void convertV3(QWidget* parent);
    static void changePassword(QWidget* parent);
    static void openWeb(Web page);
    static void mailAuthor();
    // Where the converter of version 3.0x files is looked for: beside this program.
    static QString converterPath();
};

} // namespace tavrin::tools
