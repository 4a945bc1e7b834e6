#pragma once
// The help window: the contents of the help on the left, the page on the right, and Back,
// Forward and Home (the contents page) above. Opened through Help::openTopic(), one for the
// whole program.

#include <QWidget>

class QListWidget;
class QPushButton;

namespace tavrin::platform {

class HelpViewer;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    bool showTopic(const QString& name);
    HelpViewer* viewer() const { return viewer_; }
    QListWidget* contents() const { return contents_; }

    // The pages listed by the contents page, in its order, as (file, title) pairs.
    static QList<QPair<QString, QString>> contentsEntries(const QString& helpDir);

private:
    void syncContents(const QString& file);
    void updateButtons();

    HelpViewer* viewer_;
    QListWidget* contents_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* home_;
};

} // namespace tavrin::platform
