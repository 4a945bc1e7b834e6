#pragma once
// The three kinds of diary a user can create. The type only decides how the new diary's
// configuration starts; it is not stored.

#include <QString>

namespace tavrin {
class DiaryConfig;
}

namespace tavrin::app {

class DiaryTypes {
public:
    enum Type { Minimal = 0, Advanced = 1, Training = 2 };
    static constexpr int kCount = 3;

    static QString name(int type);        // "Minimal", "Advanced", "Training"
    static QString description(int type); // the text shown under the list
    static void apply(DiaryConfig& config, int type);
};

} // namespace tavrin::app
