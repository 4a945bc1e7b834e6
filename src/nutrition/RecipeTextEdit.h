#pragma once
// The cookbook's several-line recipe fields (description, preparation method).

#include "ui/StoredTextEdit.h"

namespace tavrin::nutrition {
using RecipeTextEdit = ui::StoredTextEdit;
} // namespace tavrin::nutrition
