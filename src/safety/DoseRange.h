#pragma once

#include <QString>

#include <optional>

namespace tavirel::safety {

// The top of a herb's dosage range in grams, read from its dosage text: the largest gram figure
// it gives ("3-9 g" 9; "0.3-0.6 g in pills" 0.6; "1-3 g; 15-30 g for collapse" 30). A text
// with no gram figure ("3-10 drops", "30-50 mL", "External use only") gives nothing: it is
// skipped, never guessed.
std::optional<double> topOfDosageRange(const QString& dosage);

// A dose as a formula gives it ("9", "4.5"); nothing when it is not a plain number.
std::optional<double> gramsOf(const QString& dose);

} // namespace tavirel::safety
