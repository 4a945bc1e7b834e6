#pragma once
// The entry preview under the diary page's list: a sheet embedded in the page whose pages each
// show their part of the selected entry. The page reads the entry once and hands it to all.

#include "ui/CCustomPropertySheet.h"

#include <QList>

namespace tavrin {
class TN;
}

namespace tavrin::diary {

class CTavrinPPViewDiary;
class EntryPreviewPage;

class CTavrinPSView : public ui::CCustomPropertySheet {
    Q_OBJECT
public:
    // The pages in tab order. The navigator asks for them by these numbers.
    enum Page { TextPage = 0, ParamsPage = 1, BodyPage = 2, MedicationPage = 3 };

    explicit CTavrinPSView(QWidget* parent = nullptr);

    // `tn` holds the entry (read with unscrambling) and the diary's configuration.
    void showEntry(const TN& tn);
    // No entry: every page empties itself, the text page shows the program banner.
    void clearEntry();

    // Makes one of the pages current; false when the sheet has no such page.
    bool selectPage(int page);
    bool hasPage(int page) const;

    CTavrinPPViewDiary* textPage() const { return text_; }

public slots:
    // Embedded in the page, the sheet has nothing to confirm or close: Escape and Enter must
    // not hide it.
    void accept() override {}
    void reject() override {}

protected:
    // Escape goes on to the diary page, which minimises the main window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addPreviewPage(int which, ui::CCustomPropertyPage* page, EntryPreviewPage* preview);

    struct Entry {
        int which;
        int tab;
        EntryPreviewPage* preview;
    };
    QList<Entry> pages_;
    CTavrinPPViewDiary* text_;
};

} // namespace tavrin::diary
