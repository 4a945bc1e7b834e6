#pragma once
// A help page viewer to embed in a window (the first-time help page shows one). It shows the
// program's help topics; links between pages work, web and mail links go to the desktop.
//
// When the help folder cannot be found the viewer is not initialised: isInitialized() is false
// and the owner shows "Unable to initialize help!".

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace tavrin::platform {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    bool isInitialized() const { return !dir_.isEmpty(); }
    // Shows a topic ("hlpDiary.html", "Tavrin.chm::/hlpGraph.html"); false when it has no page
    // (the viewer then keeps what it showed).
    bool showTopic(const QString& name);
    // The page shown, as a file name ("hlpDiary.html"); empty before the first.
    QString currentTopic() const;
    QTextBrowser* browser() const { return browser_; }

public slots:
    void back();
    void forward();
    void home(); // the contents page

signals:
    void topicChanged(const QString& fileName);
    void historyChanged();

private:
    void followLink(const QUrl& url);

    QString dir_;
    QTextBrowser* browser_;
};

} // namespace tavrin::platform
