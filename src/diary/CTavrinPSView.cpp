#include "diary/CTavrinPSView.h"

#include "diary/CTavrinPPViewBody.h"
#include "diary/CTavrinPPViewDiary.h"
#include "diary/CTavrinPPViewMedication.h"
#include "diary/CTavrinPPViewParams.h"

#include <QKeyEvent>

namespace tavrin::diary {

CTavrinPSView::CTavrinPSView(QWidget* parent)
    : ui::CCustomPropertySheet(QString(), parent, Embedded), text_(new CTavrinPPViewDiary) {
    setObjectName("entryPreview");
    setScrollingPages(true);
    addPreviewPage(TextPage, text_, text_);
    auto* params = new CTavrinPPViewParams;
    addPreviewPage(ParamsPage, params, params);
    auto* body = new CTavrinPPViewBody;
    addPreviewPage(BodyPage, body, body);
    auto* medication = new CTavrinPPViewMedication;
    addPreviewPage(MedicationPage, medication, medication);
}

void CTavrinPSView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    ui::CCustomPropertySheet::keyPressEvent(event);
}

void CTavrinPSView::addPreviewPage(int which, ui::CCustomPropertyPage* page,
                                   EntryPreviewPage* preview) {
    pages_.append({which, addPage(page), preview});
}

void CTavrinPSView::showEntry(const TN& tn) {
    for (const Entry& e : pages_)
        e.preview->showEntry(tn);
}

void CTavrinPSView::clearEntry() {
    for (const Entry& e : pages_)
        e.preview->clearEntry();
}

bool CTavrinPSView::hasPage(int page) const {
    for (const Entry& e : pages_)
        if (e.which == page) return true;
    return false;
}

bool CTavrinPSView::selectPage(int page) {
    for (const Entry& e : pages_)
        if (e.which == page) return setActivePage(e.tab);
    return false;
}

} // namespace tavrin::diary
