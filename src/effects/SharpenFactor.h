#pragma once
// The sharpen prompt's answer as a single-precision factor: the whole text
// (blanks around it allowed) must be a number in the user's locale or in
// the plain "1.2" form.

#include <QString>

namespace pictavo {

// Throws pictavo::Error: 13 (type mismatch) when the text is empty or not
// wholly a finite number, 6 (overflow) when it is beyond the float range.
float sharpenFactor(const QString& answer);

}  // namespace pictavo
