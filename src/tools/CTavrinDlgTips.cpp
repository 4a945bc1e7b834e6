#include "tools/CTavrinDlgTips.h"

#include "platform/DataPaths.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrin::tools {

CTavrinDlgTips::CTavrinDlgTips(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), tip_(new QLabel(this)),
      startup_(new QCheckBox("Show On Startup", this)),
      next_(new ui::CCustomButton("Next Tip", this)) {
    setObjectName("tipsWindow");
    setWindowTitle(kTitle);
    setModal(true);

    auto* heading = new QLabel("Did you know...", this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    heading->setFont(f);
    tip_->setObjectName("tipText");
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip_->setMinimumSize(380, 120);
    tip_->setTextFormat(Qt::PlainText);
    QFont tipFont = tip_->font();
    tipFont.setPointSizeF(tipFont.pointSizeF() * 1.1);
    tip_->setFont(tipFont);
    // The tip is written on a field of the skin: white with dark text in a light skin, dark
    // with light text in a dark one.
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    auto* paper = new QWidget(this);
    paper->setObjectName("tipPaper");
    paper->setAutoFillBackground(true);
    QPalette field = paper->palette();
    field.setColor(QPalette::Window, skin.listBackground());
    field.setColor(QPalette::WindowText, skin.listText());
    paper->setPalette(field);
    heading->setPalette(field);
    tip_->setPalette(field);
    auto* inside = new QVBoxLayout(paper);
    inside->setContentsMargins(16, 14, 16, 14);
    inside->addWidget(heading);
    inside->addWidget(tip_, 1);

    startup_->setObjectName("tipsStartup");
    QPalette text = startup_->palette();
    text.setColor(QPalette::WindowText, ui::ActiveSkin::current().staticText());
    startup_->setPalette(text);
    next_->setObjectName("tipsNext");
    auto* close = new ui::CCustomButton("Close", this);
    close->setObjectName("tipsClose");
    next_->setAutoDefault(false);
    close->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &CTavrinDlgTips::nextTip);
    connect(close, &QPushButton::clicked, this, &CTavrinDlgTips::closeTips);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startup_);
    buttons->addStretch(1);
    buttons->addWidget(next_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(paper, 1);
    layout->addLayout(buttons);

    startup_->setChecked(settings::read(settings::TipsStartup) == 0);
    const QString path = platform::DataPaths::find("TIPS.TXT");
    const TipsReader::Status s = path.isEmpty()
                                     ? TipsReader::Status::Missing
                                     : reader_.open(path, settings::read(settings::TipsFilePos),
                                                    settings::read(settings::TipsTimeStamp));
    if (s == TipsReader::Status::Missing) {
        platform::MessageBox::warning(TipsReader::kMissing, this);
        next_->setEnabled(false);
        return;
    }
    settings::write(settings::TipsTimeStamp, reader_.stamp());
    if (s == TipsReader::Status::Corrupt)
        platform::MessageBox::warning(TipsReader::kCorrupt, this);
    else
        nextTip();
}

QString CTavrinDlgTips::tip() const {
    return tip_->text();
}

void CTavrinDlgTips::nextTip() {
    TipsReader::Status s;
    const QString t = reader_.next(&s);
    if (s == TipsReader::Status::Ok) {
        tip_->setText(t);
        return;
    }
    next_->setEnabled(false);
    platform::MessageBox::warning(
        s == TipsReader::Status::NoTips ? TipsReader::kNoTips : TipsReader::kCorrupt, this);
}

void CTavrinDlgTips::closeTips() {
    settings::write(settings::TipsStartup, startup_->isChecked() ? 0 : 1);
    accept();
}

void CTavrinDlgTips::done(int result) {
    if (!stored_ && reader_.isOpen()) {
        stored_ = true;
        settings::write(settings::TipsFilePos, int(reader_.position()));
    }
    ui::CCustomDialog::done(result);
}

} // namespace tavrin::tools
