#pragma once
// The contacts page's several-line fields (address, miscellaneous).

#include "ui/StoredTextEdit.h"

namespace tavrin::organiser {
using ContactTextEdit = ui::StoredTextEdit;
} // namespace tavrin::organiser
