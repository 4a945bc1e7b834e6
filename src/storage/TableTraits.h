#pragma once
// How a fixed-record table deletes and in which order it is kept. Every record type of the
// organiser and nutrition tables states these; the one generic table acts on them.

namespace tavrin {

enum class DeleteStyle {
    MarkThenPurge, // a deletion mark is written, a purge later drops marked records
    Rewrite,       // the record is left out of a rewrite at once
};

enum class SortStyle {
    None,      // append order
    ByName,    // ascending by the name field, letter case ignored
    Reminders, // daily, weekly, monthly, yearly, each by its key
};

} // namespace tavrin
