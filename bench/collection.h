// A full-size collection for the benchmarks: 32767 varied, plausible records,
// the same every run, written with the program's own record encoder.
#pragma once

#include "core/scope_record.h"

#include <QString>

#include <functional>
#include <vector>

namespace tessaran::bench {

// Record i (1-based) of the benchmark collection. Dates are in the current
// locale's short form; about one record in twenty has no date and one in
// thirty no prices.
ScopeRecord bench_record(int i);

// Writes records 1..count as a database file, each changed by adjust where
// given; false with the reason in error.
bool write_collection(const QString& path, int count, QString& error,
                      const std::function<void(ScopeRecord&, int)>& adjust = {});

}  // namespace tessaran::bench
