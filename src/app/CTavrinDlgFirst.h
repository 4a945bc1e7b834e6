#pragma once
// Page 0 of the main window: the help page for new users, with the help viewer embedded.
// It opens on "hlpFirstTime.html"; each time it is shown again it explains the page that was
// shown before it, or the first steps while no diary is in use.

#include "CCustomDialog.h"
#include "ModulePages.h"

namespace tavrin::platform {
class HelpViewer;
}

namespace tavrin::app {

class CTavrinDlgFirst : public ui::CCustomDialog, public ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kFirstTopic = "hlpFirstTime.html";

    explicit CTavrinDlgFirst(QWidget* parent = nullptr);

    // The help topic of module page `index` ("hlpDiary.html" for 1 ...), kFirstTopic otherwise.
    static QString topicFor(int index);
    // The main window tells the page which page it replaces before showing it.
    void setPreviousModule(int index) { previous_ = index; }
    void pageShown() override;

    platform::HelpViewer* viewer() const { return viewer_; }
    // The topic shown last ("" when the viewer could not be made).
    QString currentTopic() const;

private:
    platform::HelpViewer* viewer_ = nullptr;
    int previous_ = 0;
};

} // namespace tavrin::app
