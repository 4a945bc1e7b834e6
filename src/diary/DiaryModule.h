#pragma once
// Hooks the diary module into the main window: its page is module index 1.

namespace tavrin::diary {

// Registers the factory of the diary page with the main window's page table.
void registerDiaryModule();

} // namespace tavrin::diary
