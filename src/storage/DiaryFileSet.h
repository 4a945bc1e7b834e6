#pragma once
// The names of every file of a diary, formed from the path of its entry index file.
//   /home/ann/Diaries/Travel.tni        entry index file (the path the user chose)
//   /home/ann/Diaries/Travel/           diary directory
//   /home/ann/Diaries/Travel/Travel.tnd entry data file, and so on for every file letter
//   /home/ann/Diaries/Travel/Travel.lock the writers' lock

#include <string>

namespace tavrin {

class DiaryFileSet {
public:
    // The file letters of the set.
    static constexpr char kData = 'd', kConfig = 'c', kReminders = 'r', kPlanner = 'p',
                          kContacts = 'a', kRecipes = 'k', kIngredients = 'n',
                          kTempIngredients = 'x', kVoice = 'v', kMedication = 'm', kGraph = 'g',
                          kPadTable = 't';
    static constexpr int kPadFiles = 5; // letters '0' to '4'

    DiaryFileSet() = default;
    explicit DiaryFileSet(std::string diaryPath);

    const std::string& indexPath() const { return indexPath_; }
    const std::string& directory() const { return directory_; }
    const std::string& name() const { return name_; }
    std::string bareIndexName() const { return name_ + ".tni"; }
    // Full path and bare name of the file with the given letter.
    std::string path(char letter) const { return directory_ + "/" + bare(letter); }
    std::string bare(char letter) const { return name_ + ".tn" + letter; }
    std::string padPath(int pad) const { return path(char('0' + pad)); }
    std::string padBare(int pad) const { return bare(char('0' + pad)); }
    // The file whose lock every writer of the diary holds.
    std::string lockPath() const { return directory_ + "/" + name_ + ".lock"; }

    // The character position where the extension begins (after the last dot), as stored with
    // the diary path in the settings; 0 when the path has no extension.
    static int extensionOffset(const std::string& diaryPath);

private:
    std::string indexPath_, directory_, name_;
};

} // namespace tavrin
