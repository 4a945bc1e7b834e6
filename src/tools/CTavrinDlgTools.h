#pragma once
// The tools page: the occasional tasks, each a button that opens its own window.

#include "ui/CCustomDialog.h"

namespace tavrin::tools {

class CTavrinDlgTools : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpTools.html";

    explicit CTavrinDlgTools(QWidget* parent = nullptr);

    // The windows the buttons open; nothing happens without an open diary.
    static void backup(QWidget* parent);
    static void exportText(QWidget* parent);
};

} // namespace tavrin::tools
