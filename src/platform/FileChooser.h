#pragma once
// The file chooser for opening and saving. Filters are written as the program has always
// written them, "Description (*.ext)|*.ext|All files (*.*)|*.*||", and converted here. A name
// typed without an extension gets the default extension. Saving over an existing file asks
// first when the caller wants it (a No shows the chooser again).
//
// Test seam: setNextFileName(path) makes the next chooser answer at once with that path (the
// default extension is still applied, an open that must exist cancels when the file does not,
// and the overwrite question goes through MessageBox); cancelNext() makes it cancel. Answers
// queue up in order. In message-box test mode an unscripted chooser cancels. lastRequest()
// tells what the most recent chooser was asked to show.

#include <QString>

class QWidget;

namespace tavrin::platform {

struct FileRequest {
    bool save = false;
    QString title;
    QString filter; // as the caller wrote it
    QString defaultExtension;
    QString initialName;
    bool mustExistOrPrompt = false; // open: the file must exist; save: ask before overwriting
};

class FileChooser {
public:
    // Empty when cancelled; otherwise an absolute path.
    static QString open(QWidget* parent, const QString& title, const QString& filter,
                        const QString& defaultExtension = QString(),
                        const QString& initialName = QString(), bool mustExist = true);
    static QString save(QWidget* parent, const QString& title, const QString& filter,
                        const QString& defaultExtension = QString(),
                        const QString& initialName = QString(), bool overwritePrompt = true);

    // "Text files (*.txt)|*.txt|All files (*.*)|*.*||" -> "Text files (*.txt);;All files (*)".
    // Several patterns ("*.bmp;*.dib") become one space-separated list; "*.*" becomes "*" so that
    // names without a dot are listed too.
    static QString qtFilter(const QString& filter);
    // path + "." + extension when the file name has no extension of its own.
    static QString withDefaultExtension(const QString& path, const QString& extension);

    // ---- test seam ----
    static void setNextFileName(const QString& path);
    static void cancelNext();
    static void clearScripted();
    static const FileRequest& lastRequest();
};

} // namespace tavrin::platform
