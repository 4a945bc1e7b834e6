#pragma once
// Page 0 of the main window: the help page for new users, with the help viewer embedded.
// It opens on "hlpFirstTime.html"; each time it is shown again it explains the page that was
// shown before it, or the first steps while no diary is in use.

#include "app/Module.h"
#include "ui/CCustomDialog.h"

namespace tavrin::platform {
class HelpViewer;
}

namespace tavrin::app {

class CTavrinDlgFirst : public ui::CCustomDialog, public ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kFirstTopic = "hlpFirstTime.html";

    explicit CTavrinDlgFirst(QWidget* parent = nullptr);

    // The help topic of a module page ("hlpDiary.html" for the diary ...), kFirstTopic for
    // this page and past the last.
    static QString topicFor(Page page);
    // The main window tells the page which page it replaces before showing it.
    void setPreviousModule(Page page) { previous_ = page; }
    void pageShown() override;

    platform::HelpViewer* viewer() const { return viewer_; }
    // The topic shown last ("" when the viewer could not be made).
    QString currentTopic() const;

private:
    platform::HelpViewer* viewer_ = nullptr;
    Page previous_ = Page::FirstTime;
};

} // namespace tavrin::app
