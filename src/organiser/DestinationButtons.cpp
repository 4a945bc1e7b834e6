#include "organiser/DestinationButtons.h"

#include "platform/Help.h"
#include "ui/CCustomButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QShortcut>

namespace tavrin::organiser {

QHBoxLayout* DestinationButtons::make(QDialog* window, QPushButton* start, const QString& helpTopic,
                                      const std::function<void()>& choose,
                                      const std::function<void()>& run) {
    auto* chooseButton = new ui::CCustomButton("Choose destination", window);
    chooseButton->setObjectName("chooseButton");
    start->setObjectName("startButton");
    start->setEnabled(false);
    auto* exitButton = new ui::CCustomButton("Exit", window);
    exitButton->setObjectName("exitButton");
    exitButton->setDefault(true);
    QObject::connect(chooseButton, &QPushButton::clicked, window, choose);
    QObject::connect(start, &QPushButton::clicked, window, run);
    QObject::connect(exitButton, &QPushButton::clicked, window, &QDialog::reject);
    auto* help = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(help, &QShortcut::activated, window,
                     [window, helpTopic] { platform::Help::openTopic(helpTopic, window); });

    auto* row = new QHBoxLayout;
    row->addWidget(chooseButton);
    row->addWidget(start);
    row->addStretch(1);
    row->addWidget(exitButton);
    return row;
}

} // namespace tavrin::organiser
