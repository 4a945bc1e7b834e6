#pragma once
// Diary content outside the diary: exports, printed PDFs, pictures of graphs, a recording and a
// voice note being played. Such a file is created readable by its owner only (0600, whatever
// the umask), and plaintext that is needed for a moment lives in a folder of the user's own,
// never at a shared name in the temporary folder.

#include <string>

namespace tavrin {

class PrivateFiles {
public:
    // The folder for the moment's plaintext: "tavrin" in $XDG_RUNTIME_DIR when that is set and
    // private to the user, else "tavrin-<uid>" in the temporary folder ($TMPDIR or /tmp). Made
    // 0700 when missing; refused when it is a link, another user's, or not 0700. Empty then,
    // with the reason in `why`.
    static std::string folder(std::string& why);

    // `bytes` as a new file of mode 0600 at `path` in such a folder: whatever is at the name
    // (a leftover, a link) is removed first, and the name is created without following a link.
    // On failure nothing is left there and `error` holds the cause (an errno value).
    static bool writeNew(const std::string& path, const std::string& bytes, int& error);

    // `bytes` to a file the user named (an export): a new file is created 0600; an existing one
    // is emptied and keeps its mode, as a device or a pipe is written as it is.
    static bool write(const std::string& path, const std::string& bytes, int& error);

    // For a writer that opens the file itself (Qt's PDF and image writers create files by the
    // umask but keep the mode of a file they overwrite): creates `path` empty and 0600 when it
    // is missing. True when it did, so that the caller removes it if nothing gets written.
    static bool prepare(const std::string& path);

    // This process's own temporary file in `folder`: prefix + "-" + pid + ".tmp". Two runs at
    // once never share one, and those of runs that were killed are found by their process.
    static std::string processTemp(const std::string& folder, const std::string& prefix);
    // Removes the files processTemp() named for processes that are gone.
    static void removeOrphans(const std::string& folder, const std::string& prefix);
};

} // namespace tavrin
