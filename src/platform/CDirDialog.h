#pragma once
// The folder chooser. The caller sets the title; the confirm button reads "SELECT", and the
// answer is the folder the user stands in (or the one selected in it).
//
//     CDirDialog dlg;
//     dlg.setTitle("Choose the backup folder");
//     if (dlg.doBrowse(this)) use(dlg.path());
//
// or at once: QString dir = CDirDialog::choose(this, title);  (empty when cancelled)
//
// Test seam: setNextDirectory(path) answers the next chooser with that folder, cancelNext()
// cancels it; answers queue up in order. In message-box test mode an unscripted chooser
// cancels. lastTitle() is the title the most recent chooser was given.

#include <QString>

class QWidget;

namespace tavrin::platform {

class CDirDialog {
public:
    void setTitle(const QString& title) { title_ = title; }
    const QString& title() const { return title_; }
    void setInitialDirectory(const QString& dir) { initial_ = dir; }
    // Runs the chooser; true when the user picked a folder, which path() then holds.
    bool doBrowse(QWidget* parent = nullptr);
    const QString& path() const { return path_; }

    static QString choose(QWidget* parent, const QString& title,
                          const QString& initialDirectory = QString());

    // ---- test seam ----
    static void setNextDirectory(const QString& path);
    static void cancelNext();
    static void clearScripted();
    static QString lastTitle();

private:
    QString title_, initial_, path_;
};

} // namespace tavrin::platform
