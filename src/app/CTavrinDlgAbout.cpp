#include "app/CTavrinDlgAbout.h"

#include "app/ProgramResources.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace tavrin::app {

const QString& CTavrinDlgAbout::caption() {
    static const QString c = QStringLiteral(u"About Tavelle\u2122 Suite v3.10");
    return c;
}

CTavrinDlgAbout::CTavrinDlgAbout(QWidget* parent) : CCustomDialog(BackAll, parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(caption());
    setModal(true);

    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(22, 20, 22, 16);
    top->setSpacing(10);

    auto* head = new QHBoxLayout;
    auto* emblem = new QLabel(this);
    QPixmap pm(56, 56);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        ProgramResources::drawEmblem(p, QRectF(2, 2, 52, 52), skin.selectionBackground(),
                                     skin.dialogBackground());
    }
    emblem->setPixmap(pm);
    head->addWidget(emblem, 0, Qt::AlignTop);

    auto* names = new QVBoxLayout;
    auto* name = new ui::CCustomStatic(QStringLiteral(u"Tavelle\u2122 Suite"), this);
    name->setObjectName(QStringLiteral("programName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.7);
    big.setBold(true);
    name->setFont(big);
    auto* version = new ui::CCustomStatic(QStringLiteral("Version 3.10"), this);
    version->setObjectName(QStringLiteral("programVersion"));
    names->addWidget(name);
    names->addWidget(version);
    names->addStretch();
    head->addLayout(names, 1);
    top->addLayout(head);

    auto* credits = new ui::CCustomStatic(
        QStringLiteral(u"A diary and health tracker for one person.\n\n"
                       u"Written by Halcyrn Ostevelder.\n"
                       u"Skins \u201cCorvel Windows\u201d and \u201cCorvel Night\u201d by Halcyrn "
                       u"Ostevelder.\n\n"
                       u"Built with Qt %1; voice notes use libgsm (GSM 06.10).")
            .arg(QString::fromLatin1(QT_VERSION_STR)),
        this);
    credits->setObjectName(QStringLiteral("credits"));
    credits->setWordWrap(true);
    top->addWidget(credits);

    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new ui::CCustomButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    row->addWidget(ok);
    top->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(380);
}

} // namespace tavrin::app
