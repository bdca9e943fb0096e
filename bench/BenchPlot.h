#pragma once

#include "BenchResults.h"

#include <QImage>

namespace tavirel::bench {

// Time against content size, both on log scales: one line per measurement, the floor dashed.
QImage plotTimes(const QList<SizeResult>& sizes, Clock clock);

} // namespace tavirel::bench
