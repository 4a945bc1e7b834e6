#include "tools/ScratchPadBody.h"

#include "app/DiaryState.h"
#include "storage/Cp1252.h"
#include "storage/TN.h"
#include "tools/CTavrinDlgScratchPadText.h"
#include "ui/CCustomButton.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QPlainTextEdit>

namespace tavrin::tools {

ScratchPadBody::ScratchPadBody(QWidget* parent) : QWidget(parent) {
    setObjectName("scratchPads");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(4);
    for (int pad = 1; pad <= 9; ++pad) {
        auto* b =
            new ui::CCustomButton(pad <= 5 ? QString("Pad %1").arg(pad - 1) : "<not set>", this);
        b->setObjectName(QString("pad%1Button").arg(pad));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(26);
        auto* copy = new ui::CCustomButton("Copy", this);
        copy->setObjectName(QString("pad%1Copy").arg(pad));
        copy->setAutoDefault(false);
        copy->setFocusPolicy(Qt::NoFocus);
        copy->setToolTip("Copy the pad's text to the clipboard");
        copy->setMinimumHeight(26);
        grid->addWidget(b, pad - 1, 0);
        grid->addWidget(copy, pad - 1, 1);
        connect(b, &QPushButton::clicked, this, [this, pad] { openPad(pad); });
        connect(copy, &QPushButton::clicked, this, [this, pad] { copyPad(pad); });
        pads_ << b;
    }
    grid->setColumnStretch(0, 1);
    relabel();
}

ScratchPadBody::~ScratchPadBody() {
    if (!window_) return;
    window_->save();
    if (!window_->parent()) delete window_.data();
}

CTavrinDlgScratchPadText* ScratchPadBody::padWindow() {
    if (!window_) {
        QWidget* owner = nullptr;
        if (app::ShellCommands* shell = app::ShellHooks::shell()) owner = shell->shellWindow();
        window_ = new CTavrinDlgScratchPadText(owner);
    }
    return window_;
}

void ScratchPadBody::relabel() {
    auto& state = app::DiaryState::instance();
    if (!state.usable()) return;
    auto tn = state.makeTN();
    if (!tn->ReadPadTable()) return;
    for (int i = 0; i < pads_.size(); ++i)
        pads_[i]->setText(QString::fromStdString(cp1252::toUtf8(tn->pads.title(i))));
}

void ScratchPadBody::openPad(int pad) {
    CTavrinDlgScratchPadText* w = padWindow();
    w->openPad(pad);
    w->show();
    w->raise();
    w->activateWindow();
    if (app::ShellCommands* shell = app::ShellHooks::shell())
        shell->togglePanel(app::Panel::ScratchPad);
}

void ScratchPadBody::copyPad(int pad) {
    CTavrinDlgScratchPadText* w = padWindow();
    w->openPad(pad);
    w->text()->selectAll();
    if (QClipboard* c = QApplication::clipboard()) c->setText(w->text()->toPlainText());
}

} // namespace tavrin::tools
