#pragma once
// Names of the program's temporary files. Every name is formed from a three-letter prefix and
// the program's fixed number 300, in the system's temporary folder:
//
//     TempNames::path("TNV")  ->  QDir::tempPath() + "/TNV300.tmp"   (e.g. /tmp/TNV300.tmp)
//
// So a prefix always yields the same file: the voice recorder and the player agree on it, and a
// leftover from an earlier run is simply overwritten. Only the first three characters of the
// prefix count, as they always have. The prefixes in use are listed in kPrefixes.

#include <QString>
#include <QStringList>

namespace tavrin::platform {

class TempNames {
public:
    static constexpr int kNumber = 300;
    static const QStringList&
    prefixes(); // "TNE", "TNI", "TNR", "TNP", "TNA", "TNK", "TNT", "TNM", "TNX", "TNV", "TNG"

    static QString path(const QString& prefix);
    // The same path, with any file (or link) left there removed first, so that the caller
    // writes a new file of its own.
    static QString fresh(const QString& prefix);
};

} // namespace tavrin::platform
