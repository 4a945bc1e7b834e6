#pragma once
// The organiser pages' fields, labels and calendar in the active skin's colours.

#include "ui/SkinnedWidgets.h"

namespace tavrin::organiser {
using ui::skinnedField;
using ui::skinnedText;
} // namespace tavrin::organiser
