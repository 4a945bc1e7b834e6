#pragma once
// Names of the program's temporary files. Every name is formed from a three-letter prefix and
// the program's fixed number 300, in the user's private folder (PrivateFiles::folder(): in
// $XDG_RUNTIME_DIR, else a 0700 folder of our own under the temporary folder):
//
//     TempNames::path("TNV")  ->  "$XDG_RUNTIME_DIR/tavrin/TNV300.tmp"
//
// So a prefix always yields the same file: the voice recorder and the player agree on it, and
// no other user can read it or plant anything under its name. Only the first three characters
// of the prefix count, as they always have. The prefixes in use are listed in kPrefixes.

#include <QString>
#include <QStringList>

class QWidget;

namespace tavrin::platform {

class TempNames {
public:
    static constexpr int kNumber = 300;
    static const QStringList&
    prefixes(); // "TNE", "TNI", "TNR", "TNP", "TNA", "TNK", "TNT", "TNM", "TNX", "TNV", "TNG"

    // The private folder, made when missing; empty when none can be had (problem() says why).
    static QString folder();
    static QString problem();

    static QString path(const QString& prefix); // empty without a private folder
    // The same path, with any file (or link) left there removed first, so that the caller
    // writes a new file of its own. Without a private folder: empty, after telling the user why
    // in a warning over `parent`.
    static QString fresh(const QString& prefix, QWidget* parent = nullptr);

    // Removes every prefix's file (and the temporary files of an interrupted extraction) that
    // an earlier run left, and those that versions before the private folder left in the shared
    // temporary folder. Done at start-up, once this copy is the only one.
    static void removeLeftovers();
};

} // namespace tavrin::platform
