#pragma once
// New and Edit of the diary page: runs the entry sheet for a new entry or for an existing one
// and saves it. Both return whether an entry was saved (the caller then refills its list and
// selects the last row).

class QWidget;

namespace tavrin::diary {

class EntryEditor {
public:
    // A new entry of the current diary. The first entry of a new diary asks for its password.
    static bool newEntry(QWidget* parent);
    // The entry at `entryIndex` of the current diary; saving replaces it.
    static bool editEntry(QWidget* parent, int entryIndex);
};

} // namespace tavrin::diary
